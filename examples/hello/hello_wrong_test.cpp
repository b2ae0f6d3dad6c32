// A test whose check does not hold: hello greets Ada, not Bob. ctest expects
// it to fail (WILL_FAIL), side by side with the others as with alone.
#include "kobrix_testing.h"

int main() {
    KBX_TestOwnedProgram hello(KBX_TestProgramPath());
    if (!KBX_TEST_CHECK(hello.result == KBX_TEST_DONE)) return 1;
    KBX_TestSetTimeout(3000);
    KBX_TEST_CHECK(KBX_TestSetField(hello.get(), 0, "Ada") == KBX_TEST_DONE);
    KBX_TEST_CHECK(KBX_TestPressButton(hello.get(), 0) == KBX_TEST_DONE);
    KBX_TEST_CHECK(KBX_TestWaitForOutput(hello.get(), 0, "Hello, Bob!\r\n") == KBX_TEST_DONE);
    return KBX_TestFailures();
}
