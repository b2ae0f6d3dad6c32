// Image file formats, the dialogs' filters and path handling: tables and
// string work without platform calls. Paths here are UTF-16 (wchar_t) as
// the platform takes them.
#ifndef KBX_IMAGE_FILE_NAMES_H
#define KBX_IMAGE_FILE_NAMES_H

#include <cstddef>

namespace kbx {

constexpr int kImagePathChars = 260;

enum ImageFormat { kFormatBmp = 0, kFormatJpeg, kFormatGif, kFormatPng, kFormatTiff, kFormatCount };

struct ImageFormatInfo {
    const wchar_t* mime_type;   // of the encoder
    const wchar_t* extension;   // with the dot, lower case
};
extern const ImageFormatInfo kImageFormats[kFormatCount];

struct FileFilter {
    const wchar_t* description;
    const wchar_t* pattern;
};
constexpr int kOpenFilterCount = 9;
constexpr int kSaveFilterCount = 6;   // the first six open filters
extern const FileFilter kImageFileFilters[kOpenFilterCount];

// The save dialog's filter index (1-based) as a format: 1 and 2 BMP, 3 JPEG,
// 4 GIF, 5 PNG, 6 TIFF; anything else BMP.
int format_for_save_filter(int filter_index);

// The format a file name's extension names: .bmp, .jpg or .jpeg, .gif,
// .png, .tif or .tiff, in any case (ASCII); -1 for any other name.
int format_for_path(const char* path);

// Appends the extension unless the path's last four characters, in lower
// case, already contain it (so ".BMP" stays, ".jpeg" gets ".jpg"). path is
// a buffer of kImagePathChars; returns false, leaving it alone, when the
// extension does not fit.
bool add_extension(wchar_t* path, const wchar_t* extension);

// The dialogs' filter list: description, NUL, pattern, NUL, ... NUL.
// Returns the number of characters written including the final NUL, or 0
// when out (capacity characters) is too small.
std::size_t build_filter_list(int count, wchar_t* out, std::size_t capacity);

// Cuts the file-name part off a full path in place, keeping the separator
// ("C:\dir\a.bmp" -> "C:\dir\"); a path without separator is left alone.
void cut_to_folder(wchar_t* path);

}  // namespace kbx

#endif
