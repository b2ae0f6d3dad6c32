// Programs as processes, and the files they leave: start one in a folder of
// its own, wait for its end, read what it wrote.
#ifndef KBX_TESTING_WIN_PROCESS_H
#define KBX_TESTING_WIN_PROCESS_H

#include <windows.h>

#include <string>

namespace kbxtest {

// Folder of the running executable; every built program sits beside it.
std::wstring bin_dir();
std::wstring program_path(const wchar_t* name);   // bin_dir() + name + ".exe"

struct Process {
    HANDLE handle = nullptr;
    DWORD pid = 0;
};
// Starts a program with workdir as its current directory (empty: ours) and
// the given arguments after its name; env, when not null, is a complete
// environment block (UTF-16, double-zero terminated); job, when not null,
// takes it before it runs. No handle: not started.
Process launch(const std::wstring& exe, const std::wstring& workdir = L"", const std::wstring& args = L"",
               const wchar_t* env = nullptr, HANDLE job = nullptr);
// Waits for the process to end; false on time-out.
bool wait_exit(Process& process, DWORD timeout_ms, DWORD* exit_code = nullptr);
// Ends the process if it still runs and closes its handle.
void terminate(Process& process);

// A new, empty folder under the temporary folder, named after tag.
std::wstring make_temp_dir(const wchar_t* tag);
// Deletes the files of a folder (not its subfolders) and the folder.
void remove_folder(const std::wstring& dir);
bool read_file(const std::wstring& path, std::string* contents);
std::wstring join_path(const std::wstring& dir, const std::wstring& name);
// A path the build handed over (a test's environment): a Linux path under
// Wine gets its Z: drive, a Windows path stays as it is.
std::string host_path(const char* path);
std::wstring host_path(const std::wstring& path);

}  // namespace kbxtest

#endif
