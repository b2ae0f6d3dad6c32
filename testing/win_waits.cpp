#include "testing/win_waits.h"

namespace kbxtest {

bool wait_until(const std::function<bool()>& pred, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start > timeout_ms) return pred();
        Sleep(5);
    }
}

}  // namespace kbxtest
