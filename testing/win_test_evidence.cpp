#include "testing/win_test_evidence.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "testing/win_picture_files.h"
#include "testing/win_test_state.h"

namespace kbxtest {

namespace {

struct Started {
    DWORD pid;
    HANDLE process;   // our own handle: the exit code outlives the program
    std::wstring folder;
};
std::vector<Started> started;
int evidence_left = 0;
const int kMostEvidence = 3;   // a run that fails everywhere keeps the first few

struct WindowsOf {
    DWORD pid;
    RECT all;
    bool any;
};

BOOL CALLBACK add_window(HWND window, LPARAM context) {
    auto* of = reinterpret_cast<WindowsOf*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT r;
    if (pid != of->pid || !IsWindowVisible(window) || !GetWindowRect(window, &r)) return TRUE;
    if (of->any) UnionRect(&of->all, &of->all, &r);
    else of->all = r;
    of->any = true;
    return TRUE;
}

// What the screen shows where the program's windows are, as a PNG.
bool save_screenshot(DWORD pid, const std::wstring& path) {
    WindowsOf of = {pid, {}, false};
    EnumWindows(add_window, reinterpret_cast<LPARAM>(&of));
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, r;
    if (!of.any || !IntersectRect(&r, &of.all, &screen)) return false;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen_dc = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen_dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (shot) {
        HGDIOBJ old = SelectObject(dc, shot);
        BitBlt(dc, 0, 0, w, h, screen_dc, r.left, r.top, SRCCOPY);
        SelectObject(dc, old);
        const auto* words = static_cast<const unsigned*>(bits);
        std::vector<unsigned> pixels(words, words + static_cast<size_t>(w) * h);
        for (unsigned& p : pixels) p &= 0xFFFFFF;
        saved = write_png_file(path, w, h, pixels);
        DeleteObject(shot);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen_dc);
    return saved;
}

// Copies of the program's window logs (KOBRIX<instance><n>.LOG) as far as
// they are written; their names, one per line.
std::string copy_logs(const std::wstring& folder, const std::wstring& prefix) {
    std::string names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\KOBRIX*.LOG").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring copy = prefix + found.cFileName;
        if (CopyFileW((folder + L"\\" + found.cFileName).c_str(), copy.c_str(), FALSE))
            names += "  log: " + to_utf8(copy) + "\n";
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

void note_program_started(const KBX_TestProgram* program) {
    HANDLE own = nullptr;
    DuplicateHandle(GetCurrentProcess(), program->process, GetCurrentProcess(), &own, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    started.push_back({static_cast<DWORD>(program->pid), own, to_wide(program->folder)});
}

void note_program_ended(const KBX_TestProgram* program) {
    for (size_t i = 0; i < started.size(); ++i)
        if (started[i].pid == program->pid) {
            if (started[i].process) CloseHandle(started[i].process);
            started.erase(started.begin() + static_cast<long>(i));
            return;
        }
}

std::string leave_evidence() {
    std::string lines;
    for (size_t i = 0; i < started.size(); ++i) {
        const Started& s = started[i];
        DWORD code = STILL_ACTIVE;
        if (s.process && GetExitCodeProcess(s.process, &code) && code != STILL_ACTIVE) {
            char line[128];
            std::snprintf(line, sizeof line, "  the program (process %lu) had ended, exit code %lu\n",
                          static_cast<unsigned long>(s.pid), static_cast<unsigned long>(code));
            lines += line;
            continue;
        }
        if (evidence_left >= kMostEvidence) continue;
        const std::wstring prefix = folder_from_environment(L"KBX_TEST_ARTIFACTS", L"kbx_artifacts") + L"\\failure" +
                                    std::to_wstring(evidence_left + 1) + L"_" + std::to_wstring(s.pid) + L"_";
        if (save_screenshot(s.pid, prefix + L"screen.png")) lines += "  screenshot: " + to_utf8(prefix) + "screen.png\n";
        lines += copy_logs(s.folder, prefix);
        ++evidence_left;
    }
    return lines;
}

}  // namespace kbxtest
