// The per-window colour stack: eight saved colours, entry 0 the most recent.
// Foreground and background each keep one stack; both move together.
#ifndef KBX_COLOR_STACK_H
#define KBX_COLOR_STACK_H

namespace kbx {

constexpr int kColorStackDepth = 8;

// Every entry becomes current (a freshly opened window).
void color_stack_fill(int* stack, int current);
// Saves *current in entry 0 (entry 7 is lost) and makes next current.
void color_stack_push(int* stack, int* current, int next);
// Entry 0 becomes current; entries 1..7 move up and entry 7 keeps its
// value, so popping more often than pushing repeats the oldest colour.
void color_stack_pop(int* stack, int* current);

}  // namespace kbx

#endif
