// What a program wrote survives Exit: lines written with fprintf and with a
// static std::ofstream, never flushed by hand, are all in their files, both
// when the main routine returns on Exit and when it never looks and is ended
// after the grace period.
#include <gtest/gtest.h>

#include <string>

#include "kobrix_testing.h"
#include "tests/support/driver.h"

namespace {

int line_count(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

// How many whole lines "sample 1", "sample 2", ... the text begins with
// (text mode: each ends in CR LF).
int samples_in_order(const std::string& text) {
    int n = 0;
    for (size_t at = 0;;) {
        const std::string want = "sample " + std::to_string(n + 1) + "\r\n";
        if (text.compare(at, want.size(), want) != 0) return n;
        at += want.size();
        ++n;
    }
}

}  // namespace

TEST(ExitKeepsFiles, EveryLineWrittenBeforeExit) {
    for (const char* mode : {"looks", "deaf"}) {
        SCOPED_TRACE(mode);
        const std::string setting = std::string("KBX_RECORDER=") + mode;
        const char* env[] = {setting.c_str(), nullptr};
        KBX_TestOwnedProgram program(kbxtest::exe_path(L"recorder_program").c_str(), env);
        ASSERT_EQ(program.result, 0) << KBX_TestLastError();
        std::string counted;
        EXPECT_EQ(KBX_TestWaitFor([&] { return KBX_TestReadFile(program.get(), "samples_count.txt", &counted) == 0 &&
                                               line_count(counted) >= 3; },
                                  "three samples"),
                  0);
        int code = -1, forced = -1;
        EXPECT_EQ(KBX_TestExit(program.get(), &code, nullptr, &forced), 0) << KBX_TestLastError();
        EXPECT_EQ(code, 0);
        EXPECT_EQ(forced, mode[0] == 'd' ? 1 : 0);
        KBX_TestReadFile(program.get(), "samples_count.txt", &counted);
        const int written = line_count(counted);
        for (const char* name : {"samples_stdio.txt", "samples_stream.txt"}) {
            std::string text;
            EXPECT_EQ(KBX_TestReadFile(program.get(), name, &text), 0) << name;
            // Counted once both had it; a forced end may cut one more.
            EXPECT_GE(samples_in_order(text), written) << name << ":\n" << text;
            EXPECT_LE(samples_in_order(text), written + 1) << name << ":\n" << text;
        }
    }
}
