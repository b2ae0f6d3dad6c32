// Interactive window creation from the control window: not yet built.
// Dropped files are released so the shell's drop memory does not leak.
#include <windows.h>
#include <shellapi.h>

#include "core/interactive.h"

namespace kbx {

void interactive_paste() {}
void interactive_image_window() {}
void interactive_text_window() {}
void interactive_input_box() {}
void interactive_window_info() {}
void interactive_button_box() {}
void interactive_drop_files(HDROP drop) { DragFinish(drop); }

}  // namespace kbx
