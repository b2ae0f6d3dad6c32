#include "testing/win_picture_files.h"

#include "image/win_gdiplus.h"

#include <memory>

namespace kbxtest {

namespace {

// GDI+ for as long as the test runs: started at the first use.
bool gdiplus_ready() {
    static const bool ready = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return ready;
}

bool png_encoder(CLSID* clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<char> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (codecs[i].MimeType && std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

}  // namespace

bool read_picture_file(const std::wstring& path, int* width, int* height, std::vector<unsigned>* pixels) {
    if (!gdiplus_ready() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(path.c_str()));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return false;
    const int w = static_cast<int>(bitmap->GetWidth()), h = static_cast<int>(bitmap->GetHeight());
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData data;
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return false;
    pixels->resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const unsigned*>(static_cast<const char*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < w; ++x) (*pixels)[static_cast<size_t>(y) * w + x] = row[x] & 0xFFFFFF;
    }
    bitmap->UnlockBits(&data);
    *width = w;
    *height = h;
    return true;
}

bool write_png_file(const std::wstring& path, int width, int height, const std::vector<unsigned>& pixels) {
    CLSID png;
    if (!gdiplus_ready() || width <= 0 || height <= 0 || !png_encoder(&png)) return false;
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppRGB);
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data;
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppRGB, &data) != Gdiplus::Ok) return false;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<unsigned*>(static_cast<char*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < width; ++x) row[x] = 0xFF000000u | pixels[static_cast<size_t>(y) * width + x];
    }
    bitmap.UnlockBits(&data);
    return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

bool make_folders(const std::wstring& path) {
    if (path.empty()) return false;
    for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos; at = path.find_first_of(L"\\/", at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring folder_from_environment(const wchar_t* name, const wchar_t* fallback) {
    wchar_t given[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableW(name, given, MAX_PATH * 2);
    std::wstring folder;
    if (n > 0 && n < MAX_PATH * 2) {
        folder = given;
        if (folder[0] == L'/') folder = L"Z:" + folder;   // a Linux path under Wine
    } else {
        wchar_t current[MAX_PATH * 2] = {};
        GetCurrentDirectoryW(MAX_PATH * 2, current);
        folder = std::wstring(current) + L"\\" + fallback;
    }
    make_folders(folder);
    return folder;
}

}  // namespace kbxtest
