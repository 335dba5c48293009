// The balloon tooltip over the day cells of the month window: one tool region
// per cell, replaced at every rebuild. The window relays its mouse messages
// here so that the balloon can show and hide itself.
//
// A cell's text is asked for, and laid out in lines measured in the balloon's
// font, only when its balloon is about to show, and then kept until the next
// rebuild: measuring every cell's text at every rebuild cost as much as
// drawing the month, mostly for balloons nobody looks at.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/rect.h"
#include "base/win/scoped_win.h"
#include "view/template_values.h"

struct BalloonLook {
    std::optional<Color> background;  // the template's TOOLTIP_BKCOLOR
    std::optional<Color> text;        // TOOLTIP_TEXTCOLOR
};

// The text (GBK) of a region, by its id; asked for when its balloon is
// about to show.
using BalloonTextSource = std::function<std::string(UINT id)>;

class BalloonTooltip {
public:
    // Empties the balloon of its regions (a balloon showing goes with them)
    // for a new month owned by `owner`: shown at once, for up to 30 seconds,
    // top-most, in the given colours; active only when `active`. Its texts
    // come from `texts`. It is as wide as its widest line, longer lines
    // wrapped at a reading width (WrapBalloonText), a text taller than the
    // work area cut with a note of how much is left out. The balloon's window
    // lives on from month to month and is made anew only for another owner,
    // look or DPI: making it took a tenth of a month flip.
    void Reset(HWND owner, const BalloonLook& look, bool active, BalloonTextSource texts);
    void Destroy() { window_.reset(); }

    // One region of the owner's client area; `id` tells the regions apart
    // (the day of the month) and is what the text source is asked for.
    void AddRegion(UINT id, const Rect& region);

    // The owner's WM_NOTIFY: gives a balloon about to show its text, and keeps
    // it inside the work area of its monitor. True when the message was the
    // balloon's and was handled (`result` set).
    bool OnNotify(NMHDR& header, LRESULT& result);

    // Hands a mouse message of the owner to the balloon.
    void Relay(HWND owner, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd() const { return window_.get(); }

private:
    // The text of the region as the balloon shows it: in lines that fit the
    // work area, padded where the font draws wider than it measures.
    std::wstring LaidOut(const std::string& gbkText) const;

    ScopedWindow window_;
    HWND owner_ = nullptr;
    BalloonLook look_;
    unsigned dpi_ = 0;
    std::vector<UINT> regions_;  // the ids of the month's regions
    BalloonTextSource texts_;
    std::wstring given_;  // the text last handed to the balloon, which copies it
};
