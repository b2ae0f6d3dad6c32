#include "boxes/button_grid.h"

namespace kbx {

namespace {

int cell_index(int offset, int pitch, int count) {
    int index = pitch > 0 ? offset / pitch : 0;
    if (index < 0) index = 0;
    if (index > count - 1) index = count - 1;
    return index;
}

int share_of(int space, int count) {
    if (space <= 0) space = 1;
    return space / count;
}

}  // namespace

bool button_grid_allowed(int columns, int rows) {
    if (columns < 1 || rows < 1) return false;
    // Compared in 64 bits: huge factors must not wrap into range.
    return static_cast<long long>(columns) * rows <= kMaxGridButtons;
}

ControlRect button_rect(const ButtonGrid& grid, int k) {
    int column = k % grid.columns;
    int row = k / grid.columns;
    return ControlRect{kButtonGap + column * (grid.button_width + kButtonGap),
                       kButtonGap + row * (grid.button_height + kButtonGap), grid.button_width,
                       grid.button_height};
}

void button_client_size(const ButtonGrid& grid, int* width, int* height) {
    *width = grid.columns * (grid.button_width + kButtonGap) + kButtonGap;
    *height = grid.rows * (grid.button_height + kButtonGap) + kButtonGap;
}

void button_size_for_client(ButtonGrid* grid, int client_width, int client_height) {
    grid->button_width = share_of(client_width - (kButtonGap * grid->columns + kButtonGap), grid->columns);
    grid->button_height = share_of(client_height - (kButtonGap * grid->rows + kButtonGap), grid->rows);
}

int button_at(const ButtonGrid& grid, int x, int y) {
    int column = cell_index(x, grid.button_width + kButtonGap, grid.columns);
    int row = cell_index(y, grid.button_height + kButtonGap, grid.rows);
    return row * grid.columns + column;
}

int digit_of_key(unsigned virtual_key) {
    const unsigned kMainZero = 0x30;     // '0'
    const unsigned kKeypadZero = 0x60;   // keypad 0
    if (virtual_key >= kMainZero && virtual_key <= kMainZero + 9) return static_cast<int>(virtual_key - kMainZero);
    if (virtual_key >= kKeypadZero && virtual_key <= kKeypadZero + 9)
        return static_cast<int>(virtual_key - kKeypadZero);
    return -1;
}

}  // namespace kbx
