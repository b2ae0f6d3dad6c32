// The framework's private window messages, all in one list so that no two
// share a value. They start well above WM_APP: a tool that hooks a window's
// thread may post the first WM_APP values to its windows for itself.
#ifndef KBX_WIN_MESSAGES_H
#define KBX_WIN_MESSAGES_H

#include <windows.h>

namespace kbx {

enum PrivateMessage : UINT {
    // To the control window when a print first holds text output back: its
    // thread copies to the screen what stays held.
    kMsgTextOutputHeld = WM_APP + 0x40,
    // To the control window: beep and flash the status text; lparam: the
    // text, valid until shown.
    kMsgFlashStatus,
};

}  // namespace kbx

#endif
