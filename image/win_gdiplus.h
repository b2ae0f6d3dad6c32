// The GDI+ flat interface, included the same way by every file that needs it.
#ifndef KBX_WIN_GDIPLUS_H
#define KBX_WIN_GDIPLUS_H

#include <windows.h>
#include <objidl.h>

#ifdef _MSC_VER
// The GDI+ headers expect min and max, which NOMINMAX takes away.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#endif

#include <gdiplus.h>

#endif
