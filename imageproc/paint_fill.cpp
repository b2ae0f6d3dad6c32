#include "imageproc/paint_fill.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "imageproc/pixels.h"

namespace kbx {

namespace {

struct Seed {
    int x, y;
};

// Last pushed, first popped. The fixed part serves the common fill without
// allocating; once it is full, further seeds go to a growing heap part, and
// those are popped first, so the order is one stack across both.
struct SeedStack {
    Seed local[kLocalFillSeeds];
    int local_count = 0;
    std::vector<Seed> spill;
    long long spilled = 0;

    bool push(int x, int y) {
        if (local_count < kLocalFillSeeds && spill.empty()) {
            local[local_count++] = Seed{x, y};
            return true;
        }
        try {
            spill.push_back(Seed{x, y});
        } catch (const std::bad_alloc&) {
            return false;   // the caller keeps its flag open and tries again
        }
        ++spilled;
        return true;
    }
    bool pop(Seed* out) {
        if (!spill.empty()) {
            *out = spill.back();
            spill.pop_back();
            return true;
        }
        if (local_count == 0) return false;
        *out = local[--local_count];
        return true;
    }
};

// Runs are scanned once, their neighbours above and below seeded at the
// start of each matching stretch, and then filled in one go. Filled pixels
// never equal the target again, so every seed either fills or is dropped.
template <typename Pixel>
FillCount fill_region(const PixelView& view, Pixel target, Pixel fill, int x, int y) {
    const int w = view.width, h = view.height;
    auto row = [&](int yy) { return reinterpret_cast<Pixel*>(view.pixels + static_cast<std::ptrdiff_t>(yy) * view.stride); };
    SeedStack stack;
    long long filled = 0;
    for (;;) {
        Pixel* here = row(y);
        Pixel* above = y > 0 ? row(y - 1) : nullptr;
        Pixel* below = y + 1 < h ? row(y + 1) : nullptr;
        while (x > 0 && here[x - 1] == target) --x;
        const int x0 = x;
        bool up_open = true, down_open = true;
        for (; x < w && here[x] == target; ++x) {
            bool up_match = above != nullptr && above[x] == target;
            if (up_open) {
                if (up_match && stack.push(x, y - 1)) up_open = false;
            } else if (!up_match) {
                up_open = true;
            }
            bool down_match = below != nullptr && below[x] == target;
            if (down_open) {
                if (down_match && stack.push(x, y + 1)) down_open = false;
            } else if (!down_match) {
                down_open = true;
            }
        }
        std::fill(here + x0, here + x, fill);
        filled += x - x0;
        // Each run is a line from its first to its last pixel.
        pen_position.x = x - 1;
        pen_position.y = y;
        Seed s;
        bool found = false;
        while (stack.pop(&s)) {
            if (row(s.y)[s.x] == target) {
                found = true;
                break;
            }
        }
        if (!found) return FillCount{filled, stack.spilled};
        x = s.x;
        y = s.y;
    }
}

}  // namespace

FillCount paint_fill(const PixelView& view, int colour, int x, int y) {
    if (!view_usable(view) || !inside(view, x, y)) return FillCount{0, 0};
    // Compare with what a store leaves behind (the low byte at depth 8), or a
    // fill whose colour differs only above the index would never end.
    const int target = probe_pixel(view, x, y), fill = stored_value(view, colour);
    if (target == fill) return FillCount{0, 0};
    if (view.depth == 32)
        return fill_region<std::uint32_t>(view, static_cast<std::uint32_t>(target), static_cast<std::uint32_t>(fill), x, y);
    return fill_region<unsigned char>(view, static_cast<unsigned char>(target), static_cast<unsigned char>(fill), x, y);
}

}  // namespace kbx
