#include "textwin/key_ring.h"

namespace kbx {

KeyRing key_ring = {{}, 0, -1, {}};
std::atomic<int> key_ring_request{kRingNoRequest};

void key_ring_reset(KeyRing& ring) {
    std::lock_guard<std::mutex> hold(ring.lock);
    ring.write_index = 0;
    ring.read_index = -1;
}

bool key_ring_put(KeyRing& ring, wchar_t unit) {
    std::lock_guard<std::mutex> hold(ring.lock);
    if (ring.read_index == ring.write_index) return false;
    ring.units[ring.write_index] = unit;
    if (ring.read_index == -1) ring.read_index = ring.write_index;
    ring.write_index = (ring.write_index + 1) % kKeyRingSize;
    return true;
}

bool key_ring_take(KeyRing& ring, wchar_t* unit) {
    std::lock_guard<std::mutex> hold(ring.lock);
    if (ring.read_index == -1) return false;
    *unit = ring.units[ring.read_index];
    ring.read_index = (ring.read_index + 1) % kKeyRingSize;
    if (ring.read_index == ring.write_index) ring.read_index = -1;
    return true;
}

}  // namespace kbx
