// The notice in the corner of the screen: slides up from below the screen to
// rest on the work area's bottom, plays its sound once it has arrived, and
// slides away when the user clicks 知道了 or X, or puts its memo alerts off
// with 稍后提醒. One window serves every notice
// of the run; it has no owner, so it stays up while the month window hides.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "base/win/dialog_window.h"
#include "base/win/scoped_win.h"
#include "notices/alert_snooze.h"
#include "notices/win/notice_sound.h"

// The window's title, by which it is found from outside the program.
inline constexpr wchar_t kNotificationWindowTitle[] = L"Tavro日历提醒你";

class NotificationWindow : public DialogWindow {
public:
    // `sound` may be null: the system's wave playback is used.
    explicit NotificationWindow(std::unique_ptr<NoticeSound> sound = nullptr);
    ~NotificationWindow() override;

    // Whether to play: asked at each arrival, so a change of the setting
    // counts from the next notice on.
    using SoundSwitch = std::function<bool()>;
    // Creates the window hidden; the module folder gives the fallback sound.
    bool Create(SoundSwitch playSound, const std::filesystem::path& moduleFolder);

    // The message text (GBK); the notices begin it with two line breaks. The
    // label keeps the whole text; what does not fit beside the bell is drawn
    // cut with "…", and the whole text is then the label's tooltip.
    void SetMessage(const std::string& text);
    // The sound played on arrival, GBK text as festival records keep it: a
    // path with a drive, or a name in the Sound folder. A missing or
    // unplayable file falls back to Sound\提醒.wav.
    void SetSoundFile(const std::string& soundFile);
    // Starts the slide in; does nothing while the window slides or rests, so a
    // new message then only replaces the text.
    void Show();

    // Plays the arrival sound again for a notice added to the window at rest;
    // one sliding in plays it when it arrives.
    void Chime();
    // Called each time the window has slid away and is hidden.
    void SetHiddenHandler(std::function<void()> handler) { onHidden_ = std::move(handler); }
    // Whether the notice shows memo alerts, which 稍后提醒 can put off: the
    // button shows beside 知道了 only then.
    void SetSnoozable(bool snoozable);
    // Called with the user's choice of 稍后提醒's menu; the window then
    // slides away as for 知道了.
    void SetSnoozeHandler(std::function<void(SnoozeLength)> handler) { onSnooze_ = std::move(handler); }

    bool IsSliding() const { return slidingIn_ || slidingOut_; }
    bool IsLeaving() const { return slidingOut_; }
    // What the label draws of the message.
    const std::wstring& ShownText() const { return shownText_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    enum Timer : UINT_PTR { kSlideInTimer = 1, kSlideOutTimer = 2 };

    void OnEraseBackground(HDC dc);
    HBRUSH OnControlColor(HDC dc, HWND control);
    void OnDrawMessage(const DRAWITEMSTRUCT& item);
    void OnTimer(UINT_PTR id);
    void OnDismiss();
    void OnSnooze();
    void OnDestroy();

    void SlideInStep();
    void SlideOutStep();
    void PlayArrivalSound();
    RECT MessageTextBox() const;
    // Pixels at 100 % at the window's DPI.
    int Scaled(int pixels) const;
    void LoadBell();
    // Places the controls and sizes the window for the window's DPI.
    void LayOut();
    void FitMessage(const std::string& message);
    void CreateMessageTip();

    std::unique_ptr<NoticeSound> sound_;
    SoundSwitch playSound_;
    std::function<void()> onHidden_;
    std::function<void(SnoozeLength)> onSnooze_;
    bool snoozable_ = false;
    std::filesystem::path moduleFolder_;
    std::string soundFile_;
    std::wstring shownText_;
    bool slidingIn_ = false;
    bool slidingOut_ = false;
    int dpi_ = 96;
    ScopedIcon bell_;
    ScopedHandle<HBRUSH, DeleteGdiObject> background_;
    ScopedHandle<HBRUSH, DeleteGdiObject> titleBand_;
    ScopedWindow messageTip_;
};
