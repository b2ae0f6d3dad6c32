// Image files through GDI+: loading into the current picture, saving it in
// five formats, and the open and save dialogs with their remembered state.
#include <windows.h>
#include <commdlg.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/image_file_names.h"
#include "image/index_colors.h"
#include "image/win_image_window.h"
#include "image/win_gdiplus.h"
#include "imageproc/image_source.h"
#include "imageproc/pixels.h"

namespace kbx {

int jpeg_quality = 100;
int open_filter_index = 2;
int save_filter_index = 2;

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}: the encoder's quality parameter.
const GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

// Palette entries from a GDI+ image, alpha cleared. Never more than the
// buffer holds, whatever size the file reports.
int read_file_palette(GpImage* image, RGBQUAD* out) {
    INT bytes = 0;
    if (GdipGetImagePaletteSize(image, &bytes) != Ok || bytes <= 8) return 0;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(bytes) + sizeof(ColorPalette));
    ColorPalette* palette = reinterpret_cast<ColorPalette*>(buffer.data());
    if (GdipGetImagePalette(image, palette, bytes) != Ok) return 0;
    int count = (bytes - 8) / 4;
    if (count > static_cast<int>(palette->Count)) count = static_cast<int>(palette->Count);
    if (count > 256) count = 256;
    for (int i = 0; i < count; ++i) {
        ARGB c = palette->Entries[i];
        out[i].rgbBlue = static_cast<BYTE>(c);
        out[i].rgbGreen = static_cast<BYTE>(c >> 8);
        out[i].rgbRed = static_cast<BYTE>(c >> 16);
        out[i].rgbReserved = 0;
    }
    return count;
}

// Draws the file's image at (x, y) in its own pixel size, clipped to the
// picture so that nothing outside it can be touched.
void draw_into_picture(GpImage* image, const ImageWindowRecord& r, int x, int y, UINT w, UINT h) {
    long long right = static_cast<long long>(x) + w, bottom = static_cast<long long>(y) + h;
    if (right <= 0 || bottom <= 0 || x >= r.width || y >= r.height) return;   // nothing to draw
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(r.memory_dc, &graphics) != Ok) return;
    GdipSetPageUnit(graphics, UnitPixel);
    GdipSetClipRectI(graphics, 0, 0, r.width, r.height, CombineModeReplace);
    GdipDrawImageRectI(graphics, image, x, y, static_cast<INT>(w), static_cast<INT>(h));
    GdipDeleteGraphics(graphics);
    GdiFlush();
}

// The current 32-bit picture as a 24-bit GDI+ bitmap.
GpBitmap* bitmap_from_32(int width, int height) {
    std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::uint32_t* buffer = static_cast<std::uint32_t*>(std::malloc(count * 4));
    if (!buffer) return nullptr;
    copy_image_rect(buffer, 0, 0, width, height);
    GpBitmap* wrapper = nullptr;
    GpBitmap* clone = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(buffer),
                                  &wrapper) == Ok) {
        GdipCloneBitmapAreaI(0, 0, width, height, PixelFormat24bppRGB, wrapper, &clone);
        GdipDisposeImage(wrapper);
    }
    std::free(buffer);
    return clone;
}

// GIF holds palette indices only. Not every GDI+ quantises a 24-bit bitmap
// for it (some write an empty image and report success), so the picture is
// indexed here: exactly when it has at most 256 colours. pixels must
// outlive the bitmap. Null also when there is no memory for the copies.
GpBitmap* indexed_bitmap_from_32(int width, int height, std::vector<unsigned char>* pixels) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t stride = image_row_bytes(8, width);
    std::uint32_t colors[256] = {};
    int used = 0;
    try {
        std::vector<std::uint32_t> words(count);
        copy_image_rect(words.data(), 0, 0, width, height);
        std::vector<unsigned char> indices(count);
        used = index_colors(words.data(), count, colors, indices.data());
        pixels->assign(stride * static_cast<std::size_t>(height), 0);
        for (int y = 0; y < height; ++y)
            std::memcpy(pixels->data() + stride * y, indices.data() + static_cast<std::size_t>(width) * y,
                        static_cast<std::size_t>(width));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, static_cast<INT>(stride), PixelFormat8bppIndexed, pixels->data(),
                                  &bitmap) != Ok)
        return nullptr;
    union {
        ColorPalette table;
        unsigned char bytes[sizeof(ColorPalette) + 256 * sizeof(ARGB)];
    } entries;
    ColorPalette* palette = &entries.table;
    palette->Flags = 0;
    palette->Count = static_cast<UINT>(used);
    for (int i = 0; i < used; ++i) palette->Entries[i] = 0xFF000000u | colors[i];
    GdipSetImagePalette(bitmap, palette);
    return bitmap;
}

struct Dib8 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// The current 8-bit picture as an 8-bit DIB section wrapped by GDI+; the
// section must outlive the bitmap.
GpBitmap* bitmap_from_8(int width, int height, Dib8* info, HBITMAP* section) {
    std::memset(info, 0, sizeof *info);
    info->header.biSize = sizeof(BITMAPINFOHEADER);
    info->header.biWidth = width;
    info->header.biHeight = -height;
    info->header.biPlanes = 1;
    info->header.biBitCount = 8;
    info->header.biCompression = BI_RGB;
    info->header.biXPelsPerMeter = 2834;   // 72 dots per inch
    info->header.biYPelsPerMeter = 2834;
    get_image_palette(info->colors);
    void* bits = nullptr;
    *section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!*section || !bits) return nullptr;
    const std::size_t stride = image_row_bytes(8, width);
    unsigned char* rows = static_cast<unsigned char*>(bits);
    for (int y = 0; y < height; ++y) copy_image_rect(rows + static_cast<std::size_t>(y) * stride, 0, y, width, 1);
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromGdiDib(reinterpret_cast<BITMAPINFO*>(info), bits, &bitmap) != Ok) return nullptr;
    // Some GDI+ versions ignore the DIB's colour table; give it explicitly.
    std::vector<unsigned char> buffer(sizeof(ColorPalette) + 256 * sizeof(ARGB));
    ColorPalette* palette = reinterpret_cast<ColorPalette*>(buffer.data());
    palette->Flags = 0;
    palette->Count = 256;
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& q = info->colors[i];
        palette->Entries[i] = 0xFF000000u | (static_cast<ARGB>(q.rgbRed) << 16) |
                              (static_cast<ARGB>(q.rgbGreen) << 8) | q.rgbBlue;
    }
    GdipSetImagePalette(bitmap, palette);
    return bitmap;
}

bool is_null_clsid(const CLSID& id) {
    static const CLSID zero = {};
    return std::memcmp(&id, &zero, sizeof id) == 0;
}

}  // namespace

int load_image_file(const char* path, int x, int y) {
    if (!image_window_in_use(current_image)) return 2;
    const ImageWindowRecord& r = image_windows[current_image];
    wchar_t wide[kImagePathChars];
    ansi_to_wide(path, wide, kImagePathChars);
    GpImage* image = nullptr;
    if (GdipLoadImageFromFile(wide, &image) != Ok || !image) return 1;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    if (w == 0 || h == 0) {
        GdipDisposeImage(image);
        return 1;
    }
    if (r.depth == 8) {
        RGBQUAD palette[256];
        int count = read_file_palette(image, palette);
        if (count >= 1) set_image_palette(palette, count);
    }
    draw_into_picture(image, r, x, y, w, h);
    GdipDisposeImage(image);
    keep_pixels_plain(current_image);
    return 0;
}

CLSID find_encoder(const wchar_t* mime_type) {
    CLSID found = {};
    UINT count = 0, bytes = 0;
    if (GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0 || bytes == 0) return found;
    std::vector<unsigned char> buffer(bytes);
    ImageCodecInfo* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, bytes, codecs) != Ok) return found;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mime_type) == 0) {
            found = codecs[i].Clsid;
            break;
        }
    }
    return found;
}

namespace {

// Whether a save that failed could have written the file at all. The probe
// leaves nothing behind that was not there before.
bool can_write_file(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    CloseHandle(file);
    if (created) DeleteFileW(path);
    return true;
}

}  // namespace

void keep_pixels_plain(int n) {
    PixelView view;
    if (image_view(n, &view)) clear_unused_bytes(view);
}

int write_image_file(int width, int height, int format, const wchar_t* path) {
    if (!image_window_in_use(current_image)) return 4;
    if (width <= 0 || height <= 0) return 5;
    if (format < 0 || format >= kFormatCount) return 1;
    // A buffer of w x h words must be addressable.
    if (static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > 0x1FFFFFFFull) return 3;

    const ImageWindowRecord& r = image_windows[current_image];
    Dib8 info;
    HBITMAP section = nullptr;
    std::vector<unsigned char> indexed;
    GpBitmap* bitmap = r.depth == 8              ? bitmap_from_8(width, height, &info, &section)
                       : format == kFormatGif ? indexed_bitmap_from_32(width, height, &indexed)
                                              : bitmap_from_32(width, height);

    int result = 3;
    CLSID encoder = find_encoder(kImageFormats[format].mime_type);
    if (bitmap && !is_null_clsid(encoder)) {
        ULONG quality = static_cast<ULONG>(jpeg_quality);
        EncoderParameters parameters;
        parameters.Count = 1;
        parameters.Parameter[0].Guid = kEncoderQuality;
        parameters.Parameter[0].NumberOfValues = 1;
        parameters.Parameter[0].Type = EncoderParameterValueTypeLong;
        parameters.Parameter[0].Value = &quality;
        GpStatus status = GdipSaveImageToFile(bitmap, path, &encoder, format == kFormatJpeg ? &parameters : nullptr);
        result = status == Ok ? 0 : can_write_file(path) ? 3 : 2;
    }
    if (bitmap) GdipDisposeImage(bitmap);
    if (section) DeleteObject(section);
    return result;
}

int save_image_file(int height, int width, int format, const char* path) {
    wchar_t wide[kImagePathChars];
    ansi_to_wide(path, wide, kImagePathChars);
    if (format >= 0 && format < kFormatCount) add_extension(wide, kImageFormats[format].extension);
    // Every failure of the save itself is 1 here: an unwritable file too.
    switch (write_image_file(width, height, format, wide)) {
        case 0: return 0;
        case 4: return 3;
        case 5: return 2;
        default: return 1;
    }
}

bool probe_picture_file(const wchar_t* path, wchar_t* full, int full_chars, char* name_ansi, int name_bytes,
                        UINT* width, UINT* height) {
    *width = *height = 0;
    wchar_t* name = nullptr;
    if (!GetFullPathNameW(path, full_chars, full, &name) || !name || !*name) return false;
    wide_to_ansi(name, name_ansi, name_bytes);
    GpImage* image = nullptr;
    if (GdipLoadImageFromFile(full, &image) != Ok || !image) return false;
    GdipGetImageWidth(image, width);
    GdipGetImageHeight(image, height);
    GdipDisposeImage(image);
    return *width != 0 && *height != 0;
}

int load_image_file_into(int n, const char* path, int x, int y) {
    if (!image_window_in_use(n)) return 2;
    const ImageSelection selection = saved_selection();
    select_image(n);
    const int result = load_image_file(path, x, y);
    InvalidateRect(image_windows[n].window, nullptr, FALSE);
    restore_selection(selection);
    return result;
}

namespace {

// The dialogs share everything but their memory and texts.
struct DialogSetup {
    int filter_count;
    int* filter_index;
    wchar_t* folder_w;
    char* folder;
    int folder_bytes;
    const wchar_t* initial_name;   // null: the remembered filter's pattern
    const wchar_t* title;
    DWORD flags;
    bool save;
};

int run_file_dialog(const DialogSetup& setup, char* out, HWND owner) {
    wchar_t filters[512];
    build_filter_list(setup.filter_count, filters, 512);
    int index = *setup.filter_index;
    if (index < 1 || index > setup.filter_count) index = 2;
    wchar_t file[kImagePathChars];
    const wchar_t* initial = setup.initial_name ? setup.initial_name : kImageFileFilters[index - 1].pattern;
    lstrcpynW(file, initial, kImagePathChars);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters;
    dialog.nFilterIndex = static_cast<DWORD>(index);
    dialog.lpstrFile = file;
    dialog.nMaxFile = kImagePathChars;
    dialog.lpstrInitialDir = setup.folder_w;
    dialog.lpstrTitle = setup.title;
    dialog.Flags = setup.flags;
    BOOL chosen = setup.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return 1;

    wide_to_ansi(file, out, kImagePathChars);
    *setup.filter_index = static_cast<int>(dialog.nFilterIndex);
    cut_to_folder(file);
    lstrcpynW(setup.folder_w, file, kPathChars);
    wide_to_ansi(setup.folder_w, setup.folder, setup.folder_bytes);
    return 0;
}

}  // namespace

int choose_open_file(char* out, HWND owner) {
    DialogSetup setup = {kOpenFilterCount, &open_filter_index, open_dir_w, open_dir, static_cast<int>(sizeof open_dir),
                         nullptr, L"Load image file",
                         OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, false};
    return run_file_dialog(setup, out, owner);
}

int choose_save_file(char* out, HWND owner) {
    DialogSetup setup = {kSaveFilterCount, &save_filter_index, save_dir_w, save_dir, static_cast<int>(sizeof save_dir),
                         L"noname", L"Save as", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, true};
    return run_file_dialog(setup, out, owner);
}

}  // namespace kbx
