// Interactive window creation from the control window (first thread).
#ifndef KBX_INTERACTIVE_H
#define KBX_INTERACTIVE_H

#include <windows.h>

namespace kbx {

void interactive_paste();          // 1026
void interactive_image_window();   // 1027
void interactive_text_window();    // 1028
void interactive_input_box();      // 1044
void interactive_window_info();    // 1045
void interactive_button_box();     // 1051
void interactive_drop_files(HDROP drop);

}  // namespace kbx

#endif
