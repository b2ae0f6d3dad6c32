// Path handling for the image files: names come from the file dialogs, the
// command line and dropped files. An extension is added only when it fits
// and is not there yet, a folder cut keeps a prefix up to the last
// separator, and the filter list never passes its buffer.
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "image/image_file_names.h"

using namespace kbx;

namespace {

bool tail_has(const std::wstring& path, const wchar_t* extension) {
    if (path.size() < 4) return false;
    std::wstring tail = path.substr(path.size() - 4);
    for (wchar_t& c : tail)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return tail.find(extension) != std::wstring::npos;
}

void check_extension(const std::wstring& name, const wchar_t* extension) {
    // A guard past the path buffer shows any write beyond it.
    std::vector<wchar_t> buffer(kImagePathChars + 1, L'#');
    std::wmemcpy(buffer.data(), name.c_str(), name.size() + 1);
    const bool ok = add_extension(buffer.data(), extension);
    KBX_CHECK(buffer[kImagePathChars] == L'#');
    const std::wstring after(buffer.data());
    if (tail_has(name, extension)) {
        KBX_CHECK(ok && after == name);
    } else if (ok) {
        KBX_CHECK(after == name + extension && after.size() < static_cast<std::size_t>(kImagePathChars));
    } else {
        KBX_CHECK(after == name && name.size() + std::wcslen(extension) >= static_cast<std::size_t>(kImagePathChars));
    }
}

void check_folder(const std::wstring& name) {
    std::wstring path = name;
    cut_to_folder(&path[0]);
    const std::wstring folder(path.c_str());
    const std::size_t last = name.find_last_of(L"\\/");
    if (last == std::wstring::npos) {
        KBX_CHECK(folder == name);
    } else {
        KBX_CHECK(folder == name.substr(0, last + 1));
    }
}

void check_filters(int count, std::size_t capacity) {
    std::vector<wchar_t> out(capacity + 1, L'#');
    const std::size_t n = build_filter_list(count, out.data(), capacity);
    KBX_CHECK(out[capacity] == L'#');
    if (n == 0) return;
    KBX_CHECK(n <= capacity && n >= 1 && out[n - 1] == 0);
    // Description and pattern pairs, then one more NUL.
    int strings = 0;
    for (std::size_t at = 0; at + 1 < n; at += std::wcslen(out.data() + at) + 1) ++strings;
    const int listed = count < 0 ? 0 : (count < kOpenFilterCount ? count : kOpenFilterCount);
    KBX_CHECK(strings == 2 * listed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int filter = in.ConsumeIntegral<int>();
    const int format = format_for_save_filter(filter);
    KBX_CHECK(format >= 0 && format < kFormatCount);
    check_filters(in.ConsumeIntegralInRange(-1, kOpenFilterCount + 1), in.ConsumeIntegralInRange<std::size_t>(0, 600));
    // A path of UTF-16 units (no NUL inside) short enough for the buffer.
    std::wstring name;
    while (in.remaining_bytes() >= 2 && name.size() + 1 < static_cast<std::size_t>(kImagePathChars)) {
        const wchar_t unit = static_cast<wchar_t>(in.ConsumeIntegral<std::uint16_t>());
        if (unit != 0) name.push_back(unit);
    }
    check_extension(name, kImageFormats[format].extension);
    check_folder(name);
    return 0;
}
