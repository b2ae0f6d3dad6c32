// Wine's ctype.h with what Microsoft's declares and libc++'s Windows locale
// support uses.
#pragma once
#include_next <ctype.h>

#ifdef __cplusplus
extern "C" {
#endif
int __cdecl _isupper_l(int, _locale_t);
int __cdecl _islower_l(int, _locale_t);
#ifdef __cplusplus
}
#endif
