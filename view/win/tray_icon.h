// The program's icon in the notification area: added with the application
// icon, then redrawn each day with today's day number from the tray template,
// removed at exit.
#pragma once

#include <windows.h>
#include <filesystem>
#include <shellapi.h>

#include <string>

#include "base/win/scoped_win.h"
#include "view/tray_template.h"
#include "view/win/layered_surface.h"

inline constexpr UINT kTrayIconId = 128;
inline constexpr UINT kTrayCallbackMessage = 10991;

class TrayIcon {
public:
    // The record of the icon: owner, id 128, callback 10991, the initial icon
    // and the tip (cut to what the record holds).
    void Init(HWND owner, HICON initialIcon, const std::wstring& tip);

    // A new tip (cut to what the record holds), shown from the next Add or Draw.
    void SetTip(const std::wstring& tip);
    // The same, shown at once.
    void ShowTip(const std::wstring& tip);

    // False when the notification area refused (not ready yet at logon).
    bool Add();
    bool IsAdded() const { return added_; }

    // Renders the 16 x 16 day icon from the tray template of that name beside
    // the executable with today's day of the month, and puts it in place of
    // the current image; the initial icon when the template gives nothing to
    // see or the template is damaged. Works also before a successful Add: the
    // record keeps the icon for the next Add. Returns what damage the
    // template has, if any.
    SkinDamage Draw(const std::filesystem::path& moduleFolder, const std::string& templateName, int dayOfMonth,
                    const FontFamilyQuery& fontFamilies);

    // The image the record holds now.
    HICON icon() const { return data_.hIcon; }

    // For a restarted notification area, which has lost every icon: the next
    // Add puts this one back with its current image.
    void Forget();

    // Deletes the icon and the last generated image; the record holds the
    // initial icon again.
    void Remove();

private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
    HICON initialIcon_ = nullptr;  // not owned
    ScopedIcon generated_;
};

// Puts the icon into the notification area (NIM_ADD); false when it refused.
// Defined alone in view/win/notification_area.cpp, so that a test build of
// the program can link its own, one that refuses as at log-on before the
// notification area is ready (app/win/tests/program_seams.cpp).
bool AddToNotificationArea(NOTIFYICONDATAW& data);

// The icon of a day, `size` pixels square (the notification area's small-icon
// size: 16 at 100 %, 20, 24, 32 at higher scales): the template's picture
// drawn at that size and the day number drawn with its outlined-text style
// inside its RECT, both given for 16 x 16 and scaled (no number when it gives
// none). Null when no icon could be made or it would show nothing at all.
HICON RenderTrayDayIcon(const TrayTemplate& tray, int dayOfMonth, int size = 16);

// The same picture before it becomes an icon: premultiplied, as drawn (empty
// when it could not be drawn). What tools/render-tray lays out to look at.
LayeredSurface RenderTrayDayPicture(const TrayTemplate& tray, int dayOfMonth, int size = 16);
