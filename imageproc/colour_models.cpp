#include "imageproc/colour_models.h"

#include "imageproc/cpu_paths.h"

namespace kbx {

int hsv_to_rgb(int v, int s, int h) {
    int m = v - s;
    if (m < 0) m = 0;
    int d = v - m;
    int r, g, b;
    if (h < 60) {
        r = v; g = m + d * h / 60; b = m;
    } else if (h < 120) {
        r = m + d * (120 - h) / 60; g = v; b = m;
    } else if (h < 180) {
        r = m; g = v; b = m + d * (h - 120) / 60;
    } else if (h < 240) {
        r = m; g = m + d * (240 - h) / 60; b = v;
    } else if (h < 300) {
        r = m + d * (h - 240) / 60; g = m; b = v;
    } else {
        r = v; g = m; b = m + d * (360 - h) / 60;
    }
    return (r << 16) + (g << 8) + b;
}

#if KBX_SSE2
namespace {

// Eight pixels in 16-bit lanes, the formulas of hue_from: SSE2 has 16-bit
// max, min and multiply, and the quotient is the truncated float one.
inline __m128i select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

inline __m128i channel(__m128i lo, __m128i hi, int shift) {
    const __m128i byte = _mm_set1_epi32(0xFF);
    return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(lo, shift), byte), _mm_and_si128(_mm_srli_epi32(hi, shift), byte));
}

// n * 60 / d for four non-negative lanes widened to 32 bits.
inline __m128i quotient(__m128i n, __m128i d) {
    return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(n), _mm_cvtepi32_ps(d)));
}

inline void store_wide(int* out, __m128i v) {
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi16(v, zero));
}

int hsv_row_sse2(const std::uint32_t* in, int count, int* h, int* s, int* v) {
    const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1), sixty = _mm_set1_epi16(60);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 4));
        const __m128i r = channel(lo, hi, 16), g = channel(lo, hi, 8), b = channel(lo, hi, 0);
        const __m128i max = _mm_max_epi16(_mm_max_epi16(r, g), b), min = _mm_min_epi16(_mm_min_epi16(r, g), b);
        const __m128i max_r = _mm_cmpeq_epi16(max, r), max_g = _mm_cmpeq_epi16(max, g), max_b = _mm_cmpeq_epi16(max, b);
        const __m128i min_r = _mm_cmpeq_epi16(min, r), min_g = _mm_cmpeq_epi16(min, g), min_b = _mm_cmpeq_epi16(min, b);
        // The sextant tests in reverse order: the first that holds wins.
        __m128i n = _mm_sub_epi16(r, b), offset = _mm_set1_epi16(300);
        const __m128i c5 = _mm_and_si128(max_b, min_g), c4 = _mm_and_si128(max_b, min_r), c3 = _mm_and_si128(max_g, min_r),
                      c2 = _mm_and_si128(max_g, min_b), c1 = _mm_and_si128(max_r, min_b);
        n = select(c5, _mm_sub_epi16(r, g), n);
        offset = select(c5, _mm_set1_epi16(240), offset);
        n = select(c4, _mm_sub_epi16(b, g), n);
        offset = select(c4, _mm_set1_epi16(180), offset);
        n = select(c3, _mm_sub_epi16(b, r), n);
        offset = select(c3, _mm_set1_epi16(120), offset);
        n = select(c2, _mm_sub_epi16(g, r), n);
        offset = select(c2, sixty, offset);
        n = select(c1, _mm_sub_epi16(g, b), n);
        offset = _mm_andnot_si128(c1, offset);
        // Every numerator is max - mid or mid - min: never negative.
        const __m128i d = _mm_sub_epi16(max, min), num = _mm_mullo_epi16(n, sixty);
        const __m128i divisor = _mm_max_epi16(d, one);
        const __m128i q = _mm_packs_epi32(quotient(_mm_unpacklo_epi16(num, zero), _mm_unpacklo_epi16(divisor, zero)),
                                          quotient(_mm_unpackhi_epi16(num, zero), _mm_unpackhi_epi16(divisor, zero)));
        store_wide(h + i, _mm_add_epi16(q, offset));
        store_wide(s + i, d);
        store_wide(v + i, max);
    }
    return i;
}

}  // namespace
#endif

void hsv_row(const std::uint32_t* in, int count, int* h, int* s, int* v) {
    int i = 0;
#if KBX_SSE2
    i = hsv_row_sse2(in, count, h, s, v);
#endif
    for (; i < count; ++i) {
        const int p = static_cast<int>(in[i]);
        const int r = red_of(p), g = green_of(p), b = blue_of(p);
        const int max = max_of(r, g, b), min = min_of(r, g, b);
        h[i] = hue_from(r, g, b, max, min);
        s[i] = max - min;
        v[i] = max;
    }
}

namespace {

// Inlined with constant coefficients, so the multiplications need no
// registers of their own.
inline void luma_pass(const std::uint32_t* in, int count, const Coefficients& k1, const Coefficients& k2, int* y,
                      int* c1, int* c2) {
    for (int i = 0; i < count; ++i) {
        const int p = static_cast<int>(in[i]);
        const int r = red_of(p), g = green_of(p), b = blue_of(p);
        y[i] = apply(kLumaY, r, g, b);
        c1[i] = apply(k1, r, g, b);
        c2[i] = apply(k2, r, g, b);
    }
}

}  // namespace

void luma_row(const std::uint32_t* in, int count, LumaModel model, int* y, int* c1, int* c2) {
    switch (model) {
        case kModelYCrCb: luma_pass(in, count, kChromaCr, kChromaCb, y, c1, c2); break;
        case kModelYuv: luma_pass(in, count, kChromaU, kChromaV, y, c1, c2); break;
        case kModelYiq: luma_pass(in, count, kChromaI, kChromaQ, y, c1, c2); break;
    }
}

}  // namespace kbx
