#include "boxes/input_box_layout.h"

namespace kbx {

namespace {

const int kMargin = 4;         // left of the labels, between label and field
const int kSideSpace = 12;     // margins left, between and right of the two columns
const int kLabelDrop = 7;      // labels sit a little lower, level with the field text
const int kFieldDrop = 4;

bool is_left_edge(int edge) { return edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft; }

int positive_or_one(int value) { return value > 0 ? value : 1; }

}  // namespace

int clamp_item_count(int n) {
    if (n < kInputMinItems) return kInputMinItems;
    if (n > kInputMaxItems) return kInputMaxItems;
    return n;
}

ControlRect input_label_rect(int row, int label_width) {
    return ControlRect{kMargin, kInputRowPitch * row + kLabelDrop, label_width, kInputControlHeight};
}

ControlRect input_field_rect(int row, int label_width, int field_width) {
    return ControlRect{label_width + 2 * kMargin, kInputRowPitch * row + kFieldDrop, field_width,
                       kInputControlHeight};
}

void input_client_size(int item_count, int label_width, int field_width, int* width, int* height) {
    *width = label_width + field_width + kSideSpace;
    *height = kInputRowPitch * item_count + 2;
}

int input_row_at(int client_y) { return client_y / kInputRowPitch; }

void lock_sizing_height(int current_top, int current_bottom, int* proposed_top, int* proposed_bottom) {
    *proposed_top = current_top;
    *proposed_bottom = current_bottom;
}

void apply_input_box_width(int sizing_edge, int client_width, int* label_width, int* field_width) {
    if (is_left_edge(sizing_edge)) {
        *label_width = positive_or_one(client_width - *field_width - kSideSpace);
    } else {
        *field_width = positive_or_one(client_width - *label_width - kSideSpace);
    }
}

}  // namespace kbx
