#include <gtest/gtest.h>

#include <string>

#include "imageproc/colour_models.h"
#include "imageproc/pixel_report.h"
#include "kbx_imageproc.h"

namespace {

using namespace kbx;

void expect_hsv(int colour, int h, int s, int v) {
    Hsv got = rgb_to_hsv(colour);
    EXPECT_EQ(got.h, h) << std::hex << colour;
    EXPECT_EQ(got.s, s) << std::hex << colour;
    EXPECT_EQ(got.v, v) << std::hex << colour;
    EXPECT_EQ(hue_of(colour), h);
    EXPECT_EQ(saturation_of(colour), s);
    EXPECT_EQ(value_of(colour), v);
}

std::string report(int p, int depth = 32, int x = 3, int y = 4) {
    char out[kPixelReportSize];
    int n = format_pixel_report(x, y, depth, p, out, sizeof out);
    EXPECT_EQ(static_cast<size_t>(n), std::string(out).size());
    return out;
}

TEST(ImageprocColour, RgbToHsvHuesAndSaturationAsSpread) {
    expect_hsv(0x123456, 210, 68, 86);
    expect_hsv(0x808080, 0, 0, 128);
    expect_hsv(0x000000, 0, 0, 0);
    expect_hsv(0xFF0000, 0, 255, 255);
    expect_hsv(0x00FF00, 120, 255, 255);
    expect_hsv(0x0000FF, 240, 255, 255);
    expect_hsv(0xFF8000, 30, 255, 255);
    // Hues in each sextant, truncated: (200 - 100) * 60 / 150 = 40 etc.
    expect_hsv(0xFAC864, 40, 150, 250);     // max R, min B
    expect_hsv(0x64FA96, 140, 150, 250);    // max G, min R
    expect_hsv(0x9664FA, 260, 150, 250);    // max B, min G
    expect_hsv(0xFA6496, 340, 150, 250);    // max R, min G
    // The top byte is not part of the colour.
    expect_hsv(static_cast<int>(0xAB123456u), 210, 68, 86);
}

TEST(ImageprocColour, RgbToHsvTiesFollowTheRowOrder) {
    expect_hsv(0xFFFF00, 60, 255, 255);    // max R and G, min B: first row
    expect_hsv(0xFF00FF, 300, 255, 255);   // max R and B, min G: fifth row
    expect_hsv(0x00FFFF, 180, 255, 255);   // max G and B, min R: third row
    expect_hsv(0x80FF00, 89, 255, 255);   // (255 - 128) * 60 / 255 + 60
}

TEST(ImageprocColour, HsvToRgbSextantsAndClampedMinimum) {
    EXPECT_EQ(hsv_to_rgb(255, 255, 0), 0xFF0000);
    EXPECT_EQ(hsv_to_rgb(255, 255, 60), 0xFFFF00);
    EXPECT_EQ(hsv_to_rgb(255, 255, 120), 0x00FF00);
    EXPECT_EQ(hsv_to_rgb(255, 255, 180), 0x00FFFF);
    EXPECT_EQ(hsv_to_rgb(255, 255, 240), 0x0000FF);
    EXPECT_EQ(hsv_to_rgb(255, 255, 300), 0xFF00FF);
    EXPECT_EQ(hsv_to_rgb(255, 255, 359), 0xFF0004);   // 255 * 1 / 60
    EXPECT_EQ(hsv_to_rgb(250, 150, 40), 0xFAC864);
    EXPECT_EQ(hsv_to_rgb(128, 0, 200), 0x808080);
    // s above v: the minimum is 0, not negative.
    EXPECT_EQ(hsv_to_rgb(100, 200, 0), 0x640000);
}

TEST(ImageprocColour, HsvRoundTripIsNotExact) {
    Hsv hsv = rgb_to_hsv(0xFF8000);
    EXPECT_EQ(hsv_to_rgb(hsv.v, hsv.s, hsv.h), 0xFF7F00);
    // Primaries and greys survive the trip.
    for (int c : {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x404040, 0xFFFF00}) {
        Hsv t = rgb_to_hsv(c);
        EXPECT_EQ(hsv_to_rgb(t.v, t.s, t.h), c) << std::hex << c;
    }
}

TEST(ImageprocColour, FixedPointModelsTruncateTowardZero) {
    // -106.35 truncates to -106, not -107.
    EXPECT_EQ(chroma_cr(0, 255, 0), -106);
    EXPECT_EQ(chroma_cb(0, 255, 0), -83);
    EXPECT_EQ(chroma_u(0, 255, 0), -73);
    EXPECT_EQ(chroma_v(0, 255, 0), -130);
    EXPECT_EQ(chroma_i(0, 255, 0), -69);
    EXPECT_EQ(chroma_q(0, 255, 0), -126);
    EXPECT_EQ(luma_y(255, 255, 255), 255);
    EXPECT_EQ(luma_y(0, 0, 0), 0);
    // Cr and Cb reach 128 for pure red and pure blue.
    EXPECT_EQ(chroma_cr(255, 0, 0), 128);
    EXPECT_EQ(chroma_cb(0, 0, 255), 128);
}

TEST(ImageprocColour, ReportOfPureRed) {
    EXPECT_EQ(report(0xFF0000),
              "(X,Y)=(3,4)\n(R,G,B)=(255,0,0)\n(H,S,V)=(0,255,255)\n(Y,Cr,Cb)=(76,128,-42)\n"
              "(Y,u,v)=(76,-36,157)\n(Y,I,Q)=(76,152,53)\n\n");
}

TEST(ImageprocColour, ReportOfPureGreenTruncatesNegatives) {
    EXPECT_EQ(report(0x00FF00, 32, 0, 0),
              "(X,Y)=(0,0)\n(R,G,B)=(0,255,0)\n(H,S,V)=(120,255,255)\n(Y,Cr,Cb)=(150,-106,-83)\n"
              "(Y,u,v)=(150,-73,-130)\n(Y,I,Q)=(150,-69,-126)\n\n");
}

TEST(ImageprocColour, ReportOfWhiteAnd123456) {
    EXPECT_EQ(report(0xFFFFFF, 32, 10, 20),
              "(X,Y)=(10,20)\n(R,G,B)=(255,255,255)\n(H,S,V)=(0,0,255)\n(Y,Cr,Cb)=(255,0,0)\n"
              "(Y,u,v)=(255,0,0)\n(Y,I,Q)=(255,0,0)\n\n");
    EXPECT_EQ(report(0x123456),
              "(X,Y)=(3,4)\n(R,G,B)=(18,52,86)\n(H,S,V)=(210,68,86)\n(Y,Cr,Cb)=(46,-19,23)\n"
              "(Y,u,v)=(46,20,-23)\n(Y,I,Q)=(46,-30,3)\n\n");
}

TEST(ImageprocColour, ReportOfAnIndexPrintsTheIndex) {
    EXPECT_EQ(report(200, 8, 1, 2), "(X,Y)=(1,2)\n(Luminance)=(200)\n\n");
    // A buffer too small is cut and still terminated.
    char small[8];
    EXPECT_EQ(format_pixel_report(1, 2, 8, 200, small, sizeof small), 7);
    EXPECT_STREQ(small, "(X,Y)=(");
}

TEST(ImageprocColour, PublicCallsKeepInputsInRange) {
    int h = -1, s = -1, v = -1;
    KBX_RgbToHsv(0x123456, &h, &s, &v);
    EXPECT_EQ(h, 210);
    EXPECT_EQ(s, 68);
    EXPECT_EQ(v, 86);
    KBX_RgbToHsv(0x123456, nullptr, nullptr, nullptr);   // no outputs wanted
    EXPECT_EQ(KBX_HsvToRgb(255, 255, 30), 0xFF7F00);
    // Out-of-range inputs are taken at the nearest valid value.
    EXPECT_EQ(KBX_HsvToRgb(1000, 1000, 1000), hsv_to_rgb(255, 255, 359));
    EXPECT_EQ(KBX_HsvToRgb(-5, 0, -5), 0x000000);
    EXPECT_EQ(KBX_LumaY(255, 255, 255), 255);
    EXPECT_EQ(KBX_LumaY(1 << 30, 1 << 30, 1 << 30), 255);
    EXPECT_EQ(KBX_ChromaCr(0, 255, 0), -106);
    EXPECT_EQ(KBX_ChromaCb(-7, 255, -7), -83);
}

}  // namespace
