#include "base/win/popup_menu.h"

#include "base/win/gbk_text.h"

ScopedMenu BuildPopupMenu(const std::vector<MenuItem>& items) {
    ScopedMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::kSeparator:
                AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
                break;
            case MenuItem::Kind::kCommand:
                AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.command),
                            WideFromGbk(MenuItemLabel(item.text)).c_str());
                break;
            case MenuItem::Kind::kSubMenu: {
                ScopedMenu child = BuildPopupMenu(item.children);
                // Once attached, the sub-menu is destroyed with its parent.
                if (child && AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(child.get()),
                                         WideFromGbk(MenuItemLabel(item.text)).c_str())) {
                    child.release();
                }
                break;
            }
        }
    }
    return menu;
}

int TrackPopupMenuAtCursor(HWND owner, HMENU menu, UINT flags, const POINT* place) {
    POINT at{};
    if (place)
        at = *place;
    else
        GetCursorPos(&at);
    // Without the foreground the menu would not close when the user clicks
    // elsewhere; the posted message lets it close on the next click.
    SetForegroundWindow(owner);
    const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | flags, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return command;
}

int ChooseFromMenu(HWND owner, const std::vector<MenuItem>& items, UINT flags, const POINT* at) {
    const ScopedMenu menu = BuildPopupMenu(items);
    return menu ? TrackPopupMenuAtCursor(owner, menu.get(), flags, at) : 0;
}
