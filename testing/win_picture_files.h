// Pictures as files for the test helper: reading PNG and BMP references,
// writing PNG, through GDI+. Pixels are words 0xRRGGBB, row by row.
#ifndef KBX_TESTING_WIN_PICTURE_FILES_H
#define KBX_TESTING_WIN_PICTURE_FILES_H

#include <string>
#include <vector>

namespace kbxtest {

// False when the file is missing or not a picture GDI+ reads.
bool read_picture_file(const std::wstring& path, int* width, int* height, std::vector<unsigned>* pixels);
// False when it could not be written.
bool write_png_file(const std::wstring& path, int width, int height, const std::vector<unsigned>& pixels);

// The path in the environment variable name (a Windows path, or a Linux
// path under Wine); "" when it is not set.
std::wstring path_from_environment(const wchar_t* name);
// A folder given by the environment variable name (a Windows path, or a
// Linux path under Wine), else fallback under the current folder; made
// with its parents when it is missing.
std::wstring folder_from_environment(const wchar_t* name, const wchar_t* fallback);
// Makes a folder and its parents; true when it exists afterwards.
bool make_folders(const std::wstring& path);

}  // namespace kbxtest

#endif
