// The product name and version from the executable's own version resource:
// the caption of every message box, the tray tip and the About box.
#pragma once

#include <string>

struct ProductVersionInfo {
    std::wstring productName;
    std::wstring productVersion;
};

// Read from the running executable. Values the resource lacks come back empty,
// except the name, which falls back to the executable's file name so that a
// caption is never blank.
ProductVersionInfo ReadProductVersionInfo();
std::wstring ProductName();
