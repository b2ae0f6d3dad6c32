// Compiled by the format_checked test, which expects the two calls below to
// be refused: a string where the format asks for an int.
#include "kobrix.h"

void misuse() {
    KBX_Print("%d windows\n", "three");
    KBX_DrawText("%d x %d", 4, "five");
}
