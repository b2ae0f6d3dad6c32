// Pictures on the clipboard as packed DIBs (CF_DIB): copy, paste, and the
// hand-over of a clipboard bitmap to the current image window.
#include <cstring>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/dib_block.h"
#include "image/win_image_window.h"

namespace kbx {

namespace {

// A 40-byte header with room for masks or a full colour table, aligned as
// the platform wants a BITMAPINFO.
union PlainInfo {
    BITMAPINFO info;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } full;
    unsigned char bytes[kDibHeaderBytes + 4 * kPaletteEntries];
};

HBITMAP bitmap_from_dib_block(HGLOBAL handle, RGBQUAD* palette, int* count, int* why) {
    const SIZE_T size = GlobalSize(handle);
    const unsigned char* block = static_cast<const unsigned char*>(GlobalLock(handle));
    *why = 1;
    if (!block) return nullptr;
    *why = 2;
    HBITMAP bitmap = nullptr;
    DibView view;
    // Another program wrote this block: nothing is read that the parser
    // has not checked against its real size.
    if (parse_dib_block(block, size, &view)) {
        if (view.table_entries > 0) {
            std::memcpy(palette, block + view.table_offset, static_cast<std::size_t>(view.table_entries) * 4);
            *count = view.table_entries;
        }
        PlainInfo plain;
        write_plain_bitmap_info(view, block, plain.bytes);
        // A section in the block's own format, not a bitmap of the screen's:
        // an 8-bit picture keeps its indices, so that pasting it into a
        // window with the same palette copies them exactly rather than
        // through the platform's nearest-colour search.
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &plain.info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap && bits) {
            GdiFlush();
            std::memcpy(bits, block + view.pixel_offset, view.pixel_bytes);
        }
        *why = bitmap ? 0 : 3;
    }
    GlobalUnlock(handle);
    return bitmap;
}

// A copy of the clipboard's own bitmap, which stays the clipboard's.
HBITMAP copy_of_bitmap(HBITMAP source) {
    return static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

int copy_image_to_clipboard(int n) {
    if (!image_window_in_use(n)) return 4;
    const ImageWindowRecord& r = image_windows[n];
    const std::size_t size = clipboard_dib_size(r.depth, r.width, r.height);
    void* block = nullptr;
    HGLOBAL handle = size ? new_clipboard_block(size, &block) : nullptr;
    if (!handle) return 3;
    RGBQUAD palette[256] = {};
    if (r.depth == 8) GetDIBColorTable(r.memory_dc, 0, 256, palette);
    GdiFlush();
    write_clipboard_dib(r.depth, r.width, r.height, image_pixels8[n], reinterpret_cast<const PaletteEntry*>(palette),
                        static_cast<unsigned char*>(block));
    return hand_to_clipboard(CF_DIB, handle);
}

bool save_image_dib(int n, const wchar_t* path) {
    if (!image_window_in_use(n)) return false;
    const ImageWindowRecord& r = image_windows[n];
    const std::size_t size = clipboard_dib_size(r.depth, r.width, r.height);
    if (size == 0) return false;
    std::vector<unsigned char> block(size);
    RGBQUAD palette[256] = {};
    if (r.depth == 8) GetDIBColorTable(r.memory_dc, 0, 256, palette);
    GdiFlush();
    write_clipboard_dib(r.depth, r.width, r.height, image_pixels8[n], reinterpret_cast<const PaletteEntry*>(palette),
                        block.data());
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, block.data(), static_cast<DWORD>(size), &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

HBITMAP read_clipboard_bitmap(RGBQUAD* palette, int* count, int* why) {
    int reason = 1;
    if (!why) why = &reason;
    *why = 1;
    *count = 0;
    if (IsClipboardFormatAvailable(CF_DIB)) {
        if (!open_clipboard()) return nullptr;
        HGLOBAL handle = GetClipboardData(CF_DIB);
        HBITMAP bitmap = handle ? bitmap_from_dib_block(handle, palette, count, why) : nullptr;
        CloseClipboard();
        return bitmap;
    }
    if (IsClipboardFormatAvailable(CF_BITMAP) && open_clipboard()) {
        HBITMAP source = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        HBITMAP bitmap = source ? copy_of_bitmap(source) : nullptr;
        CloseClipboard();
        if (source) *why = bitmap ? 0 : 3;
        return bitmap;
    }
    return nullptr;
}

void paste_into_image(int n, int x, int y) { paste_clipboard_picture(n, x, y, x == -1 || y == -1); }

int paste_clipboard_picture(int n, int x, int y, bool user_places) {
    if (!image_window_in_use(n)) return 4;
    RGBQUAD palette[256];
    int count = 0, why = 1;
    HBITMAP bitmap = read_clipboard_bitmap(palette, &count, &why);
    if (!bitmap) return why;
    const ImageWindowRecord& r = image_windows[n];
    HDC dc = CreateCompatibleDC(r.memory_dc);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    const int w = info.bmWidth, h = info.bmHeight;
    bool placed = true;
    if (user_places) {
        int cx = 0, cy = 0;
        placed = pick_placement(n, w, h, &cx, &cy) == 0 && image_window_in_use(n);
        x = cx - w / 2;
        y = cy - h / 2;
    }
    if (placed) {
        const ImageWindowRecord& target = image_windows[n];
        if (count > 0) SetDIBColorTable(target.memory_dc, 0, static_cast<UINT>(count), palette);
        BitBlt(target.memory_dc, x, y, w, h, dc, 0, 0, SRCCOPY);
        keep_pixels_plain(n);
        InvalidateRect(target.window, nullptr, FALSE);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return placed ? 0 : 5;
}

void put_bitmap_into_current_image(HBITMAP bitmap) {
    if (!bitmap) return;
    if (image_window_in_use(current_image)) {
        const ImageWindowRecord& r = image_windows[current_image];
        HDC dc = CreateCompatibleDC(r.memory_dc);
        HGDIOBJ old = SelectObject(dc, bitmap);
        BITMAP info = {};
        GetObjectW(bitmap, sizeof info, &info);
        BitBlt(r.memory_dc, 0, 0, info.bmWidth, info.bmHeight, dc, 0, 0, SRCCOPY);
        keep_pixels_plain(current_image);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    DeleteObject(bitmap);
}

}  // namespace kbx
