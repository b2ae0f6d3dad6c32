// Geometry of the button box: an NX by NY grid of equal buttons with 4-pixel
// gaps and margins, and which button a point in the box belongs to.
#ifndef KBX_BUTTON_GRID_H
#define KBX_BUTTON_GRID_H

#include "boxes/input_box_layout.h"

namespace kbx {

constexpr int kButtonGap = 4;
constexpr int kMaxGridButtons = 256;
constexpr int kFirstButtonId = 3000;

struct ButtonGrid {
    int columns, rows;
    int button_width, button_height;
};

// True when a box of columns x rows may open: both at least 1 and at most
// 256 buttons in all.
bool button_grid_allowed(int columns, int rows);

// Button k (row by row) at its place in the grid.
ControlRect button_rect(const ButtonGrid& grid, int k);
void button_client_size(const ButtonGrid& grid, int* width, int* height);

// The button size that fills a client area of width x height; a client area
// smaller than the gaps gives buttons of 0 or 1 pixels, never negative.
void button_size_for_client(ButtonGrid* grid, int client_width, int client_height);

// The button whose grid cell holds the client point, gaps and margins
// included: right and bottom margins belong to the last column and row.
int button_at(const ButtonGrid& grid, int x, int y);

// The digit 0..9 of a main-keyboard or keypad digit key, else -1.
int digit_of_key(unsigned virtual_key);

}  // namespace kbx

#endif
