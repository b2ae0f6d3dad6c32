// The test of hello.exe: type a name, press Greet, read the greeting. Each
// call waits for what it needs (the window, the field, the button), and
// the log holds all hello has printed since its first line.
#include "kobrix_testing.h"

int main() {
    // Ends hello when main returns, however early.
    KBX_TestOwnedProgram hello(KBX_TestProgramPath());
    if (!KBX_TEST_CHECK(hello.result == KBX_TEST_DONE)) return 1;
    KBX_TEST_CHECK(KBX_TestStartLog(hello.get(), 0) == KBX_TEST_DONE);     // what text window 0 prints
    KBX_TEST_CHECK(KBX_TestSetField(hello.get(), 0, "Ada") == KBX_TEST_DONE);
    KBX_TEST_CHECK(KBX_TestPressButton(hello.get(), 0) == KBX_TEST_DONE);  // Greet
    KBX_TEST_CHECK(KBX_TestWaitForOutput(hello.get(), 0, "Hello, Ada!\r\n") == KBX_TEST_DONE);
    std::string log;
    KBX_TEST_CHECK(KBX_TestReadLog(hello.get(), 0, &log) == KBX_TEST_DONE &&
                   log.rfind("Hello from your own project\r\n", 0) == 0);   // its first line
    int code = -1;
    int forced = -1;   // 1: Exit had to end the main routine after its grace
    KBX_TEST_CHECK(KBX_TestExit(hello.get(), &code, nullptr, &forced) == KBX_TEST_DONE && code == 0 && forced == 0);
    return KBX_TestFailures();
}
