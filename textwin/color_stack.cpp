#include "textwin/color_stack.h"

namespace kbx {

void color_stack_fill(int* stack, int current) {
    for (int i = 0; i < kColorStackDepth; ++i) stack[i] = current;
}

void color_stack_push(int* stack, int* current, int next) {
    for (int i = kColorStackDepth - 1; i > 0; --i) stack[i] = stack[i - 1];
    stack[0] = *current;
    *current = next;
}

void color_stack_pop(int* stack, int* current) {
    *current = stack[0];
    for (int i = 0; i < kColorStackDepth - 1; ++i) stack[i] = stack[i + 1];
}

}  // namespace kbx
