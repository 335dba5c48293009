#include "base/win/work_area.h"

#include "base/win/rect_win.h"
#include "base/window_placement.h"

namespace {

void MoveTo(HWND window, const Rect& r) { MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE); }

}  // namespace

RECT PrimaryWorkArea() {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return work;
}

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    auto& monitors = *reinterpret_cast<std::vector<MonitorArea>*>(context);
    const MonitorArea area{RectFrom(info.rcMonitor), RectFrom(info.rcWork)};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors.insert(monitors.begin(), area);
    else
        monitors.push_back(area);
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> DisplayMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

RECT WorkAreaFor(const RECT& window) {
    const Rect work = WorkAreaOfWindow(RectFrom(window), DisplayMonitors(), RectFrom(PrimaryWorkArea()));
    return RECT{work.left, work.top, work.right, work.bottom};
}

void ClampToWorkArea(HWND window) {
    RECT current{};
    if (!GetWindowRect(window, &current)) return;
    MoveTo(window, KeepOnMonitors(RectFrom(current), DisplayMonitors(), RectFrom(PrimaryWorkArea())));
}
