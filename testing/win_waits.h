// Waiting for what another process shows: every wait polls an observable
// state until it holds or its time runs out.
#ifndef KBX_TESTING_WIN_WAITS_H
#define KBX_TESTING_WIN_WAITS_H

#include <windows.h>

#include <functional>

namespace kbxtest {

// Polls pred every few milliseconds until it holds or timeout_ms pass.
bool wait_until(const std::function<bool()>& pred, DWORD timeout_ms = 5000);

}  // namespace kbxtest

#endif
