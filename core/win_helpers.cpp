// Small helpers shared by every Win32 file: ANSI text at platform calls,
// the clipboard, menu items, the status label and the "Pause" message box.
#include <cstring>

#include "kbx_commands.h"
#include "core/win_runtime.h"
#include "core/win_state.h"
#include "core/status_text.h"
#include "textwin/text_cut.h"

namespace kbx {

void ansi_to_wide(const char* text, wchar_t* out, int count) {
    if (count <= 0) return;
    out[0] = 0;
    if (!text) return;
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, out, count);
    if (n == 0) {
        // Too long for the buffer: convert what fits and terminate.
        n = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(std::strlen(text)), out, count - 1);
        out[n > 0 ? n : 0] = 0;
    }
    out[count - 1] = 0;
}

int ansi_char_size(const unsigned char* text, int remaining) {
    const UINT code_page = GetACP();
    if (code_page == CP_UTF8) return utf8_char_size(text, remaining);
    return remaining >= 2 && IsDBCSLeadByteEx(code_page, text[0]) ? 2 : 1;
}

void copy_ansi(char* out, int size, const char* text) {
    if (!out || size <= 0) return;
    if (!text) text = "";
    const int length = narrow_prefix_length(text, lstrlenA(text), size - 1, ansi_char_size);
    std::memcpy(out, text, static_cast<size_t>(length));
    out[length] = 0;
}

namespace {

int ansi_bytes(const wchar_t* character, int units, void*) {
    return WideCharToMultiByte(CP_ACP, 0, character, units, nullptr, 0, nullptr, nullptr);
}

}  // namespace

void wide_to_ansi(const wchar_t* text, char* out, int size) {
    if (size <= 0) return;
    out[0] = 0;
    if (!text) return;
    // Too long for the buffer: keep whole characters only, never half a
    // double-byte one.
    int units = wide_prefix_fitting(text, lstrlenW(text), size - 1, ansi_bytes, nullptr);
    int n = units > 0 ? WideCharToMultiByte(CP_ACP, 0, text, units, out, size - 1, nullptr, nullptr) : 0;
    out[n > 0 ? n : 0] = 0;
}

void get_window_text_ansi(HWND window, char* out, int size) {
    wchar_t wide[1024];
    int units = size < 1024 ? size : 1024;
    GetWindowTextW(window, wide, units);
    wide_to_ansi(wide, out, size);
}

void set_window_text_ansi(HWND window, const char* text) {
    wchar_t wide[256];
    ansi_to_wide(text, wide, 256);
    SetWindowTextW(window, wide);
}

bool open_clipboard() {
    // A clipboard viewer or manager often holds the clipboard for a moment.
    const DWORD start = GetTickCount();
    while (!OpenClipboard(nullptr)) {
        if (GetTickCount() - start >= kClipboardWaitMs) return false;
        Sleep(5);
    }
    return true;
}

HGLOBAL new_clipboard_block(SIZE_T size, void** data) {
    *data = nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (!block) return nullptr;
    *data = GlobalLock(block);
    if (*data) return block;
    GlobalFree(block);
    return nullptr;
}

namespace {

// The second block, when there is one, is text of the first in UTF-16.
int hand_blocks(UINT format, HGLOBAL block, HGLOBAL wide) {
    GlobalUnlock(block);
    if (wide) GlobalUnlock(wide);
    if (!open_clipboard()) {
        GlobalFree(block);
        if (wide) GlobalFree(wide);
        return 1;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(format, block) != nullptr;
    if (!taken) GlobalFree(block);
    if (wide && (!taken || !SetClipboardData(CF_UNICODETEXT, wide))) GlobalFree(wide);
    CloseClipboard();
    return taken ? 0 : 2;
}

}  // namespace

int hand_to_clipboard(UINT format, HGLOBAL block) { return hand_blocks(format, block, nullptr); }

int hand_text_to_clipboard(HGLOBAL text) {
    // Readers of UTF-16 would otherwise get the system's conversion, which
    // takes the code page of the input locale rather than the program's.
    const char* bytes = static_cast<const char*>(GlobalLock(text));
    const int units = bytes ? MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0) : 0;
    void* data = nullptr;
    HGLOBAL wide = units > 0 ? new_clipboard_block(static_cast<SIZE_T>(units) * sizeof(wchar_t), &data) : nullptr;
    if (wide) MultiByteToWideChar(CP_ACP, 0, bytes, -1, static_cast<wchar_t*>(data), units);
    if (bytes) GlobalUnlock(text);
    return hand_blocks(CF_TEXT, text, wide);
}

void insert_menu_item(HMENU menu, UINT position, const char* text, UINT id, UINT state, HMENU submenu) {
    if (!text) {
        InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        return;
    }
    wchar_t wide[256];
    ansi_to_wide(text, wide, 256);
    if (submenu) {
        InsertMenuW(menu, position, MF_BYPOSITION | MF_POPUP | MF_STRING | state,
                    reinterpret_cast<UINT_PTR>(submenu), wide);
    } else {
        InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING | state, id, wide);
    }
}

void set_status_text(const char* text) {
    char padded[kStatusWidth];
    format_status_text(text, padded);
    set_window_text_ansi(control.status_label, padded);
}

void set_run_state(int state) {
    SetPropW(control.window, KBX_RUN_STATE_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state)));
}

void count_point_taken() {
    const INT_PTR taken = reinterpret_cast<INT_PTR>(GetPropW(control.window, KBX_POINTS_TAKEN_PROPERTY));
    SetPropW(control.window, KBX_POINTS_TAKEN_PROPERTY, reinterpret_cast<HANDLE>(taken + 1));
}

void show_depth_status() {
    char depth_text[16];
    format_depth_text(screen_depth, depth_text);
    set_status_text(depth_text);
}

void pause_message(const char* text) {
    wchar_t wide[256];
    ansi_to_wide(text, wide, 256);
    MessageBoxW(nullptr, wide, L"Pause", MB_OK);
}

}  // namespace kbx

KBX_WindowHandle KBX_MainWindow() { return kbx::control.window; }

void KBX_SetForeground(KBX_WindowHandle window) {
    SetForegroundWindow(static_cast<HWND>(window));
}
