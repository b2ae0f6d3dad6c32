// The processor paths the compiler offers, told the same way to GCC, clang
// and MSVC: cl.exe names its target with _M_X64 and _M_IX86_FP, not with
// __SSE2__ or __SIZEOF_INT128__. Needs no header beyond the compiler's own.
#ifndef KBX_CPU_PATHS_H
#define KBX_CPU_PATHS_H

#include <stdint.h>

// SSE2: every x86-64 target, and 32-bit targets built for it (/arch:SSE2).
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KBX_SSE2 1
#include <emmintrin.h>
#else
#define KBX_SSE2 0
#endif

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_ARM64))
#include <intrin.h>
#endif

namespace kbx {

// The high half of a 64 x 64-bit product.
inline uint64_t high_product(uint64_t a, uint64_t b) {
#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_ARM64))
    return __umulh(a, b);
#elif defined(__SIZEOF_INT128__)
    return static_cast<uint64_t>((static_cast<unsigned __int128>(a) * b) >> 64);
#else
    const uint64_t al = a & 0xFFFFFFFFu, ah = a >> 32, bl = b & 0xFFFFFFFFu, bh = b >> 32;
    const uint64_t low = al * bl, mid1 = ah * bl, mid2 = al * bh;
    const uint64_t carry = ((low >> 32) + (mid1 & 0xFFFFFFFFu) + (mid2 & 0xFFFFFFFFu)) >> 32;
    return ah * bh + (mid1 >> 32) + (mid2 >> 32) + carry;
#endif
}

}  // namespace kbx

#endif
