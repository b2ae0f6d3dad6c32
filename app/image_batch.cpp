// Image batch: one operation on every picture in a folder, each result saved
// under the same name, in the same format, in another folder. Fill in the
// two folders and the operation, press Run; Stop ends the batch after the
// file in hand. Text window 0 reports each file and the progress.
#include <windows.h>   // FindFirstFileA, CreateDirectoryA

#include <algorithm>
#include <string>
#include <vector>

#include "kobrix.h"

namespace {

enum Field { kInputFolder, kOutputFolder, kOperation };
enum Button { kRun, kStop };
const int kShown = 0;   // the image window that shows each picture

struct Operation {
    const char* name;
    int command;   // 0: done here, with the pixel calls
};
const Operation kOperations[] = {
    {"invert", KBX_CMD_INVERT},       {"mirror", KBX_CMD_FLIP_HORZ}, {"rotate right", KBX_CMD_ROTATE_RIGHT},
    {"grey", 0},                      {"half size", KBX_CMD_SCALE_50},
};
const int kOperationCount = sizeof kOperations / sizeof kOperations[0];

// "1 invert, 2 mirror, ..." from the table, with its line feed.
void print_operations() {
    for (int i = 0; i < kOperationCount; ++i) KBX_Print("%s%d %s", i ? ", " : "", i + 1, kOperations[i].name);
    KBX_Print("\n");
}

std::string field_text(int i) {
    char text[256];
    KBX_GetInputBoxText(i, text, sizeof text);
    return text;
}

std::string in_folder(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

// The names of the files (not folders) in a folder, in order.
std::vector<std::string> files_in(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(in_folder(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Every pixel of the current image window to its luminance.
void make_grey(int n) {
    int width = 0, height = 0;
    if (KBX_GetImageSize(n, &width, &height) != 0) return;
    KBX_SelectImage(n);
    std::vector<unsigned int> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        KBX_ReadImageRow(row.data(), y, width);
        for (int x = 0; x < width; ++x) {
            const unsigned int c = row[x];
            int v = KBX_LumaY((c >> 16) & 255, (c >> 8) & 255, c & 255);
            v = v < 0 ? 0 : (v > 255 ? 255 : v);
            KBX_SetPixel(x, y, v * 0x010101);
        }
    }
    KBX_RestoreImage();
}

// One file: open, operate, save. The line for it says how it went.
bool process(const std::string& input, const std::string& output, const std::string& name, const Operation& op) {
    KBX_DestroyImage(kShown);
    const int opened = KBX_OpenImageFile(kShown, in_folder(input, name).c_str(), 480, 0, 100);
    if (opened == 5) {
        KBX_Print("%s: cannot read, skipped\n", name.c_str());
        return false;
    }
    if (opened != 0) {
        KBX_Print("%s: cannot show (%d), skipped\n", name.c_str(), opened);
        return false;
    }
    if (op.command == 0) {
        make_grey(kShown);
    } else if (KBX_RunImageCommand(kShown, op.command) != 0) {
        KBX_Print("%s: %s refused, skipped\n", name.c_str(), op.name);
        return false;
    }
    switch (KBX_SaveImageFile(kShown, in_folder(output, name).c_str())) {
        case 0: break;
        case 1: KBX_Print("%s: cannot save this format, skipped\n", name.c_str()); return false;
        case 2: KBX_Print("%s: cannot write to the output folder\n", name.c_str()); return false;
        default: KBX_Print("%s: saving failed\n", name.c_str()); return false;
    }
    int width = 0, height = 0;
    KBX_GetImageSize(kShown, &width, &height);
    KBX_Print("%s: %s, %d x %d, saved\n", name.c_str(), op.name, width, height);
    return true;
}

void run_batch() {
    KBX_TakeButtonPress(kStop);   // a Stop from before this run is no request to end it
    const std::string input = field_text(kInputFolder);
    const std::string output = field_text(kOutputFolder);
    const int choice = KBX_GetInputBoxInt(kOperation);
    KBX_StartLog(0);
    if (choice < 1 || choice > kOperationCount) {
        KBX_Print("Operation %d? ", choice);
        print_operations();
        KBX_CloseLog(0);
        return;
    }
    const Operation& op = kOperations[choice - 1];
    const std::vector<std::string> names = files_in(input);
    CreateDirectoryA(output.c_str(), nullptr);   // may exist already
    KBX_Print("%s: %d files, %s into %s\n", input.c_str(), static_cast<int>(names.size()), op.name, output.c_str());

    const unsigned int start = ms_clock();
    const int total = static_cast<int>(names.size());
    int done = 0, failed = 0;
    bool stopped = false;
    for (const std::string& name : names) {
        if (KBX_TakeButtonPress(kStop) != 0 || !KBX_Running()) {   // Stop, or Exit mid-batch
            stopped = true;
            break;
        }
        if (!process(input, output, name, op)) ++failed;
        ++done;
        KBX_Print("%d/%d files, %.1f s\n", done, total, (ms_clock() - start) / 1000.0);
    }
    KBX_Print("%s: %d/%d files, %d failed, %.1f s\n", stopped ? "Stopped" : "Finished", done, total, failed,
              (ms_clock() - start) / 1000.0);
    KBX_CloseLog(0);
}

// About 100 ms between polls; after the control window's Stop wait_100ms
// returns at once, so the rest is slept here.
void wait_for_next_poll() {
    const unsigned int start = ms_clock();
    while (wait_100ms() != 0) {
        if (ms_clock() - start >= 100) return;
        Sleep(10);
    }
}

}  // namespace

void KBX_Setup() {
    KBX_OpenInputBox(0, 0, 3);
    KBX_ResizeInputBox(100, 300);
    KBX_SetInputBoxTitle(kInputFolder, "Input folder");
    KBX_SetInputBoxText(kInputFolder, "in");
    KBX_SetInputBoxTitle(kOutputFolder, "Output folder");
    KBX_SetInputBoxText(kOutputFolder, "out");
    KBX_SetInputBoxTitle(kOperation, "Operation 1-5");
    KBX_SetInputBoxInt(kOperation, 1);

    KBX_OpenButtonBox(0, 130, 2, 1);
    KBX_ResizeButtonBox(200, 34);
    KBX_SetButtonBoxTitle(kRun, "Run");
    KBX_SetButtonBoxTitle(kStop, "Stop");

    KBX_OpenTextWindow(0, 0, 200, 460, 300);
    print_operations();
    start_request = 1;
}

void KBX_Main() {
    while (KBX_Running()) {
        if (KBX_TakeButtonPress(kRun) != 0) run_batch();
        KBX_TakeButtonPress(kStop);   // Stop while idle does nothing
        wait_for_next_poll();
    }
}
