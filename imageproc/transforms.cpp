#include "imageproc/transforms.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "imageproc/cpu_paths.h"
#include "imageproc/pixels.h"

namespace kbx {

namespace {

template <typename Pixel>
inline Pixel* row_of(const PixelView& view, int y) {
    return reinterpret_cast<Pixel*>(view.pixels + static_cast<std::ptrdiff_t>(y) * view.stride);
}

// Quarter turns work in square tiles: a tile of source rows is read
// contiguously into a small buffer, then written out turned, one destination
// row piece at a time. Both sides of memory are then walked along rows, which
// keeps picture widths that are powers of two from thrashing the cache.
constexpr int kTile = 32;

template <typename Pixel>
void turn_right(const PixelView& src, const PixelView& dst) {
    // new (x', y') = old (y', H - 1 - x')
    Pixel tile[kTile][kTile];
    const int dw = dst.width, dh = dst.height, sh = src.height;
    for (int tx = 0; tx < dw; tx += kTile) {
        const int nx = std::min(kTile, dw - tx);
        for (int ty = 0; ty < dh; ty += kTile) {
            const int ny = std::min(kTile, dh - ty);
            for (int i = 0; i < nx; ++i) {
                const Pixel* in = row_of<Pixel>(src, sh - 1 - (tx + i)) + ty;
                for (int j = 0; j < ny; ++j) tile[i][j] = in[j];
            }
            for (int j = 0; j < ny; ++j) {
                Pixel* out = row_of<Pixel>(dst, ty + j) + tx;
                for (int i = 0; i < nx; ++i) out[i] = tile[i][j];
            }
        }
    }
}

template <typename Pixel>
void turn_left(const PixelView& src, const PixelView& dst) {
    // new (x', y') = old (W - 1 - y', x')
    Pixel tile[kTile][kTile];
    const int dw = dst.width, dh = dst.height, sw = src.width;
    for (int tx = 0; tx < dw; tx += kTile) {
        const int nx = std::min(kTile, dw - tx);
        for (int ty = 0; ty < dh; ty += kTile) {
            const int ny = std::min(kTile, dh - ty);
            // Source row tx + i, columns sw - ty - ny .. sw - 1 - ty, read
            // forward and stored reversed.
            for (int i = 0; i < nx; ++i) {
                const Pixel* in = row_of<Pixel>(src, tx + i) + (sw - ty - ny);
                for (int j = 0; j < ny; ++j) tile[i][ny - 1 - j] = in[j];
            }
            for (int j = 0; j < ny; ++j) {
                Pixel* out = row_of<Pixel>(dst, ty + j) + tx;
                for (int i = 0; i < nx; ++i) out[i] = tile[i][j];
            }
        }
    }
}

#if KBX_SSE2
// 32-bit quarter turns in 4 x 4 blocks: four source rows of four pixels are
// loaded, transposed in registers and stored as four destination row
// pieces. The blocks run through the same tiles as above; the strips left
// at the right and bottom edges (sizes not a multiple of 4) go pixel by
// pixel.
inline void transpose4(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    const __m128i ab_lo = _mm_unpacklo_epi32(a, b), ab_hi = _mm_unpackhi_epi32(a, b);
    const __m128i cd_lo = _mm_unpacklo_epi32(c, d), cd_hi = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab_lo, cd_lo);
    b = _mm_unpackhi_epi64(ab_lo, cd_lo);
    c = _mm_unpacklo_epi64(ab_hi, cd_hi);
    d = _mm_unpackhi_epi64(ab_hi, cd_hi);
}

inline __m128i load4(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store4(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Runs block(x, y) for every 4 x 4 block of dst, tile by tile, then
// pixel(x, y) for the strips that no block covers.
template <typename Block, typename Pixel>
void by_blocks(const PixelView& dst, Block block, Pixel pixel) {
    const int dw = dst.width & ~3, dh = dst.height & ~3;
    for (int tx = 0; tx < dw; tx += kTile)
        for (int ty = 0; ty < dh; ty += kTile)
            for (int y = ty; y < std::min(ty + kTile, dh); y += 4)
                for (int x = tx; x < std::min(tx + kTile, dw); x += 4) block(x, y);
    for (int y = 0; y < dst.height; ++y)
        for (int x = y < dh ? dw : 0; x < dst.width; ++x) pixel(x, y);
}

// Right: destination (x + k, y + j) is source (y + j, H - 1 - x - k).
void turn_right_blocks(const PixelView& src, const PixelView& dst) {
    const int sh = src.height;
    by_blocks(
        dst,
        [&](int x, int y) {
            __m128i a = load4(row32(src, sh - 1 - x) + y), b = load4(row32(src, sh - 2 - x) + y);
            __m128i c = load4(row32(src, sh - 3 - x) + y), d = load4(row32(src, sh - 4 - x) + y);
            transpose4(a, b, c, d);
            store4(row32(dst, y) + x, a);
            store4(row32(dst, y + 1) + x, b);
            store4(row32(dst, y + 2) + x, c);
            store4(row32(dst, y + 3) + x, d);
        },
        [&](int x, int y) { row32(dst, y)[x] = row32(src, sh - 1 - x)[y]; });
}

// Left: destination (x + k, y + j) is source (W - 1 - y - j, x + k). The
// source columns W - 4 - y .. W - 1 - y are loaded, the last of them
// becoming destination row y.
void turn_left_blocks(const PixelView& src, const PixelView& dst) {
    const int sw = src.width;
    by_blocks(
        dst,
        [&](int x, int y) {
            __m128i a = load4(row32(src, x) + sw - 4 - y), b = load4(row32(src, x + 1) + sw - 4 - y);
            __m128i c = load4(row32(src, x + 2) + sw - 4 - y), d = load4(row32(src, x + 3) + sw - 4 - y);
            transpose4(a, b, c, d);
            store4(row32(dst, y) + x, d);
            store4(row32(dst, y + 1) + x, c);
            store4(row32(dst, y + 2) + x, b);
            store4(row32(dst, y + 3) + x, a);
        },
        [&](int x, int y) { row32(dst, y)[x] = row32(src, x)[sw - 1 - y]; });
}
#endif

bool turn_fits(const PixelView& src, const PixelView& dst) {
    return view_usable(src) && view_usable(dst) && src.depth == dst.depth && dst.width == src.height &&
           dst.height == src.width;
}

inline int bytes_per_pixel(const PixelView& view) { return view.depth == 32 ? 4 : 1; }

}  // namespace

PixelView packed_view(void* pixels, int width, int height, int depth) {
    PixelView view = make_pixel_view(pixels, width, height, depth);
    view.stride = depth == 32 ? width * 4 : width;
    return view;
}

void invert_pixels(const PixelView& view) {
    if (!view_usable(view)) return;
    // Plain loops over words or bytes, which the compiler turns into vector
    // operations once the width is a local (a store through the row could
    // otherwise change the view); the row padding of 8-bit pictures is left
    // alone.
    const int width = view.width;
    for (int y = 0; y < view.height; ++y) {
        if (view.depth == 32) {
            std::uint32_t* row = row32(view, y);
            for (int x = 0; x < width; ++x) row[x] ^= 0xFFFFFFu;
        } else {
            unsigned char* row = row8(view, y);
            for (int x = 0; x < width; ++x) row[x] = static_cast<unsigned char>(~row[x]);
        }
    }
}

namespace {

inline std::uint64_t reverse_bytes(std::uint64_t v) {
    v = ((v & 0x00FF00FF00FF00FFull) << 8) | ((v >> 8) & 0x00FF00FF00FF00FFull);
    v = ((v & 0x0000FFFF0000FFFFull) << 16) | ((v >> 16) & 0x0000FFFF0000FFFFull);
    return (v << 32) | (v >> 32);
}

// Reverses a row of bytes: eight-byte pieces from both ends trade places
// reversed, the middle is reversed byte by byte.
void reverse_byte_row(unsigned char* row, int width) {
    int left = 0, right = width;
    while (right - left >= 16) {
        std::uint64_t a, b;
        std::memcpy(&a, row + left, 8);
        std::memcpy(&b, row + right - 8, 8);
        a = reverse_bytes(a);
        b = reverse_bytes(b);
        std::memcpy(row + left, &b, 8);
        std::memcpy(row + right - 8, &a, 8);
        left += 8;
        right -= 8;
    }
    std::reverse(row + left, row + right);
}

}  // namespace

void mirror_horizontal(const PixelView& view) {
    if (!view_usable(view)) return;
    for (int y = 0; y < view.height; ++y) {
        if (view.depth == 32)
            std::reverse(row32(view, y), row32(view, y) + view.width);
        else
            reverse_byte_row(row8(view, y), view.width);
    }
}

void mirror_vertical(const PixelView& view) {
    if (!view_usable(view)) return;
    // Rows trade places through a small buffer, a piece at a time, so that
    // every move is a block copy.
    constexpr std::size_t kPiece = 4096;
    unsigned char buffer[kPiece];
    const std::size_t bytes = static_cast<std::size_t>(view.width) * bytes_per_pixel(view);
    for (int top = 0, bottom = view.height - 1; top < bottom; ++top, --bottom) {
        unsigned char* a = row8(view, top);
        unsigned char* b = row8(view, bottom);
        for (std::size_t at = 0; at < bytes; at += kPiece) {
            const std::size_t n = std::min(kPiece, bytes - at);
            std::memcpy(buffer, a + at, n);
            std::memcpy(a + at, b + at, n);
            std::memcpy(b + at, buffer, n);
        }
    }
}

int rotate_right(const PixelView& src, const PixelView& dst) {
    if (!turn_fits(src, dst)) return 1;
#if KBX_SSE2
    if (src.depth == 32) {
        turn_right_blocks(src, dst);
        return 0;
    }
#endif
    if (src.depth == 32)
        turn_right<std::uint32_t>(src, dst);
    else
        turn_right<unsigned char>(src, dst);
    return 0;
}

int rotate_left(const PixelView& src, const PixelView& dst) {
    if (!turn_fits(src, dst)) return 1;
#if KBX_SSE2
    if (src.depth == 32) {
        turn_left_blocks(src, dst);
        return 0;
    }
#endif
    if (src.depth == 32)
        turn_left<std::uint32_t>(src, dst);
    else
        turn_left<unsigned char>(src, dst);
    return 0;
}

bool rotated_right(const PixelView& src, PixelImage* out) {
    if (!view_usable(src) || !make_pixel_image(src.height, src.width, src.depth, out)) return false;
    return rotate_right(src, view_of(*out)) == 0;
}

bool rotated_left(const PixelView& src, PixelImage* out) {
    if (!view_usable(src) || !make_pixel_image(src.height, src.width, src.depth, out)) return false;
    return rotate_left(src, view_of(*out)) == 0;
}

void copy_rect(const PixelView& src, int x0, int y0, const PixelView& dst) {
    if (!view_usable(dst) || src.depth != dst.depth) return;
    const int bpp = bytes_per_pixel(dst);
    const bool have_src = view_usable(src);
    // The columns of dst that fall inside src, in 64-bit to keep far-away
    // origins from overflowing.
    long long first = have_src ? std::max(0LL, -static_cast<long long>(x0)) : 0;
    long long last = have_src ? std::min<long long>(dst.width, static_cast<long long>(src.width) - x0) : 0;
    if (last < first) last = first;
    for (int y = 0; y < dst.height; ++y) {
        unsigned char* out = row8(dst, y);
        const long long sy = static_cast<long long>(y0) + y;
        if (!have_src || sy < 0 || sy >= src.height || first == last) {
            std::memset(out, 0, static_cast<std::size_t>(dst.width) * bpp);
            continue;
        }
        std::memset(out, 0, static_cast<std::size_t>(first) * bpp);
        std::memcpy(out + first * bpp, row8(src, static_cast<int>(sy)) + (x0 + first) * bpp,
                    static_cast<std::size_t>(last - first) * bpp);
        std::memset(out + last * bpp, 0, static_cast<std::size_t>(dst.width - last) * bpp);
    }
}

int format_corner_title(const char* prefix, int x_min, int y_min, int x_max, int y_max, char* out, std::size_t size) {
    if (out == nullptr || size == 0) return 0;
    int n = std::snprintf(out, size, "%s(%d,%d)-(%d,%d)", prefix ? prefix : "", x_min, y_min, x_max, y_max);
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(n) < size ? n : static_cast<int>(size - 1);
}

}  // namespace kbx
