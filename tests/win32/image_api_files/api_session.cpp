#include "tests/win32/image_api_files/api_session.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "kbx_image.h"
#include "kbx_imageproc.h"

namespace api_test {

namespace {

class Session : public ::testing::Environment {
  public:
    void SetUp() override {
        CreateDirectoryA("api_files", nullptr);
        kbxtest::start_framework(kbxtest::SessionOptions());
    }
    void TearDown() override {
        reset_images();
        kbxtest::stop_framework();
    }
};

::testing::Environment* const session = ::testing::AddGlobalTestEnvironment(new Session);

}  // namespace

void reset_images() { on_user_thread(kbxtest::clear_image_windows); }

Picture picture_of(int n) {
    Picture p;
    if (KBX_GetImageSize(n, &p.width, &p.height) != 0) return p;
    KBX_SelectImage(n);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.pixels.push_back(static_cast<std::uint32_t>(KBX_GetPixel(x, y)));
    KBX_RestoreImage();
    return p;
}

void fill(int n, std::uint32_t (*f)(int x, int y)) {
    int w = 0, h = 0;
    KBX_GetImageSize(n, &w, &h);
    KBX_SelectImage(n);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) KBX_SetPixel(x, y, static_cast<int>(f(x, y)));
    KBX_RestoreImage();
}

std::uint32_t distinct(int x, int y) {
    return static_cast<std::uint32_t>(((x * 37) & 255) << 16 | ((y * 53) & 255) << 8 | ((x * 11 + y * 29 + 7) & 255));
}
std::uint32_t distinct8(int x, int y) { return static_cast<std::uint32_t>((x * 3 + y * 50 + 1) & 255); }

std::string api_file(const char* name) { return std::string("api_files\\") + name; }

}  // namespace api_test
