// <gdiplus.h> as the project's compile settings need it: windows.h comes lean
// (no objidl.h) and without min/max (NOMINMAX), both of which GDI+ expects.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
