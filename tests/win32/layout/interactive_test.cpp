// Creating windows by hand from the control window: prompts answered by
// typing into text window 0, paste, file drops, and what is refused once the
// main routine runs.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "kobrix.h"
#include "tests/support/driver.h"

using namespace kbxtest;

namespace {

void no_setup() {}
void two_images_setup() {
    KBX_CreateImage(0, "a", 0, 0, 40, 30, 100);
    KBX_CreateImage(1, "b", 100, 0, 40, 30, 100);
}
std::atomic<int> setup_gate{0};
void gated_setup() {
    while (setup_gate == 0) Sleep(1);
}
void idle_main() {
    while (exit_state == 0)
        if (wait_100ms() == 1) Sleep(20);
}

// Pictures here are larger than the smallest window, so they keep zoom 100.

// Waits for a prompt to take its line, then types the answer.
void answer(const std::wstring& text) {
    wait_until([] { return kbx::input_active != 0; }, 10000);
    HWND w = kbx::text_windows[kbx::input_active - 1].window;
    // The entered line replaces the recall line: mark it to see that happen
    // (the next prompt may start before a poll would see the input end).
    kbx::recall_line[0] = 0xFFFF;
    post_text(w, text);
    post_char(w, L'\r');
    wait_until([] { return kbx::recall_line[0] != 0xFFFF; }, 10000);
}

int open_image_count() {
    int count = 0;
    for (int n = 0; n < kbx::kMaxWindows; ++n) count += kbx::image_windows[n].in_use;
    return count;
}

// The image windows open as the main routine begins.
std::atomic<int> images_at_main{-1};
void counting_main() {
    images_at_main = open_image_count();
    idle_main();
}

// A small 24-bit BMP file.
void write_bmp(const std::wstring& path, int w, int h) {
    int row = (w * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + row * h, 0);
    auto put32 = [&](int at, unsigned v) { std::memcpy(&file[at], &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<unsigned>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(w));
    put32(22, static_cast<unsigned>(h));
    file[26] = 1;
    file[28] = 24;
    for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<unsigned char>(i * 7);
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, file.data(), static_cast<DWORD>(file.size()), &wrote, nullptr);
    CloseHandle(f);
}

// What the shell hands a window when files are dropped on it.
HGLOBAL make_drop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (auto& p : paths) chars += p.size() + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(h));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (auto& p : paths) {
        std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        out += p.size() + 1;
    }
    GlobalUnlock(h);
    return h;
}

bool put_clipboard_picture(int w, int h, unsigned colour = 0) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + w * h * 4);
    auto* bi = static_cast<BITMAPINFOHEADER*>(GlobalLock(mem));
    bi->biSize = 40;
    bi->biWidth = w;
    bi->biHeight = h;
    bi->biPlanes = 1;
    bi->biBitCount = 32;
    auto* pixels = reinterpret_cast<unsigned*>(bi + 1);
    for (int i = 0; i < w * h; ++i) pixels[i] = colour;
    GlobalUnlock(mem);
    bool ok = SetClipboardData(CF_DIB, mem) != nullptr;
    CloseClipboard();
    return ok;
}

std::wstring caption_of_image(int n) {
    return kbx::image_windows[n].in_use ? window_text(kbx::image_windows[n].window) : L"";
}

}  // namespace

TEST(Interactive, ImageWindowByPrompts) {
    std::wstring caption;
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_NEW_IMAGE_WINDOW);
        answer(L"200");
        answer(L"150");
        answer(L"8");
        ASSERT_TRUE(wait_until([] { return kbx::image_windows[0].in_use == 1; }));
        caption = caption_of_image(0);
        EXPECT_EQ(kbx::image_windows[0].width, 200);
        EXPECT_EQ(kbx::image_windows[0].height, 150);
        EXPECT_EQ(kbx::image_windows[0].depth, 8);
    });
    EXPECT_EQ(caption, L"000(100%)[8bit]");
}

TEST(Interactive, DepthSixteenCreatesNothing) {
    int images = -1;
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_NEW_IMAGE_WINDOW);
        answer(L"10");
        answer(L"10");
        answer(L"16");
        // The next creation, handled after this one, takes number 0.
        post_command(w, KBX_CMD_NEW_IMAGE_WINDOW);
        answer(L"10");
        answer(L"10");
        answer(L"8");
        ASSERT_TRUE(wait_until([] { return kbx::image_windows[0].in_use == 1; }));
        images = open_image_count();
    });
    EXPECT_EQ(images, 1);
}

TEST(Interactive, ExitWhileHeightWaitsCreatesNothing) {
    int images = -1;
    int code = run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_NEW_IMAGE_WINDOW);
        answer(L"10");
        wait_until([] { return kbx::input_active != 0; });   // "Height=" waits
        post_command(w, KBX_CMD_EXIT);
        wait_until([] { return exit_state == 2; });
        images = open_image_count();
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(images, 0);
}

TEST(Interactive, BoxesByPrompts) {
    int fields = -1, columns = -1, rows = -1;
    HWND button_box_after_zero = reinterpret_cast<HWND>(1);
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_NEW_INPUT_BOX);
        answer(L"50");   // limited to 30
        ASSERT_TRUE(wait_until([] { return kbx::input_box.window != nullptr; }));
        fields = kbx::input_box.item_count;

        post_command(w, KBX_CMD_NEW_BUTTON_BOX);
        answer(L"2");
        answer(L"3");
        ASSERT_TRUE(wait_until([] { return kbx::button_box.window != nullptr; }));
        columns = kbx::button_box.button_columns;
        rows = kbx::button_box.button_rows;

        // 0 columns: the old box closes and none takes its place.
        post_command(w, KBX_CMD_NEW_BUTTON_BOX);
        answer(L"0");
        answer(L"4");
        wait_until([] { return kbx::button_box.window == nullptr; });
        button_box_after_zero = kbx::button_box.window;
    });
    EXPECT_EQ(fields, 30);
    EXPECT_EQ(columns, 2);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(button_box_after_zero, nullptr);
}

TEST(Interactive, TextWindowTakesLowestFreeNumber) {
    int first = -1, second = -1;
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_NEW_TEXT_WINDOW);
        ASSERT_TRUE(wait_until([] { return kbx::text_windows[0].in_use == 1; }));
        post_command(w, KBX_CMD_NEW_TEXT_WINDOW);
        ASSERT_TRUE(wait_until([] { return kbx::text_windows[1].in_use == 1; }));
        first = kbx::text_windows[0].client_width;
        second = kbx::text_windows[1].client_height;
    });
    EXPECT_EQ(first, 400);
    EXPECT_EQ(second, 300);
}

TEST(Interactive, PasteTakesTheNextFreeNumber) {
    std::wstring caption;
    int width = 0;
    run_framework_with(two_images_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        ASSERT_TRUE(put_clipboard_picture(330, 220));
        post_command(w, KBX_CMD_PASTE_NEW_IMAGE);
        ASSERT_TRUE(wait_until([] { return kbx::image_windows[2].in_use == 1; }));
        caption = caption_of_image(2);
        width = kbx::image_windows[2].width;
        EXPECT_EQ(kbx::image_windows[2].height, 220);
        EXPECT_EQ(kbx::image_windows[2].depth, 32);
    });
    EXPECT_EQ(caption, L"002(100%)");
    EXPECT_EQ(width, 330);
}

TEST(Interactive, DroppedImageFilesOpenWindows) {
    std::wstring dir = make_temp_dir(L"drop");
    std::wstring a = join_path(dir, L"first.bmp"), b = join_path(dir, L"second.bmp"),
                 t = join_path(dir, L"notes.txt");
    write_bmp(a, 200, 100);
    write_bmp(b, 300, 150);
    HANDLE f = CreateFileW(t.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, "hello", 5, &wrote, nullptr);
    CloseHandle(f);

    std::wstring c0, c1;
    int extra_images = -1;
    unsigned first_pixel = 0;
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        // The text file, handled first, takes no number.
        PostMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({t})), 0);
        PostMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({a, b})), 0);
        ASSERT_TRUE(wait_until([&] {
            c1 = caption_of_image(1);
            return kbx::image_windows[1].in_use == 1 && c1 == L"001 second.bmp(100%)";
        }));
        // Done with the drops: the control window has taken what came after.
        ASSERT_TRUE(wait_posted_taken(w));
        extra_images = open_image_count() - 2;
        c0 = caption_of_image(0);
        EXPECT_EQ(kbx::image_windows[1].width, 300);
        EXPECT_EQ(kbx::image_windows[1].depth, 32);
        // The file's bottom-left pixel (the first bytes) lands at the bottom-left.
        first_pixel = kbx::image_pixels32[0][99 * 200] & 0xFFFFFF;
    });
    EXPECT_EQ(extra_images, 0);
    EXPECT_EQ(c0, L"000 first.bmp(100%)");
    EXPECT_EQ(c1, L"001 second.bmp(100%)");
    const unsigned b0 = (54 * 7) & 0xFF, g0 = (55 * 7) & 0xFF, r0 = (56 * 7) & 0xFF;
    EXPECT_EQ(first_pixel, (r0 << 16) | (g0 << 8) | b0);
}

// A Paste chosen while a drop waits for its window takes its turn after the
// drop: each reads its own answer from the slot. The dropped picture cannot
// fit the screen (refused: no window); the pasted one opens as window 0.
TEST(Interactive, ARequestWaitingIsNotAnsweredByAnother) {
    const std::wstring thin = join_path(make_temp_dir(L"nested"), L"thin.bmp");
    write_bmp(thin, 200000, 1);   // too wide for any zoom
    const unsigned pasted = 0x2468AC;
    ASSERT_TRUE(put_clipboard_picture(30, 20, pasted));
    setup_gate = 0;
    int images = -1;
    unsigned first_row = 0;
    run_framework_with(gated_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        PostMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({thin})), 0);
        // The setup routine is busy: the drop's request waits in the slot.
        ASSERT_TRUE(wait_until([] { return kbx::request_code == kbx::kRequestCreateImage; }));
        post_command(w, KBX_CMD_PASTE_NEW_IMAGE);
        ASSERT_TRUE(wait_posted_taken(w));
        setup_gate = 1;
        ASSERT_TRUE(wait_until([] { return kbx::image_windows[0].in_use == 1; }));
        // Both done: the slot free, the control window back in its own loop.
        ASSERT_TRUE(wait_until([] { return kbx::request_code == 0 && kbx::request_done == 1; }));
        ASSERT_TRUE(wait_posted_taken(w));
        ASSERT_TRUE(wait_until([] { return kbx::request_code == 0 && kbx::request_done == 1; }));
        images = open_image_count();
        first_row = kbx::image_pixels32[0][1] & 0xFFFFFF;
    });
    EXPECT_EQ(images, 1);
    EXPECT_EQ(first_row, pasted);
}

TEST(Interactive, RefusedOnceTheMainRoutineRuns) {
    int images = -1;
    bool control_alive = false, slot_free = false;
    run_framework_with(no_setup, idle_main, [&] {
        HWND w = wait_for_control_window();
        post_command(w, KBX_CMD_START);
        ASSERT_TRUE(wait_until([] { return program_running == 1; }));
        std::wstring dir = make_temp_dir(L"late");
        std::wstring a = join_path(dir, L"late.bmp");
        write_bmp(a, 8, 8);
        // Neither may wait for a request that would never be serviced.
        PostMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({a})), 0);
        PostMessageW(w, WM_KEYDOWN, 'W', 0);
        post_command(w, KBX_CMD_WINDOW_INFO);
        // The control window still answers, and no request waits in the
        // slot (closed as the main routine started) for a service that
        // never comes.
        control_alive = wait_posted_taken(w);
        slot_free = kbx::request_code == kbx::kRequestsClosed && kbx::request_done == 1;
        images = open_image_count();
    });
    EXPECT_TRUE(control_alive);
    EXPECT_TRUE(slot_free);
    EXPECT_EQ(images, 0);
}

// Start pressed while a drop of many files waits for its first window, then
// Exit: the main routine starts, the drop's later files are refused rather
// than left waiting for a service that never comes, and the run ends. Start
// at other points of a drop is left to the randomized exit soak
// (e2e_runtime, scripts/soak.sh), which drops files and presses S and Esc
// at random moments.
TEST(Interactive, StartDuringADropRefusesTheRestAndExitEnds) {
    std::wstring dir = make_temp_dir(L"dropstart");
    std::vector<std::wstring> files;
    for (int i = 0; i < 40; ++i) {
        files.push_back(join_path(dir, L"f" + std::to_wstring(i) + L".bmp"));
        write_bmp(files.back(), 12, 12);
    }
    setup_gate = 0;
    images_at_main = -1;
    int images_after = -1;
    bool slot_closed = false;
    run_framework_with(gated_setup, counting_main, [&] {
        HWND w = wait_for_control_window();
        PostMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop(files)), 0);
        // The setup routine is busy: the drop's first request waits in the slot.
        ASSERT_TRUE(wait_until([] { return kbx::request_code == kbx::kRequestCreateImage; }));
        PostMessageW(w, WM_KEYDOWN, 'S', 0);   // taken while the drop waits
        ASSERT_TRUE(wait_until([] { return start_request == 1; }));
        setup_gate = 1;
        ASSERT_TRUE(wait_until([] { return program_running == 1; }));
        // The drop has given up: the control window takes what comes after.
        ASSERT_TRUE(wait_posted_taken(w));
        images_after = open_image_count();
        slot_closed = kbx::request_code == kbx::kRequestsClosed && kbx::request_done == 1;
    });
    // Here Exit has ended the run.
    EXPECT_GE(images_at_main, 0);
    EXPECT_LT(images_at_main, 40);
    EXPECT_EQ(images_after, images_at_main);
    EXPECT_TRUE(slot_closed);
}
