// The ring of typed characters between the text window procedure (which
// puts what is typed) and line input (which takes it), with the request
// that asks line input to replay the recall line or paste.
#ifndef KBX_KEY_RING_H
#define KBX_KEY_RING_H

#include <atomic>
#include <mutex>

namespace kbx {

constexpr int kKeyRingSize = 256;

// Empty while read_index is -1; full when read_index equals write_index.
// Line input may run on another thread than the window procedure, and
// paste puts from the taking side, so every access holds the lock.
struct KeyRing {
    wchar_t units[kKeyRingSize];
    int write_index;
    int read_index;
    std::mutex lock;
};

enum KeyRingRequest { kRingNoRequest = 0, kRingReplayRecall = 1, kRingPaste = 2 };

extern KeyRing key_ring;
extern std::atomic<int> key_ring_request;

void key_ring_reset(KeyRing& ring);
// False when the ring is full: the unit is dropped.
bool key_ring_put(KeyRing& ring, wchar_t unit);
// False when the ring is empty.
bool key_ring_take(KeyRing& ring, wchar_t* unit);

}  // namespace kbx

#endif
