// A program saved as UTF-8 prints, titles, names files and reads a typed
// line in UTF-8; built to keep the system's code page it does as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kobrix_testing.h"
#include "tests/support/driver.h"

namespace {

std::wstring title(KBX_TestWindow window) {   // without the zoom
    wchar_t text[256] = {};
    GetWindowTextW(static_cast<HWND>(window), text, 256);
    return std::wstring(text).substr(0, std::wstring(text).rfind(L'('));
}

// Line `line` of a text window, or (window null) text drawn as it draws it.
std::vector<COLORREF> pixels(HWND window, int line, const std::wstring& text) {
    HDC screen = GetDC(window), dc = CreateCompatibleDC(screen);
    SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, size.cx, size.cy));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    if (window) BitBlt(dc, 0, 0, size.cx, size.cy, screen, 0, line * size.cy, SRCCOPY);
    else TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    std::vector<COLORREF> out;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) out.push_back(GetPixel(dc, x, y) & 0xFFFFFF);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    ReleaseDC(window, screen);
    return out;
}

// The program once it has dealt with its files, ended however the test ends.
struct Started {
    KBX_TestProgram p = {};
    std::string log;
    bool ok;
    explicit Started(const wchar_t* name) {
        const std::wstring path = kbxtest::program_path(name);
        ok = KBX_TestStart(&p, std::string(path.begin(), path.end()).c_str()) == 0 &&
             KBX_TestWaitForWindow(&p, KBX_TEST_TEXT_WINDOW, 0) && KBX_TestWaitForOutput(&p, 0, "files ", &log) == 0;
    }
    ~Started() { KBX_TestEnd(&p); }
};

}  // namespace

TEST(Utf8Text, PrintsTitlesNamesFilesAndReadsTypedLines) {
    Started s(L"utf8_text_program");
    ASSERT_TRUE(s.ok) << KBX_TestLastError();
    EXPECT_EQ(KBX_TestWaitForOutput(&s.p, 0, "21 °C, 3,2 µm\r\ncode page 65001\r\nsplit ° joined\r\nfiles 1 0 0 123456\r\n",
                                    &s.log),
              0)
        << s.log;
    HWND text_window = static_cast<HWND>(KBX_TestFindWindow(&s.p, KBX_TEST_TEXT_WINDOW, 0));
    for (int line : {0, 2}) {
        const std::wstring text = line == 0 ? L"21 °C, 3,2 µm" : L"split ° joined";
        const std::vector<COLORREF> expected = pixels(nullptr, line, text);
        EXPECT_EQ(KBX_TestWaitFor([&] { return pixels(text_window, line, text) == expected; }, "text on screen"), 0);
    }
    EXPECT_EQ(title(KBX_TestFindWindow(&s.p, KBX_TEST_IMAGE_WINDOW, 1)), L"Grüße µm");
    std::wstring folder(s.p.folder, s.p.folder + strlen(s.p.folder));   // ASCII: a temporary folder
    for (const wchar_t* name : {L"\\Grüße.txt", L"\\Bild_ü.bmp"})
        EXPECT_NE(GetFileAttributesW((folder + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;

    // a, ü, x, Backspace, b, Enter, handed through the helper as UTF-8.
    EXPECT_EQ(KBX_TestTypeLine(&s.p, 0, "a\xC3\xBCx\bb"), 0) << KBX_TestLastError();
    EXPECT_EQ(KBX_TestWaitForOutput(&s.p, 0, "typed 61 C3 BC 62\r\n", &s.log), 0) << s.log;
    EXPECT_EQ(KBX_TestExit(&s.p, nullptr, nullptr), 0);
}

TEST(Utf8Text, AProgramKeepingTheSystemCodePageBehavesAsBefore) {
    Started s(L"utf8_text_program_system_cp");
    ASSERT_TRUE(s.ok) << KBX_TestLastError();
    EXPECT_NE(s.log.find("code page " + std::to_string(GetACP()) + "\r\n"), std::string::npos) << s.log;
    // The title's UTF-8 bytes read as characters of that code page.
    wchar_t expected[32] = {};
    MultiByteToWideChar(CP_ACP, 0, "Grüße µm", -1, expected, 32);
    EXPECT_EQ(title(KBX_TestFindWindow(&s.p, KBX_TEST_IMAGE_WINDOW, 1)), expected);
}
