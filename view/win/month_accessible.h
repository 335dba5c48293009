// The month window as a screen reader sees it (MSAA IAccessible, which UI
// Automation also reads through its proxy): a table named by the month whose
// children are the header's buttons and the days. The window answers
// WM_GETOBJECT with it and describes itself afresh at every question, so the
// object never shows a month the window has left.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/rect.h"

struct AccessibleChild {
    long role = 0;            // ROLE_SYSTEM_CELL, ROLE_SYSTEM_PUSHBUTTON
    std::string name;         // GBK
    std::string description;  // GBK: the day's balloon text
    Rect box;                 // client pixels
    bool focused = false;     // the day the keyboard's ring is on
};

struct AccessibleMonthView {
    std::string name;  // GBK: "2026年12月"
    std::vector<AccessibleChild> children;
};

using AccessibleMonthSource = std::function<AccessibleMonthView()>;

class AccessibleObjectOfMonth;

// The window's one accessible object, made at the first question and cut off
// from the window when the window goes: readers that still hold it are told
// it is disconnected.
class AccessibleMonth {
public:
    AccessibleMonth() = default;
    ~AccessibleMonth() { Disconnect(); }
    AccessibleMonth(const AccessibleMonth&) = delete;
    AccessibleMonth& operator=(const AccessibleMonth&) = delete;

    // The answer to WM_GETOBJECT for the client area; 0 for anything else
    // (Windows then answers for the window's frame).
    LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, AccessibleMonthSource source);
    void Disconnect();

    // Tells readers that the keyboard's ring is on child `child` (1-based, in
    // the order of AccessibleMonthView::children).
    static void AnnounceFocus(HWND window, int child);

private:
    AccessibleObjectOfMonth* object_ = nullptr;  // one reference held
};
