// Wine's time.h with struct timespec, which Microsoft's declares (C11) and
// libc++'s <ctime> and its Windows thread support use.
#pragma once
#include_next <time.h>

#ifndef _TIMESPEC_DEFINED
#define _TIMESPEC_DEFINED
struct timespec {
  time_t tv_sec;
  long tv_nsec;
};
#endif
