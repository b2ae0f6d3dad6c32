// The user-program calls for grey levels and thresholds of a whole picture.
// An 8-bit window's indices are mapped through its palette, which then
// becomes the grey ramp.
#include <cstdint>
#include <cstring>

#include "core/win_state.h"
#include "image/win_image_window.h"
#include "imageproc/grey_levels.h"
#include "imageproc/patterns.h"
#include "imageproc/win_tool_support.h"
#include "kbx_imageproc.h"

namespace {

int level_image(int n, bool grey, int level) {
    if (!kbx::image_window_in_use(n)) return 4;
    const kbx::ImageWindowRecord& r = kbx::image_windows[n];
    const kbx::PixelView view = kbx::window_pixels(n);
    RGBQUAD quads[256] = {};
    std::uint32_t palette[256] = {};
    if (r.depth == 8) {
        // An RGBQUAD holds the bytes of a word 0x00RRGGBB.
        GetDIBColorTable(r.memory_dc, 0, 256, quads);
        std::memcpy(palette, quads, sizeof palette);
    }
    if (grey)
        kbx::grey_pixels(view, palette);
    else
        kbx::threshold_pixels(view, level, palette);
    if (r.depth == 8) {
        kbx::grey_ramp_palette(reinterpret_cast<unsigned char*>(quads));
        SetDIBColorTable(r.memory_dc, 0, 256, quads);
    }
    kbx::invalidate_image(n);
    return 0;
}

}  // namespace

int KBX_GreyImage(int n) { return level_image(n, true, 0); }
int KBX_ThresholdImage(int n, int level) { return level_image(n, false, level); }
