// Whole-picture operations, the seed fill and the test patterns on
// 1920 x 1080 and 4096 x 4096 pictures. Every benchmark reports ns_per_px;
// BM_Memcpy copies a buffer of the same size in the same run, the yardstick
// for the rest.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "imageproc/colour_models.h"
#include "imageproc/grey_levels.h"
#include "imageproc/paint_fill.h"
#include "imageproc/patterns.h"
#include "imageproc/pixel_view.h"
#include "imageproc/pixels.h"
#include "imageproc/scaling.h"
#include "imageproc/shapes.h"
#include "imageproc/transforms.h"

namespace {

using namespace kbx;

// Arguments: width, height, depth.
void sizes(benchmark::internal::Benchmark* b) {
    for (int depth : {32, 8}) {
        b->Args({1920, 1080, depth});
        b->Args({4096, 4096, depth});
    }
}
void sizes32(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080, 32});
    b->Args({4096, 4096, 32});
}

PixelImage make(const benchmark::State& state) {
    PixelImage image;
    make_pixel_image(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                     static_cast<int>(state.range(2)), &image);
    pattern_rgb(view_of(image));
    return image;
}

// ns per pixel: time divided by pixels processed, in nanoseconds.
void report(benchmark::State& state, double pixels_per_iteration) {
    state.counters["ns_per_px"] = benchmark::Counter(pixels_per_iteration * 1e-9,
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    state.counters["px"] = pixels_per_iteration;
}

void BM_Memcpy(benchmark::State& state) {
    PixelImage src = make(state), dst = make(state);
    const size_t bytes = src.words.size() * 4;
    for (auto _ : state) {
        std::memcpy(dst.words.data(), src.words.data(), bytes);
        benchmark::DoNotOptimize(dst.words.data());
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(src.width) * src.height);
}
BENCHMARK(BM_Memcpy)->Apply(sizes)->Unit(benchmark::kMillisecond);

template <void (*Op)(const PixelView&)>
void in_place(benchmark::State& state) {
    PixelImage image = make(state);
    PixelView view = view_of(image);
    for (auto _ : state) {
        Op(view);
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(image.width) * image.height);
}

void BM_PatternRgb(benchmark::State& s) { in_place<pattern_rgb>(s); }
void BM_PatternHsv(benchmark::State& s) { in_place<pattern_hsv>(s); }
void BM_PatternYCrCb(benchmark::State& s) { in_place<pattern_ycrcb>(s); }
void BM_PatternYuv(benchmark::State& s) { in_place<pattern_yuv>(s); }
void BM_PatternYiq(benchmark::State& s) { in_place<pattern_yiq>(s); }
void BM_PatternGrey(benchmark::State& s) { in_place<pattern_grey>(s); }
void BM_Invert(benchmark::State& s) { in_place<invert_pixels>(s); }
void BM_MirrorHorizontal(benchmark::State& s) { in_place<mirror_horizontal>(s); }
void BM_MirrorVertical(benchmark::State& s) { in_place<mirror_vertical>(s); }
void BM_Clear(benchmark::State& s) { in_place<clear_pixels>(s); }
// 8-bit pictures through the grey ramp.
void grey(const PixelView& view) { grey_pixels(view, nullptr); }
void threshold(const PixelView& view) { threshold_pixels(view, 128, nullptr); }
void BM_Grey(benchmark::State& s) { in_place<grey>(s); }
void BM_Threshold(benchmark::State& s) { in_place<threshold>(s); }
BENCHMARK(BM_PatternRgb)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternHsv)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternYCrCb)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternYuv)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternYiq)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternGrey)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Invert)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorHorizontal)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorVertical)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Clear)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grey)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Threshold)->Apply(sizes)->Unit(benchmark::kMillisecond);

// Colour-model passes: every pixel of the picture converted into three
// row-sized planes of channel values, row by row.
template <LumaModel Model>
void luma_pass_row(const std::uint32_t* in, int count, int* a, int* b, int* c) {
    luma_row(in, count, Model, a, b, c);
}

template <void (*Row)(const std::uint32_t*, int, int*, int*, int*)>
void convert(benchmark::State& state) {
    PixelImage image = make(state);
    PixelView view = view_of(image);
    std::vector<int> a(image.width), b(image.width), c(image.width);
    for (auto _ : state) {
        for (int y = 0; y < image.height; ++y) Row(row32(view, y), image.width, a.data(), b.data(), c.data());
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
        benchmark::DoNotOptimize(c.data());
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(image.width) * image.height);
}
void BM_ToYCrCb(benchmark::State& s) { convert<luma_pass_row<kModelYCrCb>>(s); }
void BM_ToYuv(benchmark::State& s) { convert<luma_pass_row<kModelYuv>>(s); }
void BM_ToYiq(benchmark::State& s) { convert<luma_pass_row<kModelYiq>>(s); }
BENCHMARK(BM_ToYCrCb)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToYuv)->Apply(sizes32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToYiq)->Apply(sizes32)->Unit(benchmark::kMillisecond);

template <int (*Turn)(const PixelView&, const PixelView&)>
void turn(benchmark::State& state) {
    PixelImage src = make(state), dst;
    make_pixel_image(src.height, src.width, src.depth, &dst);
    for (auto _ : state) {
        Turn(view_of(src), view_of(dst));
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(src.width) * src.height);
}
void BM_RotateRight(benchmark::State& s) { turn<rotate_right>(s); }
void BM_RotateLeft(benchmark::State& s) { turn<rotate_left>(s); }
BENCHMARK(BM_RotateRight)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateLeft)->Apply(sizes)->Unit(benchmark::kMillisecond);

// Scaling: the pixels counted are the destination's, the ones written.
template <void (*Scale)(const PixelView&, const PixelView&)>
void scale(benchmark::State& state) {
    PixelImage src = make(state), dst;
    const int factor = static_cast<int>(state.range(3));
    make_pixel_image(scaled_size(src.width, factor), scaled_size(src.height, factor), src.depth, &dst);
    for (auto _ : state) {
        Scale(view_of(src), view_of(dst));
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(dst.width) * dst.height);
}
void scale_sizes(benchmark::internal::Benchmark* b) {
    for (int f : kScaleFactors) {
        b->Args({1920, 1080, 32, f});
        b->Args({4096, 4096, 32, f});
    }
}
void BM_ScaleNearest(benchmark::State& s) { scale<scale_nearest>(s); }
void BM_ScaleAverage(benchmark::State& s) { scale<scale_average>(s); }
BENCHMARK(BM_ScaleNearest)->Apply(scale_sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleAverage)->Apply(scale_sizes)->Unit(benchmark::kMillisecond);

// Clipping the whole picture into a new buffer of the same size.
void BM_Clip(benchmark::State& state) {
    PixelImage src = make(state), dst;
    make_pixel_image(src.width, src.height, src.depth, &dst);
    for (auto _ : state) {
        copy_rect(view_of(src), 0, 0, view_of(dst));
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(src.width) * src.height);
}
BENCHMARK(BM_Clip)->Apply(sizes)->Unit(benchmark::kMillisecond);

// Fill of one flat region covering the picture; the colour alternates so
// that every iteration fills every pixel again.
void BM_FillFlat(benchmark::State& state) {
    PixelImage image = make(state);
    PixelView view = view_of(image);
    fill_box(view, 1, 0, 0, image.width - 1, image.height - 1);
    int colour = 2;
    for (auto _ : state) {
        paint_fill(view, colour, image.width / 2, image.height / 2);
        colour ^= 3;
        benchmark::ClobberMemory();
    }
    report(state, static_cast<double>(image.width) * image.height);
}
BENCHMARK(BM_FillFlat)->Apply(sizes)->Unit(benchmark::kMillisecond);

// Fill of the lattice maze (odd rows open at every other column): the
// ragged worst case that keeps very many seeds pending. Counted per pixel
// of the picture.
void BM_FillLattice(benchmark::State& state) {
    PixelImage image = make(state);
    PixelView view = view_of(image);
    fill_box(view, 1, 0, 0, image.width - 1, image.height - 1);
    for (int y = 1; y < image.height; y += 2)
        for (int x = 1; x < image.width; x += 2) store_inside(view, x, y, 9);
    int colour = 2;
    long long spilled = 0;
    for (auto _ : state) {
        spilled = paint_fill(view, colour, 0, 0).spilled;
        colour ^= 3;
        benchmark::ClobberMemory();
    }
    state.counters["spilled_seeds"] = static_cast<double>(spilled);
    report(state, static_cast<double>(image.width) * image.height);
}
BENCHMARK(BM_FillLattice)->Apply(sizes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
