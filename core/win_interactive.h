// Interactive window creation from the control window (first thread).
#ifndef KBX_WIN_INTERACTIVE_H
#define KBX_WIN_INTERACTIVE_H

#include <windows.h>

namespace kbx {

void interactive_paste();          // KBX_CMD_PASTE_NEW_IMAGE
void interactive_image_window();   // KBX_CMD_NEW_IMAGE_WINDOW
void interactive_text_window();    // KBX_CMD_NEW_TEXT_WINDOW
void interactive_input_box();      // KBX_CMD_NEW_INPUT_BOX
void interactive_window_info();    // KBX_CMD_WINDOW_INFO
void interactive_button_box();     // KBX_CMD_NEW_BUTTON_BOX
void interactive_drop_files(HDROP drop);

}  // namespace kbx

#endif
