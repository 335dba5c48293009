// What the month window's kept drawing (view/kept_drawing.h) depends on
// beyond the skin's files and the scale, which it records itself: this
// program (another build may lay texts out or draw them otherwise), GDI+
// (which lays out the texts' outlines) and the fonts installed for the
// machine and for the user (a font updated, or one installed under a family
// a skin names, changes the glyphs). A file counts by its size and time, the
// fonts by when their registry keys were last written.
#pragma once

#include <string>

std::string KeptDrawingStamp();
