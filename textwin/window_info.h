// The window information report: where every window is, in a text window,
// and the layout source fragment on the clipboard.
#ifndef KBX_WINDOW_INFO_H
#define KBX_WINDOW_INFO_H

namespace kbx {

// Prints the report into text window t and copies the fragment.
void window_info_report(int t);

}  // namespace kbx

#endif
