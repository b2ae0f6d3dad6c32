#include "core/win_state.h"

#include <cstring>

#include "image/pointer_events.h"
#include "textwin/key_ring.h"

std::atomic<int> start_request{0};
std::atomic<int> program_running{0};
std::atomic<int> stop_request{0};
std::atomic<int> exit_state{0};

namespace kbx {

TextWindowRecord text_windows[kMaxWindows];
int current_text_window;

ImageWindowRecord image_windows[kMaxWindows];
std::uint32_t* image_pixels32[kMaxWindows];
unsigned char* image_pixels8[kMaxWindows];
int current_image;
int image_select_stack[kSelectStackDepth];

InputBoxRecord input_box;
ButtonBoxRecord button_box;
ControlWindowRecord control;

std::atomic<int> input_active{0};
std::atomic<int> drawing_tool_mode{0};
HANDLE user_thread_wake;
HANDLE first_thread_wake;

std::atomic<int> request_code{0};
std::atomic<int> request_done{1};
int request_number;
const char* request_title;
int request_x, request_y;
int request_width, request_height;
int request_depth;
int request_zoom;
const char* request_path;
HBITMAP request_bitmap;
int request_result;

int instance_number;
HINSTANCE module_instance;
LONGLONG perf_frequency;
double ms_per_tick;
int screen_depth;
wchar_t open_dir_w[kPathChars];
char open_dir[kPathChars * 2];
wchar_t save_dir_w[kPathChars];
char save_dir[kPathChars * 2];
wchar_t log_dir_w[kPathChars + 1];
char log_dir[kPathChars * 2 + 1];

int draw_color;
int kbx_tttc;
int kbx_tc;
int image_text_x, image_text_y, image_text_left_margin;
HFONT image_text_font;
int image_text_font_width, image_text_font_height;
COLORREF custom_colors[16];

wchar_t recall_line[256];

SnapTable snap_table;

void wake_user_thread() {
    if (user_thread_wake) SetEvent(user_thread_wake);
}

void reset_shared_state() {
    start_request = 0;
    program_running = 0;
    stop_request = 0;
    exit_state = 0;

    std::memset(text_windows, 0, sizeof text_windows);
    current_text_window = 0;
    std::memset(image_windows, 0, sizeof image_windows);
    std::memset(image_pixels32, 0, sizeof image_pixels32);
    std::memset(image_pixels8, 0, sizeof image_pixels8);
    current_image = 0;
    std::memset(image_select_stack, 0, sizeof image_select_stack);

    std::memset(&input_box, 0, sizeof input_box);
    input_box.label_width = 80;
    input_box.field_width = 70;
    std::memset(&button_box, 0, sizeof button_box);
    button_box.button_width = 98;
    button_box.button_height = 26;
    std::memset(&control, 0, sizeof control);

    input_active = 0;
    drawing_tool_mode = 0;
    key_ring_reset(key_ring);
    key_ring_request = 0;
    reset_pointer_records();

    request_code = 0;
    request_done = 1;
    request_number = 0;
    request_title = nullptr;
    request_x = request_y = 0;
    request_width = request_height = 0;
    request_depth = 0;
    request_zoom = 0;
    request_path = nullptr;
    request_bitmap = nullptr;
    request_result = 0;

    instance_number = 0;
    module_instance = nullptr;
    perf_frequency = 0;
    ms_per_tick = 0;
    screen_depth = 0;
    open_dir_w[0] = save_dir_w[0] = log_dir_w[0] = 0;
    open_dir[0] = save_dir[0] = log_dir[0] = 0;

    draw_color = 0xFFFFFF;
    kbx_tttc = 0xFFFFFF;
    kbx_tc = 0x000000;
    image_text_x = image_text_y = image_text_left_margin = 0;
    image_text_font = nullptr;
    image_text_font_width = 8;
    image_text_font_height = 16;
    std::memset(custom_colors, 0, sizeof custom_colors);
    recall_line[0] = 0;

    snap_table_clear(snap_table);
}

}  // namespace kbx
