#include "image/image_file_names.h"

#include <cstring>
#include <cwchar>

namespace kbx {

const ImageFormatInfo kImageFormats[kFormatCount] = {
    {L"image/bmp", L".bmp"},  {L"image/jpeg", L".jpg"}, {L"image/gif", L".gif"},
    {L"image/png", L".png"},  {L"image/tiff", L".tif"},
};

const FileFilter kImageFileFilters[kOpenFilterCount] = {
    {L"All Files (*.*)", L"*.*"},
    {L"BMP (*.BMP;*.RLE;*.DIB)", L"*.BMP;*.RLE;*.DIB"},
    {L"JPEG (*.JPG;*.JPEG;*.JPE)", L"*.JPG;*.JPEG;*.JPE"},
    {L"CompuServe GIF (*.GIF)", L"*.GIF"},
    {L"PNG (*.PNG)", L"*.PNG"},
    {L"TIFF (*.TIF;*.TIFF)", L"*.TIF;*.TIFF"},
    {L"WMF (*.WMF)", L"*.WMF"},
    {L"EMF (*.EMF)", L"*.EMF"},
    {L"ICO (*.ICO)", L"*.ICO"},
};

int format_for_save_filter(int filter_index) {
    switch (filter_index) {
        case 3: return kFormatJpeg;
        case 4: return kFormatGif;
        case 5: return kFormatPng;
        case 6: return kFormatTiff;
        default: return kFormatBmp;
    }
}

namespace {

// ASCII only: the extensions are ASCII, and locale rules must not apply.
wchar_t lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

int format_for_path(const char* path) {
    static const struct {
        const char* extension;
        int format;
    } kExtensions[] = {{".bmp", kFormatBmp}, {".jpg", kFormatJpeg}, {".jpeg", kFormatJpeg}, {".gif", kFormatGif},
                       {".png", kFormatPng}, {".tif", kFormatTiff}, {".tiff", kFormatTiff}};
    if (!path) return -1;
    const std::size_t len = std::strlen(path);
    for (const auto& e : kExtensions) {
        const std::size_t ext_len = std::strlen(e.extension);
        if (len <= ext_len) continue;   // a bare ".png" names no file
        const char* tail = path + len - ext_len;
        std::size_t i = 0;
        while (i < ext_len && lower(static_cast<unsigned char>(tail[i])) == static_cast<wchar_t>(e.extension[i])) ++i;
        if (i == ext_len) return e.format;
    }
    return -1;
}

bool add_extension(wchar_t* path, const wchar_t* extension) {
    std::size_t len = std::wcslen(path);
    if (len >= 4) {
        wchar_t tail[5];
        for (int i = 0; i < 4; ++i) tail[i] = lower(path[len - 4 + i]);
        tail[4] = 0;
        if (std::wcsstr(tail, extension)) return true;
    }
    std::size_t ext_len = std::wcslen(extension);
    if (len + ext_len >= static_cast<std::size_t>(kImagePathChars)) return false;
    std::wmemcpy(path + len, extension, ext_len + 1);
    return true;
}

std::size_t build_filter_list(int count, wchar_t* out, std::size_t capacity) {
    std::size_t at = 0;
    for (int i = 0; i < count && i < kOpenFilterCount; ++i) {
        const wchar_t* parts[2] = {kImageFileFilters[i].description, kImageFileFilters[i].pattern};
        for (const wchar_t* part : parts) {
            std::size_t n = std::wcslen(part) + 1;
            if (at + n + 1 > capacity) return 0;
            std::wmemcpy(out + at, part, n);
            at += n;
        }
    }
    if (at + 1 > capacity) return 0;
    out[at++] = 0;
    return at;
}

void cut_to_folder(wchar_t* path) {
    wchar_t* last = nullptr;
    for (wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/') last = p;
    }
    if (last) last[1] = 0;
}

}  // namespace kbx
