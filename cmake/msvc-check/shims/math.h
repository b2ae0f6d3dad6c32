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
#define KBX_ONE_ARGUMENT(F) \
  F(acos) F(asin) F(atan) F(acosh) F(asinh) F(atanh) F(cos) F(sin) F(tan) F(cosh) F(sinh) F(tanh) \
  F(exp) F(exp2) F(expm1) F(log) F(log10) F(log2) F(log1p) F(logb) F(cbrt) F(sqrt) F(ceil) \
  F(floor) F(fabs) F(nearbyint) F(erf) F(erfc) F(lgamma) F(tgamma)
#define KBX_TWO_ARGUMENTS(F) \
  F(atan2) F(pow) F(fmod) F(fmin) F(fmax) F(fdim) F(hypot) F(remainder) F(nextafter)

KBX_ONE_ARGUMENT(KBX_LONG_DOUBLE_1)
KBX_TWO_ARGUMENTS(KBX_LONG_DOUBLE_2)

#undef KBX_LONG_DOUBLE_1
#undef KBX_LONG_DOUBLE_2
#undef KBX_ONE_ARGUMENT
#undef KBX_TWO_ARGUMENTS

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
