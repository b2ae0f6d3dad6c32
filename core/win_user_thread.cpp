// The user-program thread: setup routine, idle loop with request service,
// then the main routine.
#include <windows.h>
#include <shellapi.h>

#include "core/win_runtime.h"
#include "core/win_state.h"

namespace kbx {

extern UserRoutine user_setup_routine;
extern UserRoutine user_main_routine;

DWORD WINAPI user_thread_main(LPVOID) {
    if (user_setup_routine) user_setup_routine();
    refresh_snap_table();

    while (exit_state == 0) {
        // Wakes at once for a message, Start, Stop, Exit or a request.
        wait_for_work(kWaitSliceMs);
        pump_dialog_messages();
        if (request_code > 0) service_request();
        if (start_request == 1 && program_running == 0) {
            // Closing the slot and reading it free are one step, so no
            // poster can hand over a request that would never be served; a
            // request that came first is served on the next pass.
            int free_slot = 0;
            if (!request_code.compare_exchange_strong(free_slot, kRequestsClosed)) continue;
            DragAcceptFiles(control.window, FALSE);
            program_running = 1;
            start_request = 0;
            stop_request = 0;
            if (user_main_routine) user_main_routine();
            show_pending_output();
            // A main routine that returns ends the thread as Exit would.
            return 0;
        }
    }
    exit_state = 2;
    pump_dialog_messages();
    return 0;
}

}  // namespace kbx
