// Picture pixels and the client points that show them: an image window
// shows pixel p at the client points c with c * 100 / zoom == p.
#ifndef KBX_TESTING_PICTURE_POINTS_H
#define KBX_TESTING_PICTURE_POINTS_H

namespace kbxtest {

// The first client coordinate that maps back to pixel p at this zoom;
// false when none does (a zoom below 100 skips pixels).
bool client_point_for_pixel(int p, int zoom, int* c);
// The zoom in an image window's caption "title(<zoom>%)", "...[8bit]" or
// with a trailing "*"; 0 when there is none.
int caption_zoom(const char* caption);

}  // namespace kbxtest

#endif
