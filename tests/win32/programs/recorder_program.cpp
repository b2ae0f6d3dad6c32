// Records a sample line every 100 ms into two files, through stdio and
// through a static stream, and never flushes them by hand; a third file,
// written straight through to the system, counts the samples written to
// both. With KBX_RECORDER=deaf its loop never looks at Exit.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "kobrix.h"

static std::ofstream stream_file("samples_stream.txt");

void KBX_Setup() { start_request = 1; }

void KBX_Main() {
    const char* mode = std::getenv("KBX_RECORDER");
    const bool looks = !(mode && std::strcmp(mode, "deaf") == 0);
    FILE* stdio_file = std::fopen("samples_stdio.txt", "w");
    HANDLE count = CreateFileW(L"samples_count.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!stdio_file || count == INVALID_HANDLE_VALUE) return;
    for (int i = 1; !looks || KBX_Running(); ++i) {
        std::fprintf(stdio_file, "sample %d\n", i);
        stream_file << "sample " << i << "\n";
        char line[16];
        const int length = std::snprintf(line, sizeof line, "%d\n", i);
        DWORD written = 0;
        WriteFile(count, line, static_cast<DWORD>(length), &written, nullptr);
        if (wait_100ms() == 1) Sleep(100);
    }
}
