// The balloon tooltip over the day cells of the month window: one tool region
// per cell, re-created at every rebuild. The window relays its mouse messages
// here so that the balloon can show and hide itself.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/rect.h"
#include "base/win/scoped_win.h"
#include "view/template_values.h"

struct BalloonLook {
    std::optional<Color> background;  // the template's TOOLTIP_BKCOLOR
    std::optional<Color> text;        // TOOLTIP_TEXTCOLOR
};

class BalloonTooltip {
public:
    // Destroys the previous balloon and creates a new, empty one owned by
    // `owner`: shown at once, for up to 30 seconds, top-most, in the given
    // colours; active only when `active`. It is as wide as its widest line,
    // longer lines wrapped at a reading width (WrapBalloonText), a text
    // taller than the work area cut with a note of how much is left out.
    void Recreate(HWND owner, const BalloonLook& look, bool active);
    void Destroy() { window_.reset(); }

    // One region of the owner's client area with its text (GBK); `id` tells
    // the regions apart (the day of the month).
    void AddRegion(UINT id, const Rect& region, const std::string& gbkText);

    // The owner's WM_NOTIFY: keeps a balloon about to show inside the work
    // area of its monitor. True when the message was the balloon's and was
    // handled (`result` set).
    bool OnNotify(const NMHDR& header, LRESULT& result);

    // Hands a mouse message of the owner to the balloon.
    void Relay(HWND owner, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd() const { return window_.get(); }

private:
    ScopedWindow window_;
    HWND owner_ = nullptr;
};
