// post_key <window class> <virtual key, decimal>: posts a key-down to the
// first top-level window of that class (used by the bench scripts to press
// Stop in a running program).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: post_key <class> <vk>\n");
        return 2;
    }
    wchar_t cls[128];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, cls, 128);
    HWND w = FindWindowW(cls, nullptr);
    if (!w) {
        std::fprintf(stderr, "post_key: no window of class %s\n", argv[1]);
        return 1;
    }
    PostMessageW(w, WM_KEYDOWN, static_cast<WPARAM>(std::atoi(argv[2])), 0);
    return 0;
}
