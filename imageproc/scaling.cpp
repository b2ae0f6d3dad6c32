#include "imageproc/scaling.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imageproc/cpu_paths.h"
#include "imageproc/pixels.h"

namespace kbx {

namespace {

// Source index under the centre of each destination index along one axis.
bool centre_map(int src_size, int dst_size, std::vector<int>* out) {
    try {
        out->resize(static_cast<std::size_t>(dst_size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i < dst_size; ++i)
        (*out)[i] = static_cast<int>((2LL * i + 1) * src_size / (2LL * dst_size));
    return true;
}

// Along one axis a destination pixel i covers [i * S, (i + 1) * S) and a
// source pixel j covers [j * D, (j + 1) * D) in units of 1 / (S * D); the
// overlaps are the integer weights, summing to S per destination pixel.
struct AxisWeights {
    std::vector<int> first;     // per destination pixel: first source index
    std::vector<int> count;     // how many source pixels it covers
    std::vector<int> offset;    // where its weights start in weight
    std::vector<long long> weight;
};

bool axis_weights(int src_size, int dst_size, AxisWeights* out) {
    try {
        out->first.resize(static_cast<std::size_t>(dst_size));
        out->count.resize(static_cast<std::size_t>(dst_size));
        out->offset.resize(static_cast<std::size_t>(dst_size));
        out->weight.clear();
        const long long s = src_size, d = dst_size;
        for (int i = 0; i < dst_size; ++i) {
            const long long lo = i * s, hi = (i + 1) * s;
            const long long j0 = lo / d, j1 = (hi - 1) / d;
            out->first[i] = static_cast<int>(j0);
            out->count[i] = static_cast<int>(j1 - j0 + 1);
            out->offset[i] = static_cast<int>(out->weight.size());
            for (long long j = j0; j <= j1; ++j) {
                const long long a = j * d > lo ? j * d : lo;
                const long long b = (j + 1) * d < hi ? (j + 1) * d : hi;
                out->weight.push_back(b - a);
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

template <typename Pixel>
void nearest(const PixelView& src, const PixelView& dst, const std::vector<int>& xs, const std::vector<int>& ys) {
    for (int y = 0; y < dst.height; ++y) {
        const Pixel* in = reinterpret_cast<const Pixel*>(src.pixels + static_cast<std::ptrdiff_t>(ys[y]) * src.stride);
        Pixel* out = reinterpret_cast<Pixel*>(dst.pixels + static_cast<std::ptrdiff_t>(y) * dst.stride);
        for (int x = 0; x < dst.width; ++x) out[x] = in[xs[x]];
    }
}

// Exact 2:1 both ways: every destination pixel covers a 2 x 2 block with
// equal weights, so the rounded weighted mean is (a + b + c + d + 2) / 4
// per colour byte, and the byte above red is dropped.
//
// One destination pixel from the two source rows a and b: a 64-bit load
// takes both pixels of a pair; red and blue are summed in 16-bit lanes of
// one word, green in another.
inline std::uint32_t halve_block(const unsigned char* a, const unsigned char* b) {
    constexpr std::uint64_t kRedBlue = 0x00FF00FF00FF00FFull, kGreen = 0x000000FF000000FFull;
    std::uint64_t u, v;
    std::memcpy(&u, a, 8);
    std::memcpy(&v, b, 8);
    const std::uint64_t rb = (u & kRedBlue) + (v & kRedBlue);
    const std::uint64_t g = ((u >> 8) & kGreen) + ((v >> 8) & kGreen);
    const std::uint32_t rb_sum = static_cast<std::uint32_t>(rb) + static_cast<std::uint32_t>(rb >> 32) + 0x20002u;
    const std::uint32_t g_sum = static_cast<std::uint32_t>(g) + static_cast<std::uint32_t>(g >> 32) + 2u;
    return ((rb_sum >> 2) & 0xFF00FFu) | (((g_sum >> 2) & 0xFFu) << 8);
}

#if KBX_SSE2
// Four destination pixels (eight source pixels of each row) at a time: the
// bytes widened to 16-bit lanes, the rows added, then each pixel's lanes
// added to its right neighbour's.
inline int halve_row_sse2(const unsigned char* a, const unsigned char* b, std::uint32_t* out, int width) {
    const __m128i zero = _mm_setzero_si128(), two = _mm_set1_epi16(2), colour = _mm_set1_epi32(0xFFFFFF);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        __m128i half[2];
        for (int k = 0; k < 2; ++k) {
            const __m128i ra = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 16 * (2 * static_cast<std::size_t>(x) / 4 + k)));
            const __m128i rb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16 * (2 * static_cast<std::size_t>(x) / 4 + k)));
            const __m128i lo = _mm_add_epi16(_mm_unpacklo_epi8(ra, zero), _mm_unpacklo_epi8(rb, zero));
            const __m128i hi = _mm_add_epi16(_mm_unpackhi_epi8(ra, zero), _mm_unpackhi_epi8(rb, zero));
            const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(lo, hi), _mm_unpackhi_epi64(lo, hi));
            half[k] = _mm_srli_epi16(_mm_add_epi16(sum, two), 2);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_and_si128(_mm_packus_epi16(half[0], half[1]), colour));
    }
    return x;
}
#endif

void halve(const PixelView& src, const PixelView& dst) {
    for (int y = 0; y < dst.height; ++y) {
        const unsigned char* a = row8(src, 2 * y);
        const unsigned char* b = row8(src, 2 * y + 1);
        if (src.depth == 32) {
            std::uint32_t* out = row32(dst, y);
            int x = 0;
#if KBX_SSE2
            x = halve_row_sse2(a, b, out, dst.width);
#endif
            for (; x < dst.width; ++x) out[x] = halve_block(a + 8 * static_cast<std::size_t>(x), b + 8 * static_cast<std::size_t>(x));
        } else {
            unsigned char* out = row8(dst, y);
            for (int x = 0; x < dst.width; ++x)
                out[x] = static_cast<unsigned char>((a[2 * x] + a[2 * x + 1] + b[2 * x] + b[2 * x + 1] + 2) >> 2);
        }
    }
}

// Exact 1:2 both ways: every destination pixel lies inside one source
// pixel, whose weight is the whole total, so it takes that pixel's colour
// bytes unchanged.
void double_up(const PixelView& src, const PixelView& dst) {
    const std::size_t row_bytes = static_cast<std::size_t>(dst.width) * (dst.depth == 32 ? 4 : 1);
    for (int y = 0; y < src.height; ++y) {
        if (src.depth == 32) {
            const std::uint32_t* in = row32(src, y);
            std::uint32_t* out = row32(dst, 2 * y);
            for (int x = 0; x < src.width; ++x) {
                const std::uint32_t v = in[x] & 0xFFFFFFu;
                out[2 * x] = v;
                out[2 * x + 1] = v;
            }
        } else {
            const unsigned char* in = row8(src, y);
            unsigned char* out = row8(dst, 2 * y);
            for (int x = 0; x < src.width; ++x) {
                out[2 * x] = in[x];
                out[2 * x + 1] = in[x];
            }
        }
        std::memcpy(row8(dst, 2 * y + 1), row8(dst, 2 * y), row_bytes);
    }
}

// Rounded quotient by a fixed divisor with a 64-bit reciprocal: the
// product's high half falls short of the quotient by at most one for the
// sums that occur, and the remainder check settles it. Exact for every
// numerator, with no division per value.
struct ExactDivider {
    std::uint64_t divisor;
    std::uint64_t reciprocal;   // floor((2^64 - 1) / divisor)
    explicit ExactDivider(std::uint64_t d) : divisor(d), reciprocal(~std::uint64_t{0} / d) {}
    std::uint64_t rounded(std::uint64_t sum) const {
        const std::uint64_t n = sum + divisor / 2;
        std::uint64_t q = high_product(n, reciprocal);
        while (n - q * divisor >= divisor) ++q;
        return q;
    }
};

// Source row sy resampled across to the destination width: per destination
// column, its channels' sums weighted by the column overlaps.
void resample_across(const PixelView& src, int sy, const AxisWeights& wx, int dst_width, std::uint64_t* out) {
    for (int x = 0; x < dst_width; ++x) {
        const long long* k = wx.weight.data() + wx.offset[x];
        const int first = wx.first[x], count = wx.count[x];
        if (src.depth == 32) {
            const std::uint32_t* in = row32(src, sy) + first;
            std::uint64_t r = 0, g = 0, b = 0;
            for (int i = 0; i < count; ++i) {
                const std::uint64_t w = static_cast<std::uint64_t>(k[i]);
                r += w * ((in[i] >> 16) & 0xFF);
                g += w * ((in[i] >> 8) & 0xFF);
                b += w * (in[i] & 0xFF);
            }
            out[3 * x] = r;
            out[3 * x + 1] = g;
            out[3 * x + 2] = b;
        } else {
            const unsigned char* in = row8(src, sy) + first;
            std::uint64_t v = 0;
            for (int i = 0; i < count; ++i) v += static_cast<std::uint64_t>(k[i]) * in[i];
            out[x] = v;
        }
    }
}

// Destination row y from its channels' weighted sums, each divided by the
// total weight and rounded.
void store_averages(const PixelView& dst, int y, const std::uint64_t* sums, const ExactDivider& total) {
    auto average = [&](std::uint64_t sum) -> unsigned { return static_cast<unsigned>(total.rounded(sum)); };
    if (dst.depth == 32) {
        std::uint32_t* out = row32(dst, y);
        for (int x = 0; x < dst.width; ++x)
            out[x] = (average(sums[3 * x]) << 16) | (average(sums[3 * x + 1]) << 8) | average(sums[3 * x + 2]);
    } else {
        unsigned char* out = row8(dst, y);
        for (int x = 0; x < dst.width; ++x) out[x] = static_cast<unsigned char>(average(sums[x]));
    }
}

bool scaled(const PixelView& src, int factor, PixelImage* out, void (*scale)(const PixelView&, const PixelView&)) {
    if (!view_usable(src)) return false;
    if (!make_pixel_image(scaled_size(src.width, factor), scaled_size(src.height, factor), src.depth, out)) return false;
    scale(src, view_of(*out));
    return true;
}

}  // namespace

int scaled_size(int size, int factor) {
    long long s = (static_cast<long long>(size) * factor + 500) / 1000;
    if (s < 1) s = 1;
    if (s > 0x7FFFFFFF) s = 0x7FFFFFFF;
    return static_cast<int>(s);
}

void scale_nearest(const PixelView& src, const PixelView& dst) {
    if (!view_usable(src) || !view_usable(dst) || src.depth != dst.depth) return;
    std::vector<int> xs, ys;
    if (!centre_map(src.width, dst.width, &xs) || !centre_map(src.height, dst.height, &ys)) return;
    if (src.depth == 32)
        nearest<std::uint32_t>(src, dst, xs, ys);
    else
        nearest<unsigned char>(src, dst, xs, ys);
}

void scale_average(const PixelView& src, const PixelView& dst) {
    if (!view_usable(src) || !view_usable(dst) || src.depth != dst.depth) return;
    if (src.width == 2LL * dst.width && src.height == 2LL * dst.height) return halve(src, dst);
    if (dst.width == 2LL * src.width && dst.height == 2LL * src.height) return double_up(src, dst);
    AxisWeights wx, wy;
    if (!axis_weights(src.width, dst.width, &wx) || !axis_weights(src.height, dst.height, &wy)) return;
    const int channels = src.depth == 32 ? 3 : 1;
    const std::size_t row_len = static_cast<std::size_t>(dst.width) * channels;
    // Separable: each source row is first resampled across (sums weighted by
    // the column overlaps), then the few rows a destination row covers are
    // summed weighted by the row overlaps. The sums stay exact integers.
    int ring_rows = 1;
    for (int y = 0; y < dst.height; ++y) ring_rows = wy.count[y] > ring_rows ? wy.count[y] : ring_rows;
    std::vector<std::uint64_t> ring, acc;
    std::vector<int> ring_source;
    try {
        ring.resize(row_len * static_cast<std::size_t>(ring_rows));
        ring_source.assign(static_cast<std::size_t>(ring_rows), -1);
        acc.resize(row_len);
    } catch (const std::bad_alloc&) {
        return;
    }
    auto across = [&](int sy) -> const std::uint64_t* {
        std::uint64_t* out = ring.data() + row_len * static_cast<std::size_t>(sy % ring_rows);
        if (ring_source[sy % ring_rows] == sy) return out;
        ring_source[sy % ring_rows] = sy;
        resample_across(src, sy, wx, dst.width, out);
        return out;
    };
    // Every destination pixel's weights add up to src.width * src.height.
    const ExactDivider total(static_cast<std::uint64_t>(src.width) * static_cast<std::uint64_t>(src.height));
    for (int y = 0; y < dst.height; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        for (int j = 0; j < wy.count[y]; ++j) {
            const std::uint64_t ky = static_cast<std::uint64_t>(wy.weight[wy.offset[y] + j]);
            const std::uint64_t* h = across(wy.first[y] + j);
            for (std::size_t i = 0; i < row_len; ++i) acc[i] += ky * h[i];
        }
        store_averages(dst, y, acc.data(), total);
    }
}

bool scaled_nearest(const PixelView& src, int factor, PixelImage* out) { return scaled(src, factor, out, scale_nearest); }
bool scaled_average(const PixelView& src, int factor, PixelImage* out) { return scaled(src, factor, out, scale_average); }

}  // namespace kbx
