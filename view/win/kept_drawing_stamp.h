// What the month window's kept drawing (view/kept_drawing.h) depends on
// beyond the skin's files and the scale, which it records itself: this
// program (another build may lay texts out or draw them otherwise), GDI+
// (which lays out the texts' outlines) and the fonts installed for the
// machine and for the user (a font updated, or one installed under a family
// a skin names, changes the glyphs). A file counts by its size and time, the
// fonts by when their registry keys were last written. GDI+ counts by the
// system folder's gdiplus.dll, which the system's updates of the library
// replace as they do the side-by-side copy the program loads: the stamp is
// made before the program loads GDI+, which a start laid from the kept
// drawing does only after its first picture.
#pragma once

#include <string>

std::string KeptDrawingStamp();
