// Captions, file names, dialog filters and the two pop-up menus of image windows.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "image/image_file_names.h"
#include "image/image_menus.h"
#include "image/image_title.h"
#include "imageproc/picture_commands.h"
#include "kbx_commands.h"

namespace kbx {
namespace {

TEST(ImageTitle, Formats) {
    char out[kImageTitleBytes];
    format_image_title(100, "Image", 32, out, utf8_char_size);
    EXPECT_STREQ("Image(100%)", out);
    format_image_title(100, "Image", 8, out, utf8_char_size);
    EXPECT_STREQ("Image(100%)[8bit]", out);
    append_halftone_mark(out);
    EXPECT_STREQ("Image(100%)[8bit]*", out);
    format_image_title(7, nullptr, 32, out, utf8_char_size);
    EXPECT_STREQ("(7%)", out);
}

TEST(ImageTitle, LongTitlesAreCutNotOverrun) {
    std::string long_title(600, 'a');
    char out[kImageTitleBytes + 8];
    std::memset(out, 'Z', sizeof out);
    format_image_title(100, long_title.c_str(), 8, out, utf8_char_size);
    EXPECT_EQ(255u, std::strlen(out));
    EXPECT_EQ('Z', out[kImageTitleBytes]);   // nothing written past the buffer
    EXPECT_STREQ(out + 255 - 12, "(100%)[8bit]");   // the zoom always shows
    append_halftone_mark(out);
    EXPECT_EQ(255u, std::strlen(out));
    // Two-byte characters: cut between them, never inside one.
    std::string umlauts;
    for (int i = 0; i < 200; ++i) umlauts += "\xC3\xBC";
    format_image_title(100, umlauts.c_str(), 32, out, utf8_char_size);
    EXPECT_EQ(std::string(out), umlauts.substr(0, 248) + "(100%)");
}

TEST(ImageFileNames, AddExtension) {
    wchar_t path[kImagePathChars];
    std::wcscpy(path, L"C:\\pics\\a.BMP");
    EXPECT_TRUE(add_extension(path, L".bmp"));
    EXPECT_STREQ(L"C:\\pics\\a.BMP", path);
    std::wcscpy(path, L"a.jpeg");
    add_extension(path, L".jpg");
    EXPECT_STREQ(L"a.jpeg.jpg", path);
    std::wcscpy(path, L"a.tiff");
    add_extension(path, L".tif");
    EXPECT_STREQ(L"a.tiff.tif", path);
    std::wcscpy(path, L"b.PNG");
    add_extension(path, L".png");
    EXPECT_STREQ(L"b.PNG", path);
    std::wcscpy(path, L"noname");
    add_extension(path, L".gif");
    EXPECT_STREQ(L"noname.gif", path);
    std::wcscpy(path, L"x");   // shorter than four characters
    add_extension(path, L".jpg");
    EXPECT_STREQ(L"x.jpg", path);
    // No room: left alone rather than overrun.
    std::wstring full(kImagePathChars - 3, L'n');
    std::wcscpy(path, full.c_str());
    EXPECT_FALSE(add_extension(path, L".png"));
    EXPECT_EQ(full, std::wstring(path));
}

TEST(ImageFileNames, FormatsAndFilters) {
    EXPECT_STREQ(L"image/bmp", kImageFormats[kFormatBmp].mime_type);
    EXPECT_STREQ(L"image/jpeg", kImageFormats[kFormatJpeg].mime_type);
    EXPECT_STREQ(L".tif", kImageFormats[kFormatTiff].extension);
    EXPECT_EQ(kFormatBmp, format_for_save_filter(1));
    EXPECT_EQ(kFormatBmp, format_for_save_filter(2));
    EXPECT_EQ(kFormatJpeg, format_for_save_filter(3));
    EXPECT_EQ(kFormatGif, format_for_save_filter(4));
    EXPECT_EQ(kFormatPng, format_for_save_filter(5));
    EXPECT_EQ(kFormatTiff, format_for_save_filter(6));

    wchar_t list[1024];
    std::size_t n = build_filter_list(kSaveFilterCount, list, 1024);
    ASSERT_GT(n, 0u);
    EXPECT_STREQ(L"All Files (*.*)", list);
    EXPECT_STREQ(L"*.*", list + 16);
    EXPECT_EQ(0, list[n - 1]);
    EXPECT_EQ(0, list[n - 2]);
    // The last pair of the save list is TIFF.
    const wchar_t* tiff = L"*.TIF;*.TIFF";
    EXPECT_EQ(0, std::wcscmp(list + n - 2 - std::wcslen(tiff), tiff));
    EXPECT_EQ(0u, build_filter_list(kOpenFilterCount, list, 20));   // too small
    EXPECT_GT(build_filter_list(kOpenFilterCount, list, 1024), n);
    EXPECT_STREQ(L"ICO (*.ICO)", kImageFileFilters[8].description);
}

TEST(ImageFileNames, CutToFolder) {
    wchar_t path[kImagePathChars];
    std::wcscpy(path, L"C:\\dir\\sub\\a.bmp");
    cut_to_folder(path);
    EXPECT_STREQ(L"C:\\dir\\sub\\", path);
    std::wcscpy(path, L"nofolder.bmp");
    cut_to_folder(path);
    EXPECT_STREQ(L"nofolder.bmp", path);
}

std::string describe(const MenuTable& menu) {
    std::string s;
    for (int i = 0; i < menu.count; ++i) {
        const MenuEntry& e = menu.entries[i];
        if (!e.caption) {
            s += "-|";
            continue;
        }
        s += e.caption;
        if (e.submenu) s += "[" + describe(*e.submenu) + "]";
        else s += "=" + std::to_string(e.id);
        s += "|";
    }
    return s;
}

TEST(ImageMenus, WindowMenu) {
    EXPECT_EQ(
        "Cut\tCtrl+X=1011|Copy\tCtrl+C=1012|Paste\tCtrl+V=1013|-|&Load image file=1004|&Save as=1010|-|"
        "Zoom: 50%=1007|Zoom:100%\tCtrl+0=1008|Zoom:200%=1009|&Zoom...=1046|-|&Resize...=1047|"
        "&Destroy\tCtrl+Q=1005|",
        describe(image_window_menu()));
    EXPECT_EQ(kCmdZoom50, checked_zoom_command(50));
    EXPECT_EQ(kCmdZoom100, checked_zoom_command(100));
    EXPECT_EQ(kCmdZoom200, checked_zoom_command(200));
    EXPECT_EQ(0, checked_zoom_command(111));
}

TEST(ImageMenus, ProcessingMenuByDepth) {
    const std::string common_head =
        "Process...[Invert=1058|-|R. Rotate=1061|L. Rotate=1062|-|Horz. Flip=1059|Vert. Flip=1060|-|"
        "Size 50.0%=1063|Size 70.7%=1064|Size 141.4%=1065|Size 200.0%=1066|]|-|";
    const std::string common_tail =
        "-|Test Pattern...[RGB=1053|HSV=1054|YCrCb=1055|Yuv=1067|YIQ=1068|Grey=1071|]|-|"
        "Clipping\tCtrl+R=1019|-|Color...[Change=1031|Pick=1052|]|"
        "Draw Line...[Normal=1032|Horz.=1034|Vert.=1035|]|"
        "Draw Box...[Normal=1036|Fill=1037|Fill XOR=1038|]|"
        "Draw Circle...[Normal=1039|Fill=1040|Fill XOR=1041|]|"
        "TrueType...[Draw=1048|Font Change=1049|]|Draw Text=1042|Paint=1043|";
    EXPECT_EQ(common_head +
                  "Information...[Pixel=1015|Line(RGB)=1016|Line(HSV)=1017|Line(YCrCb)=1018|Line(CrCb)=1021|-|"
                  "Area(CrCb)=1022|]|" +
                  common_tail,
              describe(image_processing_menu(32)));
    EXPECT_EQ(common_head + "Information...[Pixel=1015|Line(Lumi)=1070|]|" + common_tail,
              describe(image_processing_menu(8)));
}

TEST(ImageMenus, NoIdentifierTwiceAndNoneReserved) {
    // Identifiers of the other windows, and 1033, which no window uses.
    const std::set<int> reserved = {KBX_CMD_TEXT_DESTROY,     KBX_CMD_TEXT_ABOUT,        KBX_CMD_INPUT_BOX_DESTROY,
                                    KBX_CMD_TEXT_START_LOG,   KBX_CMD_TEXT_STOP_LOG,     KBX_CMD_PASTE_NEW_IMAGE,
                                    KBX_CMD_NEW_IMAGE_WINDOW, KBX_CMD_NEW_TEXT_WINDOW,   KBX_CMD_TEXT_CONSOLE,
                                    KBX_CMD_TEXT_COPY_LOG,    1033,                      KBX_CMD_NEW_INPUT_BOX,
                                    KBX_CMD_WINDOW_INFO,      KBX_CMD_BUTTON_BOX_DESTROY, KBX_CMD_NEW_BUTTON_BOX,
                                    KBX_CMD_INPUT_BOX_RENAME, KBX_CMD_BUTTON_BOX_RENAME, KBX_CMD_TEXT_SELECT};
    for (int depth : {8, 32}) {
        std::set<int> seen;
        auto walk = [&](const MenuTable& menu, auto& self) -> void {
            for (int i = 0; i < menu.count; ++i) {
                const MenuEntry& e = menu.entries[i];
                if (e.submenu) {
                    EXPECT_EQ(0, e.id);
                    self(*e.submenu, self);
                } else if (e.caption) {
                    EXPECT_TRUE(seen.insert(e.id).second) << e.id;
                    EXPECT_EQ(0u, reserved.count(e.id)) << e.id;
                    EXPECT_GE(e.id, KBX_CMD_LOAD_IMAGE);
                    EXPECT_LE(e.id, KBX_CMD_PATTERN_GREY);
                }
            }
        };
        walk(image_window_menu(), walk);
        walk(image_processing_menu(depth), walk);
        EXPECT_EQ(depth == 8 ? 1u : 0u, seen.count(KBX_CMD_LINE_LUMI)) << depth;
        EXPECT_EQ(depth == 8 ? 0u : 1u, seen.count(KBX_CMD_LINE_RGB)) << depth;
    }
}

TEST(ImageFileNames, FormatFromTheExtension) {
    const struct {
        const char* path;
        int format;
    } cases[] = {
        {"a.bmp", kFormatBmp},        {"C:\\x\\B.BMP", kFormatBmp}, {"a.jpg", kFormatJpeg},
        {"a.JPEG", kFormatJpeg},      {"a.Gif", kFormatGif},        {"dir.d\\a.png", kFormatPng},
        {"a.tif", kFormatTiff},       {"a.TIFF", kFormatTiff},      {"a.png.txt", -1},
        {"apng", -1},                 {".png", -1},                 {"a.jpe", -1},
        {"a.tiffx", -1},              {"", -1},                     {nullptr, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.format, format_for_path(c.path)) << (c.path ? c.path : "null");
}

// A program may run by number exactly the commands of the "Process..." and
// "Test Pattern..." submenus; every other menu command waits for the user.
TEST(ImageMenus, PictureCommandsAreTheProcessAndPatternSubmenus) {
    for (int depth : {8, 32}) {
        const MenuTable& menu = image_processing_menu(depth);
        std::set<int> direct;
        for (int at : {0, 4}) {
            const MenuTable* sub = menu.entries[at].submenu;
            ASSERT_NE(nullptr, sub);
            for (int i = 0; i < sub->count; ++i)
                if (sub->entries[i].caption) direct.insert(sub->entries[i].id);
        }
        EXPECT_EQ(15u, direct.size());
        for (int id = KBX_CMD_START - 1; id <= KBX_CMD_PATTERN_GREY + 1; ++id) {
            const PictureCommandKind kind = picture_command_kind(id);
            EXPECT_EQ(direct.count(id) == 1, kind != kNotPictureCommand) << id;
            const bool in_place = id == KBX_CMD_INVERT || id == KBX_CMD_FLIP_HORZ || id == KBX_CMD_FLIP_VERT;
            if (kind != kNotPictureCommand) {
                EXPECT_EQ(in_place, kind == kPictureInPlace) << id;
            }
        }
    }
}

}  // namespace
}  // namespace kbx
