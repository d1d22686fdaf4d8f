#pragma once
// Xlib with its extensions, for every file of the X11 front end. X.h makes
// None a macro, which would rewrite the frame code's BlitKind::None; the
// X code here writes 0 (X's None) instead.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#ifdef None
#undef None
#endif
