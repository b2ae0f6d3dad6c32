// The framework's process-wide state, its platform-free part: limits, the
// current window numbers, the run-state flags, the request slot and the
// values captured at start-up. The window registry and the other handles
// are in core/win_state.h. Both threads read and write it directly; the
// flags and the request code are atomics so that the hand-off between the
// threads is well defined.
#ifndef KBX_STATE_H
#define KBX_STATE_H

#include <atomic>
#include <cstdint>

#include "core/snap_table.h"
#include "kbx_core.h"

namespace kbx {

constexpr int kMaxWindows = 256;   // text windows and image windows, each
constexpr int kMaxInstances = 10;
constexpr int kPathChars = 260;
constexpr int kSelectStackDepth = 8;

// Window numbers are compared as unsigned, so -1 and 256 are both out.
inline bool valid_window_number(int n) { return static_cast<unsigned>(n) < static_cast<unsigned>(kMaxWindows); }

// --- current windows (the tables themselves are in core/win_state.h) ---------
extern int current_text_window;
extern int current_image;
extern int image_select_stack[kSelectStackDepth];   // entry 0 on top

// --- run state (start_request, program_running, stop_request and exit_state
// are public, in kbx_core.h) -----------------------------------------------
extern std::atomic<int> input_active;        // 0, or 1 + text window of a waiting line input
extern std::atomic<int> drawing_tool_mode;   // 1 while a drawing tool points

// --- request slot ------------------------------------------------------------
enum RequestCode {
    kRequestsClosed = -1,   // set by the user-program thread as the main routine starts
    kRequestNone = 0,
    kRequestCreateImage = 9001,
    kRequestShowImage = 9002,
    kRequestLoadImage = 9003,
    kRequestPutBitmap = 9004,
    kRequestOpenTextWindow = 9005,
    kRequestOpenInputBox = 9006,
    kRequestOpenButtonBox = 9007,
};

extern std::atomic<int> request_code;   // written last, from 0 only, by the poster
extern std::atomic<int> request_done;   // 1 when serviced; initially 1
extern int request_number;
extern const char* request_title;
extern int request_x, request_y;
extern int request_width, request_height;
extern int request_depth;
extern int request_zoom;
extern const char* request_path;
extern int request_result;

// --- values captured at start-up ---------------------------------------------
extern int instance_number;
extern double ms_per_tick;
extern int screen_depth;
extern wchar_t open_dir_w[kPathChars];
extern char open_dir[kPathChars * 2];
extern wchar_t save_dir_w[kPathChars];
extern char save_dir[kPathChars * 2];
extern wchar_t log_dir_w[kPathChars + 1];
extern char log_dir[kPathChars * 2 + 1];

// --- drawing defaults --------------------------------------------------------
extern int draw_color;         // 0xFFFFFF
extern int kbx_tttc;           // TrueType text colour, 0xFFFFFF
extern int kbx_tc;             // bitmap-font text colour, 0x000000
extern int image_text_x, image_text_y, image_text_left_margin;
extern int image_text_font_width, image_text_font_height;   // 8 x 16

// The last line entered by line input.
extern wchar_t recall_line[256];

// --- snap rectangles ---------------------------------------------------------
extern SnapTable snap_table;

// Sets every variable here and in core/win_state.h to its start-up value (handles null, tables
// free, request_done 1, drawing defaults, an empty key ring, no pointer
// events). Run before anything else.
void reset_shared_state();

}  // namespace kbx

#endif
