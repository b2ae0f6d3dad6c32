// The layout source fragment that Window Info puts on the clipboard.
#include <gtest/gtest.h>

#include "textwin/layout_source.h"

using namespace kbx;

TEST(LayoutSource, TheFourCreationForms) {
    LayoutImage image = {3, 32, 0, "a", -5, 7, 2000, 1500, 50};
    EXPECT_EQ(layout_image_line(image), "\tKBX_CreateImageFL(3,\"a\",-5,7,2000,1500,50);\n");
    image.depth = 8;
    EXPECT_EQ(layout_image_line(image), "\tKBX_CreateImage8FL(3,\"a\",-5,7,2000,1500,50);\n");
    image.screen_limited = 1;
    EXPECT_EQ(layout_image_line(image), "\tKBX_CreateImage8(3,\"a\",-5,7,2000,1500,50);\n");
    image.depth = 32;
    EXPECT_EQ(layout_image_line(image), "\tKBX_CreateImage(3,\"a\",-5,7,2000,1500,50);\n");
}

TEST(LayoutSource, InputBoxAndButtonBoxSections) {
    LayoutInputBox in = {160, 0, 3, 80, 70, {"Width", "Height", "Inch"}};
    LayoutButtonBox bb = {160, 120, 1, 1, 162, 34, {"Calc"}};
    EXPECT_EQ(layout_text_line({0, 0, 0, 152, 154}) + layout_input_box_lines(in) + layout_button_box_lines(bb) +
                  layout_footer(),
              "\tKBX_OpenTextWindow(0,0,0,152,154);\n"
              "\t// [Input Box]\n"
              "\tKBX_OpenInputBox(160,0,3);\n"
              "\tKBX_ResizeInputBox(80,70);\n"
              "\tKBX_SetInputBoxTitle(0,\"Width\");\n"
              "\tKBX_SetInputBoxTitle(1,\"Height\");\n"
              "\tKBX_SetInputBoxTitle(2,\"Inch\");\n"
              "\t// [Button Box]\n"
              "\tKBX_OpenButtonBox(160,120,1,1);\n"
              "\tKBX_ResizeButtonBox(162,34);\n"
              "\tKBX_SetButtonBoxTitle(0,\"Calc\");\n"
              "\tKBX_SetForeground(KBXMAINWINDOW);\n");
}

TEST(LayoutSource, LabelsCaptionsAndTitlesAreEscaped) {
    const struct {
        const char* text;
        const char* literal;
    } cases[] = {
        {"a\"b\\c\nd", "a\\\"b\\\\c\\nd"},
        // Octal escapes keep three digits, so a digit after them stays a digit.
        {"\r\t\x01" "7\x1f\x7f?" "?=", "\\r\\t\\0017\\037\\177?\\?="},
        // Code page 932: the trail byte of 0x95 0x5C is a backslash; escaped,
        // no compiler can read it as the start of an escape.
        {"\x95\\n", "\\225\\\\n"},
        {"\x82\xa0\xff" "0", "\\202\\240\\3770"},
    };
    for (const auto& c : cases) EXPECT_EQ(escape_literal(c.text), c.literal) << c.text;
    LayoutButtonBox bb = {0, 0, 1, 1, 10, 10, {"two\nlines"}};
    std::string lines = layout_button_box_lines(bb);
    EXPECT_NE(lines.find("\tKBX_SetButtonBoxTitle(0,\"two\\nlines\");\n"), std::string::npos);
    LayoutInputBox in = {0, 0, 1, 80, 70, {"say \"hi\" C:\\tmp"}};
    EXPECT_NE(layout_input_box_lines(in).find("\tKBX_SetInputBoxTitle(0,\"say \\\"hi\\\" C:\\\\tmp\");\n"),
              std::string::npos);
    LayoutImage image = {0, 32, 1, "q\"t", 0, 0, 1, 1, 100};
    EXPECT_EQ(layout_image_line(image), "\tKBX_CreateImage(0,\"q\\\"t\",0,0,1,1,100);\n");
}

