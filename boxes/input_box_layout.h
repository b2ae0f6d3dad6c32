// Geometry of the input box: a column of rows, each a label and an edit
// field, and how dragging its edges changes the two column widths.
#ifndef KBX_INPUT_BOX_LAYOUT_H
#define KBX_INPUT_BOX_LAYOUT_H

namespace kbx {

constexpr int kInputRowPitch = 28;
constexpr int kInputControlHeight = 24;
constexpr int kInputMinItems = 1;
constexpr int kInputMaxItems = 30;

// A child control's place in its parent's client area.
struct ControlRect {
    int x, y, width, height;
};

// The window edges a sizing drag can hold, numbered as the platform numbers
// them in its sizing notice.
enum SizingEdge {
    kEdgeNone = 0,
    kEdgeLeft = 1,
    kEdgeRight = 2,
    kEdgeTop = 3,
    kEdgeTopLeft = 4,
    kEdgeTopRight = 5,
    kEdgeBottom = 6,
    kEdgeBottomLeft = 7,
    kEdgeBottomRight = 8,
};

// Any requested field count becomes 1..30.
int clamp_item_count(int n);

ControlRect input_label_rect(int row, int label_width);
ControlRect input_field_rect(int row, int label_width, int field_width);
void input_client_size(int item_count, int label_width, int field_width, int* width, int* height);

// The row under a client y; may lie outside 0..item_count-1 (callers check).
int input_row_at(int client_y);

// A drag never changes the box's height: the proposed top and bottom are
// replaced by the current ones.
void lock_sizing_height(int current_top, int current_bottom, int* proposed_top, int* proposed_bottom);

// After a drag to client width W: dragging a left edge resizes the labels,
// any other edge the fields; a width that would not be positive becomes 1.
void apply_input_box_width(int sizing_edge, int client_width, int* label_width, int* field_width);

}  // namespace kbx

#endif
