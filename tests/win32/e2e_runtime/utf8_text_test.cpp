// A program saved as UTF-8 prints, titles, names files, draws, copies and
// reads a typed line in UTF-8; built to keep the system's code page it does
// as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kbx_commands.h"
#include "kobrix_testing.h"
#include "tests/support/driver.h"

namespace {

std::wstring title(KBX_TestProgram* program) {   // picture 1's, without the zoom
    wchar_t text[256] = {};
    GetWindowTextW(static_cast<HWND>(KBX_TestFindWindow(program, KBX_TEST_IMAGE_WINDOW, 1)), text, 256);
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

}  // namespace

TEST(Utf8Text, PrintsTitlesNamesFilesDrawsCopiesAndReadsTypedLines) {
    KBX_TestOwnedProgram p(kbxtest::exe_path(L"utf8_text_program").c_str());
    std::string log, system_log;
    ASSERT_EQ(KBX_TestWaitForOutput(p.get(), 0, "21 °C, 3,2 µm\r\ncode page 65001\r\nsplit ° joined\r\nfiles 1 0 0 123456\r\n",
                                    &log),
              0)
        << log << KBX_TestLastError();
    HWND text_window = static_cast<HWND>(KBX_TestFindWindow(p.get(), KBX_TEST_TEXT_WINDOW, 0));
    for (int line : {0, 2}) {
        const std::wstring text = line == 0 ? L"21 °C, 3,2 µm" : L"split ° joined";
        const std::vector<COLORREF> expected = pixels(nullptr, line, text);
        EXPECT_EQ(KBX_TestWaitFor([&] { return pixels(text_window, line, text) == expected; }, "text on screen"), 0);
    }
    EXPECT_EQ(title(p.get()), L"Grüße µm");
    std::wstring folder(p->folder, p->folder + strlen(p->folder));   // ASCII: a temporary folder
    for (const wchar_t* name : {L"\\Grüße.txt", L"\\Bild_ü.bmp"})
        EXPECT_NE(GetFileAttributesW((folder + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    // TrueType text: the same characters in either code page draw the same.
    // (The second program starts now: its windows would cover the first's.)
    KBX_TestOwnedProgram system_cp(kbxtest::exe_path(L"utf8_text_program_system_cp").c_str());
    ASSERT_EQ(KBX_TestWaitForOutput(system_cp.get(), 0, "files ", &system_log), 0) << KBX_TestLastError();
    KBX_TestPicture drawn = {}, drawn_system_cp = {};
    ASSERT_EQ(KBX_TestReadImage(KBX_TestFindWindow(p.get(), KBX_TEST_IMAGE_WINDOW, 1), &drawn), 0);
    ASSERT_EQ(KBX_TestReadImage(KBX_TestFindWindow(system_cp.get(), KBX_TEST_IMAGE_WINDOW, 1), &drawn_system_cp), 0);
    EXPECT_TRUE(drawn.pixels == drawn_system_cp.pixels);
    EXPECT_GT(drawn.pixels.size() - std::count(drawn.pixels.begin(), drawn.pixels.end(), 0u), 40u);

    // a, ü, x, Backspace, b, Enter, handed through the helper as UTF-8.
    EXPECT_EQ(KBX_TestTypeLine(p.get(), 0, "a\xC3\xBCx\bb"), 0) << KBX_TestLastError();
    EXPECT_EQ(KBX_TestWaitForOutput(p.get(), 0, "typed 61 C3 BC 62\r\n", &log), 0) << log;
    const unsigned before = KBX_TestClipboardNumber();
    KBX_TestPostCommand(text_window, KBX_CMD_TEXT_COPY_LOG);
    EXPECT_EQ(KBX_TestClipboardTextAfter(before).rfind("21 °C, 3,2 µm\r\n", 0), 0u);
    EXPECT_EQ(KBX_TestExit(p.get(), nullptr, nullptr), 0);

    // Built to keep the system's code page: the title's UTF-8 bytes read as
    // characters of that code page.
    EXPECT_NE(system_log.find("code page " + std::to_string(GetACP()) + "\r\n"), std::string::npos) << system_log;
    wchar_t as_before[32] = {};
    MultiByteToWideChar(CP_ACP, 0, "Grüße µm", -1, as_before, 32);
    EXPECT_EQ(title(system_cp.get()), as_before);
}
