// Wine's math.h with the long double functions that libc++'s <cmath> names.
// Microsoft's math.h has them as inline calls of the double ones (long double
// is double there); Wine's has none. Also the three float and double ones
// that libc++ names and Wine's lacks.
#pragma once
#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif

double __cdecl erfc(double);
float __cdecl erfcf(float);
float __cdecl nexttowardf(float, long double);

#define KBX_LONG_DOUBLE_1(name) \
  static __inline long double name##l(long double x) { return name((double)x); }
#define KBX_LONG_DOUBLE_2(name) \
  static __inline long double name##l(long double x, long double y) { return name((double)x, (double)y); }

KBX_LONG_DOUBLE_1(acos) KBX_LONG_DOUBLE_1(asin) KBX_LONG_DOUBLE_1(atan)
KBX_LONG_DOUBLE_1(acosh) KBX_LONG_DOUBLE_1(asinh) KBX_LONG_DOUBLE_1(atanh)
KBX_LONG_DOUBLE_1(cos) KBX_LONG_DOUBLE_1(sin) KBX_LONG_DOUBLE_1(tan)
KBX_LONG_DOUBLE_1(cosh) KBX_LONG_DOUBLE_1(sinh) KBX_LONG_DOUBLE_1(tanh)
KBX_LONG_DOUBLE_1(exp) KBX_LONG_DOUBLE_1(exp2) KBX_LONG_DOUBLE_1(expm1)
KBX_LONG_DOUBLE_1(log) KBX_LONG_DOUBLE_1(log10) KBX_LONG_DOUBLE_1(log2)
KBX_LONG_DOUBLE_1(log1p) KBX_LONG_DOUBLE_1(logb) KBX_LONG_DOUBLE_1(cbrt)
KBX_LONG_DOUBLE_1(sqrt) KBX_LONG_DOUBLE_1(ceil) KBX_LONG_DOUBLE_1(floor)
KBX_LONG_DOUBLE_1(fabs) KBX_LONG_DOUBLE_1(nearbyint) KBX_LONG_DOUBLE_1(erf)
KBX_LONG_DOUBLE_1(erfc) KBX_LONG_DOUBLE_1(lgamma) KBX_LONG_DOUBLE_1(tgamma)
KBX_LONG_DOUBLE_2(atan2) KBX_LONG_DOUBLE_2(pow) KBX_LONG_DOUBLE_2(fmod)
KBX_LONG_DOUBLE_2(fmin) KBX_LONG_DOUBLE_2(fmax) KBX_LONG_DOUBLE_2(fdim)
KBX_LONG_DOUBLE_2(hypot) KBX_LONG_DOUBLE_2(remainder) KBX_LONG_DOUBLE_2(nextafter)

#undef KBX_LONG_DOUBLE_1
#undef KBX_LONG_DOUBLE_2

static __inline long double frexpl(long double x, int* e) { return frexp((double)x, e); }
static __inline long double ldexpl(long double x, int e) { return ldexp((double)x, e); }
static __inline long double scalbnl(long double x, int e) { return scalbn((double)x, e); }
static __inline long double scalblnl(long double x, long e) { return scalbln((double)x, e); }
static __inline int ilogbl(long double x) { return ilogb((double)x); }
static __inline long double nexttowardl(long double x, long double y) { return nextafter((double)x, (double)y); }
static __inline long double remquol(long double x, long double y, int* q) { return remquo((double)x, (double)y, q); }
static __inline long double modfl(long double x, long double* i) {
  double whole;
  double fraction = modf((double)x, &whole);
  *i = whole;
  return fraction;
}

#ifdef __cplusplus
}
#endif
