// Wine's stdlib.h with what Microsoft's declares and libc++'s Windows
// locale support (<locale>, which GoogleTest's headers include) uses.
#pragma once
#include_next <stdlib.h>

#ifndef MB_CUR_MAX
#define MB_CUR_MAX ___mb_cur_max_func()
#endif

#ifdef __cplusplus
extern "C" {
#endif
float __cdecl _strtof_l(const char*, char**, _locale_t);
double __cdecl _strtod_l(const char*, char**, _locale_t);
#ifdef __cplusplus
}
#endif
