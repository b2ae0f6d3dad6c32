// A program saved as UTF-8 prints, titles, names files and reads a typed
// line in UTF-8; built to keep the system's code page it does as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kobrix_testing.h"
#include "tests/support/driver.h"

namespace {

std::wstring wide_of(const std::string& text, UINT code_page) {
    std::wstring out(text.size() + 1, L'\0');
    out.resize(MultiByteToWideChar(code_page, 0, text.c_str(), -1, &out[0], static_cast<int>(out.size())) - 1);
    return out;
}

std::wstring window_text(KBX_TestWindow window) {
    wchar_t text[256] = {};
    GetWindowTextW(static_cast<HWND>(window), text, 256);
    return text;
}

// An image window's title without its zoom.
std::wstring image_title(KBX_TestWindow window) {
    std::wstring text = window_text(window);
    return text.substr(0, text.rfind(L'('));
}

// The program once it has printed what it did with files, ended however
// the test ends (a stray one would take the instance numbers of the tests
// after it).
struct Started {
    KBX_TestProgram program = {};
    std::string log;
    bool ok;
    explicit Started(const wchar_t* name) {
        const std::wstring path = kbxtest::program_path(name);
        ok = KBX_TestStart(&program, std::string(path.begin(), path.end()).c_str()) == 0 &&
             KBX_TestWaitForWindow(&program, KBX_TEST_TEXT_WINDOW, 0) != nullptr &&
             KBX_TestWaitForOutput(&program, 0, "files ", &log) == 0;
    }
    ~Started() { KBX_TestEnd(&program); }
};

// The pixels of text in the OEM fixed font, white on black, as the text
// window draws it at the start of a line; or, from the window, what is
// there on that line.
std::vector<COLORREF> pixels(HWND window, int line, const std::wstring& text, int* width) {
    HDC screen = GetDC(window);
    HDC dc = CreateCompatibleDC(screen);
    SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = SelectObject(dc, bitmap);
    if (window) {
        BitBlt(dc, 0, 0, size.cx, size.cy, screen, 0, line * size.cy, SRCCOPY);
    } else {
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    }
    std::vector<COLORREF> out;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) out.push_back(GetPixel(dc, x, y) & 0xFFFFFF);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(window, screen);
    *width = size.cx;
    return out;
}

// The control window's status says "Input text" (padded with blanks).
bool waits_for_a_line(HWND control) {
    bool waiting = false;
    EnumChildWindows(
        control,
        [](HWND child, LPARAM found) {
            if (window_text(child).find(L"Input text") != std::wstring::npos) *reinterpret_cast<bool*>(found) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&waiting));
    return waiting;
}

}  // namespace

TEST(Utf8Text, PrintsTitlesNamesFilesAndReadsTypedLines) {
    Started started(L"utf8_text_program");
    ASSERT_TRUE(started.ok) << KBX_TestLastError();
    KBX_TestProgram& program = started.program;
    std::string& log = started.log;
    EXPECT_EQ(KBX_TestWaitForOutput(&program, 0, "files 1 0 0 123456\r\n", &log), 0) << log;
    EXPECT_NE(log.find("21 °C, 3,2 µm\r\ncode page 65001\r\nsplit ° joined\r\n"), std::string::npos) << log;

    // The screen shows the units as the font draws them.
    HWND text_window = static_cast<HWND>(KBX_TestFindWindow(&program, KBX_TEST_TEXT_WINDOW, 0));
    for (int line : {0, 2}) {
        const std::wstring text = line == 0 ? L"21 °C, 3,2 µm" : L"split ° joined";
        int width = 0, shown_width = 0;
        const std::vector<COLORREF> expected = pixels(nullptr, line, text, &width);
        ASSERT_GT(width, 0);
        EXPECT_EQ(KBX_TestWaitFor([&] { return pixels(text_window, line, text, &shown_width) == expected; },
                                  "the text on the screen"),
                  0)
            << line;
    }

    KBX_TestWindow image = KBX_TestFindWindow(&program, KBX_TEST_IMAGE_WINDOW, 1);
    EXPECT_EQ(image_title(image), L"Grüße µm");
    const std::wstring folder = wide_of(program.folder, CP_ACP);
    for (const wchar_t* name : {L"\\Grüße.txt", L"\\Bild_ü.bmp"})
        EXPECT_NE(GetFileAttributesW((folder + name).c_str()), INVALID_FILE_ATTRIBUTES) << folder + name;

    // a, ü, x, Backspace, b, Enter, as the keyboard delivers them.
    ASSERT_EQ(KBX_TestWaitFor([&] { return waits_for_a_line(static_cast<HWND>(program.control)); }, "a line input"),
              0);
    for (wchar_t unit : {L'a', L'\u00FC', L'x', L'\b', L'b', L'\r'}) PostMessageW(text_window, WM_CHAR, unit, 1);
    EXPECT_EQ(KBX_TestWaitForOutput(&program, 0, "typed 61 C3 BC 62\r\n", &log), 0) << log;
    EXPECT_EQ(KBX_TestExit(&program, nullptr, nullptr), 0);
}

TEST(Utf8Text, AProgramKeepingTheSystemCodePageBehavesAsBefore) {
    Started started(L"utf8_text_program_system_cp");
    ASSERT_TRUE(started.ok) << KBX_TestLastError();
    KBX_TestProgram& program = started.program;
    std::string& log = started.log;
    EXPECT_NE(log.find("code page " + std::to_string(GetACP()) + "\r\n"), std::string::npos) << log;
    // The title's UTF-8 bytes read as characters of the system's code page.
    EXPECT_EQ(image_title(KBX_TestFindWindow(&program, KBX_TEST_IMAGE_WINDOW, 1)), wide_of("Grüße µm", CP_ACP));
    EXPECT_EQ(KBX_TestExit(&program, nullptr, nullptr), 0);
}
