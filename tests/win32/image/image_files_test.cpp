// Image files: saving in five formats (checked again by an independent
// decoder, check_files.py, after this executable has run), loading at a
// position without touching anything outside the picture, and the dialogs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "image/win_image_window.h"
#include "kbx_commands.h"
#include "tests/support/driver.h"
#include "tests/win32/image/image_session.h"

using namespace image_test;
using namespace kbx;

namespace {

// The pictures check_files.py knows as well.
std::uint32_t pattern_a(int x, int y) {
    return static_cast<std::uint32_t>(((x * 37) & 255) << 16 | ((y * 53) & 255) << 8 | ((x * 11 + y * 29) & 255));
}
const std::uint32_t kQuadrants[4] = {0xC02020, 0x20C020, 0x2020C0, 0xE0E0E0};
std::uint32_t quadrant(int x, int y) { return kQuadrants[(y >= 16) * 2 + (x >= 16)]; }
const std::uint32_t kFlat[6] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
std::uint32_t flat(int x, int y) { return kFlat[(x / 2 + y / 2 * 4) % 6]; }
RGBQUAD pal8_entry(int i) {
    return RGBQUAD{static_cast<BYTE>((i * 7) & 255), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
}
unsigned char pal8_index(int x, int y) { return static_cast<unsigned char>((x * 3 + y * 50 + 1) & 255); }

const char* kDir = "image_files";

std::string in_dir(const char* name) { return std::string(kDir) + "\\" + name; }

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void put16(std::vector<unsigned char>& b, std::size_t at, unsigned v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A BMP file written by hand, so that loading is not checked against the
// framework's own writer: 24 bits, or 8 bits with a palette of colors
// entries.
bool write_bmp(const std::string& path, int w, int h, int bits, const std::function<std::uint32_t(int, int)>& f,
               const std::vector<RGBQUAD>& palette = {}) {
    const int row = bits == 24 ? (w * 3 + 3) / 4 * 4 : (w + 3) / 4 * 4;
    const std::size_t table = palette.size() * 4;
    const std::size_t offset = 14 + 40 + table;
    std::vector<unsigned char> b(offset + static_cast<std::size_t>(row) * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(w));
    put32(b, 22, static_cast<std::uint32_t>(h));
    put16(b, 26, 1);
    put16(b, 28, static_cast<unsigned>(bits));
    put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        b[54 + 4 * i] = palette[i].rgbBlue;
        b[55 + 4 * i] = palette[i].rgbGreen;
        b[56 + 4 * i] = palette[i].rgbRed;
    }
    for (int y = 0; y < h; ++y) {
        unsigned char* dst = b.data() + offset + static_cast<std::size_t>(h - 1 - y) * row;
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = f(x, y);
            if (bits == 24) {
                dst[3 * x] = static_cast<unsigned char>(c);
                dst[3 * x + 1] = static_cast<unsigned char>(c >> 8);
                dst[3 * x + 2] = static_cast<unsigned char>(c >> 16);
            } else {
                dst[x] = static_cast<unsigned char>(c);
            }
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), file) == b.size();
    return std::fclose(file) == 0 && ok;
}

int channel_distance(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
        if (d > worst) worst = d;
    }
    return worst;
}

}  // namespace

class ImageFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Files of an earlier run must not pass for this run's.
        CreateDirectoryA(kDir, nullptr);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((std::string(kDir) + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(in_dir(found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        start_session();
    }
    static void TearDownTestSuite() { end_session(); }
    void SetUp() override { reset_images(); }
};

TEST_F(ImageFiles, EncodersByMimeType) {
    on_user_thread([] {
        static const CLSID zero = {};
        for (const wchar_t* mime : {L"image/bmp", L"image/jpeg", L"image/gif", L"image/png", L"image/tiff"}) {
            CLSID id = find_encoder(mime);
            EXPECT_NE(0, std::memcmp(&id, &zero, sizeof id)) << mime;
        }
        CLSID none = find_encoder(L"IMAGE/PNG");   // case matters
        EXPECT_EQ(0, std::memcmp(&none, &zero, sizeof none));
        CLSID png = find_encoder(L"image/png"), bmp = find_encoder(L"image/bmp");
        EXPECT_NE(0, std::memcmp(&png, &bmp, sizeof png));
    });
}

TEST_F(ImageFiles, SaveInEveryFormatAndLoadBack) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "A", -1, -1, 7, 5, 100));
        fill32(0, pattern_a);
        EXPECT_EQ(0, save_image_file(5, 7, 0, in_dir("rgb32").c_str()));
        EXPECT_EQ(0, save_image_file(5, 7, 3, in_dir("rgb32").c_str()));
        EXPECT_EQ(0, save_image_file(5, 7, 4, in_dir("rgb32").c_str()));
        EXPECT_EQ(0, save_image_file(5, 7, 3, in_dir("upper.PNG").c_str()));
        EXPECT_EQ(2, save_image_file(0, 7, 3, in_dir("never").c_str()));
        EXPECT_EQ(2, save_image_file(5, -1, 3, in_dir("never").c_str()));
        EXPECT_EQ(1, save_image_file(5, 7, 9, in_dir("never").c_str()));
        EXPECT_EQ(1, save_image_file(5, 7, 3, in_dir("no_such_folder\\never").c_str()));   // cannot be written

        ASSERT_EQ(0, KBX_CreateImage(1, "Q", -1, -1, 32, 32, 100));
        fill32(1, quadrant);
        EXPECT_EQ(0, save_image_file(32, 32, 1, in_dir("photo.jpeg").c_str()));
        ASSERT_EQ(0, KBX_CreateImage(2, "F", -1, -1, 8, 6, 100));
        fill32(2, flat);
        EXPECT_EQ(0, save_image_file(6, 8, 2, in_dir("flat").c_str()));

        current_image = 200;
        EXPECT_EQ(3, save_image_file(5, 7, 0, in_dir("never").c_str()));
    });
    EXPECT_TRUE(exists(in_dir("rgb32.bmp")));
    EXPECT_TRUE(exists(in_dir("rgb32.png")));
    EXPECT_TRUE(exists(in_dir("rgb32.tif")));
    EXPECT_TRUE(exists(in_dir("upper.PNG")));
    EXPECT_FALSE(exists(in_dir("upper.PNG.png")));
    EXPECT_TRUE(exists(in_dir("photo.jpeg.jpg")));
    EXPECT_TRUE(exists(in_dir("flat.gif")));
    EXPECT_FALSE(exists(in_dir("never.png")));

    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(3, "Back", -1, -1, 7, 5, 100));
        for (const char* name : {"rgb32.bmp", "rgb32.png", "rgb32.tif", "upper.PNG"}) {
            fill32(3, [](int, int) { return 0u; });
            EXPECT_EQ(0, load_image_file(in_dir(name).c_str(), 0, 0)) << name;
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 7; ++x) ASSERT_EQ(pattern_a(x, y), pixel32(3, x, y) & 0xFFFFFF) << name;
        }
        ASSERT_EQ(0, KBX_CreateImage(4, "BackQ", -1, -1, 32, 32, 100));
        EXPECT_EQ(0, load_image_file(in_dir("photo.jpeg.jpg").c_str(), 0, 0));
        // Away from the quadrants' borders, which chroma subsampling blurs.
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (std::abs(2 * x - 31) < 6 || std::abs(2 * y - 31) < 6) continue;
                ASSERT_LE(channel_distance(quadrant(x, y), pixel32(4, x, y)), 12) << x << "," << y;
            }
        ASSERT_EQ(0, KBX_CreateImage(5, "BackF", -1, -1, 8, 6, 100));
        EXPECT_EQ(0, load_image_file(in_dir("flat.gif").c_str(), 0, 0));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(flat(x, y), pixel32(5, x, y) & 0xFFFFFF) << x << "," << y;
    });
}

TEST_F(ImageFiles, EightBitBmpKeepsPaletteAndRows) {
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "P", -1, -1, 3, 4, 100));
        RGBQUAD palette[256];
        for (int i = 0; i < 256; ++i) palette[i] = pal8_entry(i);
        ASSERT_EQ(0, set_image_palette(palette, 256));
        fill8(0, pal8_index);
        EXPECT_EQ(0, save_image_file(4, 3, 0, in_dir("pal8").c_str()));
    });
    std::string file;
    ASSERT_TRUE(kbxtest::read_file(L"image_files\\pal8.bmp", &file));
    ASSERT_GE(file.size(), 54u + 1024 + 16);
    EXPECT_EQ(8, static_cast<unsigned char>(file[28]));   // bits per pixel
    std::uint32_t offset = 0;
    for (int i = 0; i < 4; ++i) offset |= static_cast<std::uint32_t>(static_cast<unsigned char>(file[10 + i])) << (8 * i);
    // Rows of 4 bytes, bottom-up, starting right at the pixel offset.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pal8_index(x, y), static_cast<unsigned char>(file[offset + (3 - y) * 4 + x])) << x << "," << y;
}

TEST_F(ImageFiles, LoadingChangesOnlyThePixelsItShould) {
    ASSERT_TRUE(write_bmp(in_dir("big.bmp"), 1000, 1000, 24, [](int x, int y) {
        return static_cast<std::uint32_t>(((x * 7) & 255) << 16 | ((y * 3) & 255) << 8 | ((x + y) & 255));
    }));
    ASSERT_TRUE(write_bmp(in_dir("small.bmp"), 100, 100, 24,
                          [](int x, int y) { return static_cast<std::uint32_t>(0x800000 | x << 8 | y); }));
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "L", 0, 0, 320, 240, 100));
        fill32(0, [](int, int) { return 0x123456u; });
        EXPECT_EQ(0, load_image_file(in_dir("big.bmp").c_str(), 0, 0));
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                ASSERT_EQ(static_cast<std::uint32_t>(((x * 7) & 255) << 16 | ((y * 3) & 255) << 8 | ((x + y) & 255)),
                          pixel32(0, x, y) & 0xFFFFFF)
                    << x << "," << y;
        EXPECT_EQ(320, image_windows[0].width);
        EXPECT_EQ(320, client_of(0).cx);

        fill32(0, [](int, int) { return 0x123456u; });
        EXPECT_EQ(0, load_image_file(in_dir("small.bmp").c_str(), 300, 200));
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                std::uint32_t expected = (x >= 300 && y >= 200)
                                             ? static_cast<std::uint32_t>(0x800000 | (x - 300) << 8 | (y - 200))
                                             : 0x123456u;
                ASSERT_EQ(expected, pixel32(0, x, y) & 0xFFFFFF) << x << "," << y;
            }

        // Far outside, or at the int limits: nothing changes.
        fill32(0, [](int, int) { return 0x123456u; });
        EXPECT_EQ(0, load_image_file(in_dir("small.bmp").c_str(), -100, 5000));
        EXPECT_EQ(0, load_image_file(in_dir("small.bmp").c_str(), 0x7FFFFFF0, 0x7FFFFFF0));
        EXPECT_EQ(0, load_image_file(in_dir("small.bmp").c_str(), -0x7FFFFFFF, 0));
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) ASSERT_EQ(0x123456u, pixel32(0, x, y) & 0xFFFFFF);

        EXPECT_EQ(1, load_image_file(in_dir("missing.bmp").c_str(), 0, 0));
        EXPECT_EQ(0x123456u, pixel32(0, 0, 0) & 0xFFFFFF);
        current_image = 77;
        EXPECT_EQ(2, load_image_file(in_dir("small.bmp").c_str(), 0, 0));
    });
}

TEST_F(ImageFiles, EightBitFileGivesItsPalette) {
    std::vector<RGBQUAD> palette;
    for (int i = 0; i < 16; ++i) palette.push_back(RGBQUAD{static_cast<BYTE>(i * 16), 0, static_cast<BYTE>(255 - i * 16), 0});
    ASSERT_TRUE(write_bmp(in_dir("sixteen.bmp"), 8, 2, 8,
                          [](int x, int y) { return static_cast<std::uint32_t>((x + 8 * y) & 15); }, palette));
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage8(0, "E", -1, -1, 8, 2, 100));
        EXPECT_EQ(0, load_image_file(in_dir("sixteen.bmp").c_str(), 0, 0));
        RGBQUAD now[256];
        ASSERT_EQ(0, get_image_palette(now));
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(palette[i].rgbBlue, now[i].rgbBlue) << i;
            EXPECT_EQ(palette[i].rgbRed, now[i].rgbRed) << i;
            EXPECT_EQ(0, now[i].rgbReserved) << i;
        }
        EXPECT_EQ(16, now[16].rgbRed);   // the rest of the grey ramp stays
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 8; ++x) EXPECT_EQ((x + 8 * y) & 15, pixel8(0, x, y)) << x << "," << y;
    });
}

TEST_F(ImageFiles, DropLoadsOnlyTheFirstFile) {
    ASSERT_TRUE(write_bmp(in_dir("drop1.bmp"), 4, 4, 24, [](int, int) { return 0x00FF00u; }));
    ASSERT_TRUE(write_bmp(in_dir("drop2.bmp"), 8, 8, 24, [](int, int) { return 0xFF0000u; }));
    on_user_thread([] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Target", -1, -1, 8, 8, 100));
        ASSERT_EQ(0, KBX_CreateImage(1, "Current", -1, -1, 8, 8, 100));
        wchar_t cwd[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, cwd);
        std::wstring files;
        for (const wchar_t* name : {L"drop1.bmp", L"drop2.bmp", L"missing.bmp"})
            files += std::wstring(cwd) + L"\\image_files\\" + name + L'\0';
        files += L'\0';
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + files.size() * sizeof(wchar_t));
        DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(h));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::memcpy(drop + 1, files.data(), files.size() * sizeof(wchar_t));
        GlobalUnlock(h);
        SendMessageW(image_windows[0].window, WM_DROPFILES, reinterpret_cast<WPARAM>(h), 0);
        EXPECT_EQ(0x00FF00u, pixel32(0, 3, 3) & 0xFFFFFF);
        EXPECT_EQ(0u, pixel32(0, 4, 4));   // the second file would have filled it
        EXPECT_EQ(1, current_image);       // the selection is put back
        EXPECT_EQ(0u, pixel32(1, 0, 0));
    });
}

namespace {

// Fills in a file dialog of this process from the test thread and accepts it.
bool answer_file_dialog(const wchar_t* title, const wchar_t* name, int filter_index) {
    HWND dialog = kbxtest::wait_for_window(L"#32770", title, 10000, GetCurrentProcessId());
    if (!dialog) return false;
    if (filter_index > 0) {
        HWND filters = nullptr;
        kbxtest::wait_until([&] {
            filters = GetDlgItem(dialog, cmb1);
            return filters && SendMessageW(filters, CB_GETCOUNT, 0, 0) >= filter_index;
        });
        SendMessageW(filters, CB_SETCURSEL, static_cast<WPARAM>(filter_index - 1), 0);
        // As a user's choice reports it: selection changed, then accepted.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(filters));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(filters));
    }
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(name));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return kbxtest::wait_until([&] { return !IsWindow(dialog); }, 5000);
}

}  // namespace

TEST_F(ImageFiles, SaveAsAndLoadDialogsRememberFolderAndFilter) {
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    const std::wstring folder = std::wstring(cwd) + L"\\image_files";
    const std::wstring target = folder + L"\\dialog_saved";
    HWND window = nullptr;
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage(0, "Dlg", -1, -1, 6, 6, 100));
        fill32(0, [](int, int) { return 0x3366CCu; });
        window = image_windows[0].window;
        jpeg_quality = 40;
    });
    // "Save as" with the PNG filter.
    begin_on_user_thread([&] { SendMessageW(window, WM_COMMAND, KBX_CMD_SAVE_AS, 0); });
    EXPECT_TRUE(answer_file_dialog(L"Save as", target.c_str(), 5));
    ASSERT_TRUE(finish_step());
    EXPECT_TRUE(exists(in_dir("dialog_saved.png")));
    EXPECT_EQ(5, save_filter_index);
    EXPECT_EQ(40, jpeg_quality);   // the menu's save forces 100 only for itself
    EXPECT_EQ(folder + L"\\", std::wstring(save_dir_w));

    // "Load image file" into another window through the open dialog.
    on_user_thread([&] {
        ASSERT_EQ(0, KBX_CreateImage(1, "Into", -1, -1, 6, 6, 100));
        window = image_windows[1].window;
        jpeg_quality = 100;
    });
    begin_on_user_thread([&] { SendMessageW(window, WM_COMMAND, KBX_CMD_LOAD_IMAGE, 0); });
    EXPECT_TRUE(answer_file_dialog(L"Load image file", (target + L".png").c_str(), 5));
    ASSERT_TRUE(finish_step());
    EXPECT_EQ(5, open_filter_index);
    EXPECT_EQ(folder + L"\\", std::wstring(open_dir_w));
    on_user_thread([] { EXPECT_EQ(0x3366CCu, pixel32(1, 5, 5) & 0xFFFFFF); });

    // Cancelling remembers nothing.
    begin_on_user_thread([&] { SendMessageW(window, WM_COMMAND, KBX_CMD_SAVE_AS, 0); });
    HWND dialog = kbxtest::wait_for_window(L"#32770", L"Save as", 10000, GetCurrentProcessId());
    ASSERT_NE(nullptr, dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(finish_step());
    EXPECT_EQ(5, save_filter_index);
}
