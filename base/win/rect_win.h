// The platform's RECT and the core's Rect hold the same four edges in the
// same order; these are the one place that copies between them.
#pragma once

#include <windows.h>

#include "base/rect.h"

inline Rect RectFrom(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
