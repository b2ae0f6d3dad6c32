// An image window's picture compared with a reference file.
#include <string>
#include <vector>

#include "testing/picture_compare.h"
#include "testing/win_picture_files.h"
#include "testing/win_process.h"
#include "testing/win_test_state.h"

using namespace kbxtest;

namespace {

bool is_absolute(const std::wstring& path) {
    return (path.size() > 1 && path[1] == L':') || (!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

// A relative reference is in the folder of KBX_TEST_REFERENCES (the test's
// source folder, as add_kobrix_test sets it), else in the current folder.
std::wstring reference_path(const char* reference) {
    const std::wstring path = host_path(to_wide(reference));
    const std::wstring folder = path_from_environment(L"KBX_TEST_REFERENCES");
    return is_absolute(path) || folder.empty() ? path : folder + L"\\" + path;
}

// "photo" for "refs/photo.png".
std::wstring stem_of(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

bool update_wanted() {
    wchar_t value[8] = {};
    return GetEnvironmentVariableW(L"KBX_TEST_UPDATE", value, 8) == 1 && value[0] == L'1';
}

}  // namespace

int KBX_TestMatchPicture(KBX_TestWindow window, const char* reference, int tolerance, int max_pixels) {
    KBX_TestPicture actual;
    const int read = KBX_TestReadImage(window, &actual);   // its error says why
    if (read != KBX_TEST_DONE) return read;
    const std::wstring path = reference_path(reference ? reference : "");
    int width = 0, height = 0;
    std::vector<unsigned> expected;
    if (!read_picture_file(path, &width, &height, &expected)) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return fail(KBX_TEST_REFUSED, "match picture: %s is not a picture that can be read", to_utf8(path).c_str());
        if (!update_wanted())
            return fail(KBX_TEST_NO_SUCH_FILE, "match picture: no reference %s (KBX_TEST_UPDATE=1 writes it)", to_utf8(path).c_str());
        const size_t slash = path.find_last_of(L"\\/");
        if (slash != std::wstring::npos) make_folders(path.substr(0, slash));
        if (!write_png_file(path, actual.width, actual.height, actual.pixels))
            return fail(KBX_TEST_REFUSED, "match picture: could not write the reference %s", to_utf8(path).c_str());
        return KBX_TEST_DONE;
    }
    const std::wstring evidence = folder_from_environment(L"KBX_TEST_ARTIFACTS", L"kbx_artifacts") + L"\\" + stem_of(path);
    if (width != actual.width || height != actual.height) {
        write_png_file(evidence + L".actual.png", actual.width, actual.height, actual.pixels);
        return fail(KBX_TEST_MISMATCH, "match picture: %d x %d, the reference %s is %d x %d; the picture is in %s.actual.png",
                    actual.width, actual.height, to_utf8(path).c_str(), width, height, to_utf8(evidence).c_str());
    }
    std::vector<unsigned> marks;
    const PictureDifference d =
        compare_pictures(actual.pixels.data(), expected.data(), width, height, tolerance < 0 ? 0 : tolerance, &marks);
    if (d.count <= max_pixels) return KBX_TEST_DONE;
    write_png_file(evidence + L".actual.png", width, height, actual.pixels);
    write_png_file(evidence + L".diff.png", width, height, marks);
    return fail(KBX_TEST_MISMATCH,
                "match picture: %ld pixels differ from %s by more than %d (largest difference %d, first at %d, %d); "
                "see %s.actual.png and %s.diff.png",
                d.count, to_utf8(path).c_str(), tolerance, d.largest, d.first_x, d.first_y, to_utf8(evidence).c_str(),
                to_utf8(evidence).c_str());
}
