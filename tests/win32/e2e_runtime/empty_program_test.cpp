// A built KOBRIX program, driven from outside as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "kbx_commands.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

std::wstring trimmed(const std::wstring& s) {
    size_t a = s.find_first_not_of(L' ');
    size_t b = s.find_last_not_of(L' ');
    return a == std::wstring::npos ? L"" : s.substr(a, b - a + 1);
}

// The status label once start-up has replaced "Ready".
std::wstring settled_status(HWND control) {
    std::wstring status;
    wait_until([&] {
        auto labels = child_windows(control, L"Static");
        if (labels.empty()) labels = child_windows(control, L"STATIC");
        status = labels.empty() ? L"" : trimmed(window_text(labels[0]));
        return !status.empty() && status != L"Ready";
    }, 10000);
    return status;
}

// Escape on the control window ends the program, with exit code 0; its
// main routine returns by itself instead of being ended after the grace.
void expect_ends_on_escape(Process& p, HWND control) {
    // Named once the control window has fallen into place and started it.
    ULONG_PTR id = 0;
    wait_until([&] { return (id = reinterpret_cast<ULONG_PTR>(GetPropW(control, KBX_PROGRAM_THREAD_PROPERTY))) != 0; });
    HANDLE thread = OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    post_key(control, VK_ESCAPE);
    DWORD code = 99, thread_code = 99;
    EXPECT_TRUE(wait_exit(p, 10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(thread && GetExitCodeThread(thread, &thread_code));
    EXPECT_EQ(thread_code, 0u);
    if (thread) CloseHandle(thread);
    terminate(p);
}

// Drawn at the display's own scale, not stretched by the system: so says
// the application manifest built into the program (resource 1 of type
// RT_MANIFEST).
void expect_dpi_aware(const std::wstring& exe) {
    std::string manifest;
    if (HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        if (const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr)
            manifest.assign(bytes, SizeofResource(module, found));
        FreeLibrary(module);
    }
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">system</dpiAwareness>"), std::string::npos) << manifest;
}

}  // namespace

TEST(EmptyProgram, StartsShowsDepthAndEndsOnEscape) {
    expect_dpi_aware(program_path(L"kobrix_empty"));
    Process p = launch(program_path(L"kobrix_empty"), make_temp_dir(L"empty"));
    ASSERT_NE(p.handle, nullptr);
    HWND control = wait_for_window(L"kobrix_mw0", nullptr, 15000, p.pid);
    ASSERT_NE(control, nullptr);
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(settled_status(control), std::to_wstring(depth) + L"-bit color");
    const RECT fallen = window_rect(control);
    expect_ends_on_escape(p, control);
    // With animation effects off (as in-process runs have them) the window
    // is at once where the animated fall ended.
    RECT still = {};
    run_framework_with([] {}, [] {}, [&] { still = window_rect(wait_for_control_window()); });
    EXPECT_TRUE(EqualRect(&fallen, &still));
}

// The example project's program, built outside this tree (tests/consumer).
TEST(ConsumerProgram, ShowsControlWindowAndEndsOnEscape) {
    const char* exe = std::getenv("KBX_CONSUMER_PROGRAM");
    if (!exe) GTEST_SKIP() << "run by the consumer_*_run tests";
    std::wstring path;
    for (char c : host_path(exe)) path += static_cast<wchar_t>(c);
    expect_dpi_aware(path);
    const std::wstring folder = make_temp_dir(L"consumer");
    Process p = launch(path, folder);
    ASSERT_NE(p.handle, nullptr) << exe;
    HWND control = wait_for_window(L"kobrix_mw0", nullptr, 15000, p.pid);
    ASSERT_NE(control, nullptr);
    // What a program shows when it is done: an image window whose title
    // begins with this text, and a file it wrote into its folder.
    if (const char* title = std::getenv("KBX_CONSUMER_TITLE")) {
        const std::wstring want(title, title + std::strlen(title));
        std::wstring last;
        EXPECT_TRUE(wait_until([&] {
            for (HWND w : top_level_windows(p.pid, L"kbx_iw")) {
                last = window_text(w);
                if (last.compare(0, want.size(), want) == 0) return true;
            }
            return false;
        }, 30000)) << title << " / last seen: " << std::string(last.begin(), last.end());
    }
    if (const char* name = std::getenv("KBX_CONSUMER_FILE")) {
        std::string contents;
        EXPECT_TRUE(read_file(join_path(folder, std::wstring(name, name + std::strlen(name))), &contents)) << name;
        EXPECT_FALSE(contents.empty()) << name;
    }
    expect_ends_on_escape(p, control);
}

TEST(EmptyProgram, SecondInstanceTakesNumberOne) {
    Process first = launch(program_path(L"kobrix_empty"), make_temp_dir(L"first"));
    HWND c0 = wait_for_window(L"kobrix_mw0", nullptr, 15000, first.pid);
    ASSERT_NE(c0, nullptr);
    Process second = launch(program_path(L"kobrix_empty"), make_temp_dir(L"second"));
    HWND c1 = wait_for_window(L"kobrix_mw1", nullptr, 15000, second.pid);
    EXPECT_NE(c1, nullptr);

    // X ends the program too; the exit code is 0 either way.
    if (c1) post_key(c1, 'X');
    post_key(c0, 'X');
    DWORD code0 = 99, code1 = 99;
    EXPECT_TRUE(wait_exit(first, 10000, &code0));
    EXPECT_TRUE(wait_exit(second, 10000, &code1));
    EXPECT_EQ(code0, 0u);
    EXPECT_EQ(code1, 0u);
    terminate(first);
    terminate(second);
}
