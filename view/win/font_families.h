// The platform's answer to "is this font family installed?" for the template
// loaders: the family must be one GDI+ can create, since GDI+ draws the text.
// GDI+ must have been started (GdiplusStartup) before the query is used.
#pragma once

#include <string>

#include "view/template_values.h"

// The family name is GBK.
bool IsFontFamilyInstalled(const std::string& family);

inline FontFamilyQuery InstalledFontFamilies() { return IsFontFamilyInstalled; }
