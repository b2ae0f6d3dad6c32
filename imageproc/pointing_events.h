// The pointing loops' side of the pointer events that the image window
// procedure records: starting a loop on a window, and one pass over the
// events recorded since the last pass.
#ifndef KBX_IMAGEPROC_POINTING_EVENTS_H
#define KBX_IMAGEPROC_POINTING_EVENTS_H

#include "image/pointer_events.h"
#include "imageproc/pointing.h"

namespace kbx {

// Points the events at window n for a new loop. A click, or a right click,
// left over from before the loop is forgotten; the last move position is
// kept, since the guide lines start there.
void begin_pointer_events(PointerEvents* events, int n);
// After the loop: no window is pointed at.
void end_pointer_events(PointerEvents* events);

// Hands the recorded move, click and cancel, in that order, to the loop;
// each flag acted on is cleared, and nothing is taken once the loop is
// over. Then a stop request ends a loop still running, with its points as
// they stand. Returns true when the picture changed (a band came or went).
bool take_pointer_events(PointingLoop* loop, const PixelView& view, PointerEvents* events, bool stop_requested);

}  // namespace kbx

#endif
