#include "testing/win_picture_files.h"

#include "image/win_gdiplus.h"
#include "testing/win_process.h"

#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

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
    if (GdipGetImageEncodersSize(&count, &bytes) != Ok || bytes == 0) return false;
    std::vector<char> buffer(bytes);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, bytes, codecs) != Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (codecs[i].MimeType && std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

GpRect whole(int width, int height) {
    GpRect r;
    r.X = 0;
    r.Y = 0;
    r.Width = width;
    r.Height = height;
    return r;
}

}  // namespace

bool read_picture_file(const std::wstring& path, int* width, int* height, std::vector<unsigned>* pixels) {
    if (!gdiplus_ready() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Ok || !bitmap) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap, &w);
    GdipGetImageHeight(bitmap, &h);
    const GpRect all = whole(static_cast<int>(w), static_cast<int>(h));
    BitmapData data;
    bool read = GdipBitmapLockBits(bitmap, &all, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok;
    if (read) {
        pixels->resize(static_cast<size_t>(w) * h);
        for (UINT y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const unsigned*>(static_cast<const char*>(data.Scan0) + y * data.Stride);
            for (UINT x = 0; x < w; ++x) (*pixels)[static_cast<size_t>(y) * w + x] = row[x] & 0xFFFFFF;
        }
        GdipBitmapUnlockBits(bitmap, &data);
        *width = static_cast<int>(w);
        *height = static_cast<int>(h);
    }
    GdipDisposeImage(bitmap);
    return read;
}

bool write_png_file(const std::wstring& path, int width, int height, const std::vector<unsigned>& pixels) {
    CLSID png;
    if (!gdiplus_ready() || width <= 0 || height <= 0 || !png_encoder(&png)) return false;
    std::vector<unsigned> opaque(pixels);
    for (unsigned& p : opaque) p |= 0xFF000000u;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppRGB,
                                  reinterpret_cast<BYTE*>(opaque.data()), &bitmap) != Ok)
        return false;
    const bool saved = GdipSaveImageToFile(bitmap, path.c_str(), &png, nullptr) == Ok;
    GdipDisposeImage(bitmap);
    return saved;
}

bool make_folders(const std::wstring& path) {
    if (path.empty()) return false;
    for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos; at = path.find_first_of(L"\\/", at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring path_from_environment(const wchar_t* name) {
    wchar_t given[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableW(name, given, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? host_path(std::wstring(given)) : std::wstring();
}

std::wstring folder_from_environment(const wchar_t* name, const wchar_t* fallback) {
    std::wstring folder = path_from_environment(name);
    if (folder.empty()) {
        wchar_t current[MAX_PATH * 2] = {};
        GetCurrentDirectoryW(MAX_PATH * 2, current);
        folder = std::wstring(current) + L"\\" + fallback;
    }
    make_folders(folder);
    return folder;
}

}  // namespace kbxtest
