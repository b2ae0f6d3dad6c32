// When hello ends while a test waits on it, the wait says so at once and
// names its exit code, rather than running to its time limit.
#include <string>

#include "kobrix_testing.h"

int main() {
    KBX_TestOwnedProgram hello(KBX_TestProgramPath());
    if (!KBX_TEST_CHECK(hello.result == KBX_TEST_DONE)) return 1;
    // Exit, as from its menu, without waiting for the end.
    KBX_TEST_CHECK(KBX_TestPostCommand(hello->control, KBX_CMD_EXIT) == KBX_TEST_DONE);
    KBX_TestSetTimeout(60000);
    KBX_TEST_CHECK(KBX_TestWaitForOutput(hello.get(), 0, "never printed") == KBX_TEST_PROGRAM_ENDED);
    KBX_TEST_CHECK(std::string(KBX_TestLastError()).find("exit code 0") != std::string::npos);
    return KBX_TestFailures();
}
