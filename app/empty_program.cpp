// The smallest KOBRIX program: the framework with nothing of its own.
#include "kobrix.h"

void KBX_Setup() {}

void KBX_Main() {
    for (;;) wait_100ms();
}
