// The test of hello.exe: type a name, press Greet, read the greeting.
#include "kobrix_testing.h"

int main() {
    KBX_TestProgram hello;
    if (!KBX_TEST_CHECK(KBX_TestStart(&hello, KBX_TestProgramPath()) == 0)) return 1;
    KBX_TEST_CHECK(KBX_TestWaitForWindow(&hello, KBX_TEST_BUTTON_BOX) != nullptr);
    KBX_TEST_CHECK(KBX_TestStartLog(&hello, 0) == 0);              // what text window 0 prints
    KBX_TEST_CHECK(KBX_TestSetField(&hello, 0, "Ada") == 0);
    KBX_TEST_CHECK(KBX_TestPressButton(&hello, 0) == 0);           // Greet
    KBX_TEST_CHECK(KBX_TestWaitForOutput(&hello, 0, "Hello, Ada!\r\n") == 0);
    int code = -1;
    int forced = -1;   // 1: Exit had to end the main routine after its grace
    KBX_TEST_CHECK(KBX_TestExit(&hello, &code, nullptr, &forced) == 0 && code == 0 && forced == 0);
    KBX_TestEnd(&hello);
    return KBX_TestFailures();
}
