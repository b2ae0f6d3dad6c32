#include "testing/win_process.h"

#include <cwchar>

namespace kbxtest {

std::wstring bin_dir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    size_t slash = s.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : s.substr(0, slash);
}

std::wstring program_path(const wchar_t* name) { return join_path(bin_dir(), std::wstring(name) + L".exe"); }

Process launch(const std::wstring& exe, const std::wstring& workdir, const std::wstring& args, const wchar_t* env,
               HANDLE job) {
    Process p;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + exe + L"\"";
    if (!args.empty()) command += L" " + args;
    void* block = const_cast<wchar_t*>(env);
    const DWORD flags = (env ? CREATE_UNICODE_ENVIRONMENT : 0) | (job ? CREATE_SUSPENDED : 0);
    if (CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, flags, block,
                       workdir.empty() ? nullptr : workdir.c_str(), &si, &pi)) {
        // In the job before its first instruction: nothing it starts escapes.
        if (job && !AssignProcessToJobObject(job, pi.hProcess)) {
            TerminateProcess(pi.hProcess, 99);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            return p;
        }
        if (job) ResumeThread(pi.hThread);
        CloseHandle(pi.hThread);
        p.handle = pi.hProcess;
        p.pid = pi.dwProcessId;
    }
    return p;
}

bool wait_exit(Process& process, DWORD timeout_ms, DWORD* exit_code) {
    if (!process.handle) return false;
    if (WaitForSingleObject(process.handle, timeout_ms) != WAIT_OBJECT_0) return false;
    if (exit_code) GetExitCodeProcess(process.handle, exit_code);
    return true;
}

void terminate(Process& process) {
    if (!process.handle) return;
    if (WaitForSingleObject(process.handle, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle, 99);
        WaitForSingleObject(process.handle, 5000);
    }
    CloseHandle(process.handle);
    process.handle = nullptr;
}

std::wstring join_path(const std::wstring& dir, const std::wstring& name) {
    if (dir.empty()) return name;
    wchar_t last = dir.back();
    return (last == L'\\' || last == L'/') ? dir + name : dir + L"\\" + name;
}

std::string host_path(const char* path) { return path[0] == '/' ? std::string("Z:") + path : std::string(path); }
std::wstring host_path(const std::wstring& path) { return !path.empty() && path[0] == L'/' ? L"Z:" + path : path; }

std::wstring make_temp_dir(const wchar_t* tag) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (int i = 0;; ++i) {
        wchar_t name[64];
        std::swprintf(name, 64, L"kbx_%ls_%lu_%d", tag, GetCurrentProcessId(), i);
        std::wstring dir = join_path(base, name);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return dir;
    }
}

void remove_folder(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(join_path(dir, L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(join_path(dir, found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
}

bool read_file(const std::wstring& path, std::string* contents) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    contents->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) contents->append(buffer, got);
    CloseHandle(f);
    return true;
}

}  // namespace kbxtest
