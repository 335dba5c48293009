// Tiny owners for Win32 handles: each releases its handle with the one
// function that matches how it was obtained, in reverse order of acquisition
// when several live in one scope.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Release>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }

    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }

    Handle release() { return std::exchange(handle_, Handle()); }
    void reset(Handle handle = Handle()) {
        if (handle_ != Handle()) Release()(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Handle();
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using ScopedBitmap = ScopedHandle<HBITMAP, DeleteGdiObject>;
using ScopedFont = ScopedHandle<HFONT, DeleteGdiObject>;
using ScopedMemoryDc = ScopedHandle<HDC, DeleteMemoryDc>;  // from CreateCompatibleDC
using ScopedIcon = ScopedHandle<HICON, DestroyIconHandle>;
using ScopedWindow = ScopedHandle<HWND, DestroyWindowHandle>;
// A menu not attached to another: an attached sub-menu goes with its parent.
using ScopedMenu = ScopedHandle<HMENU, DestroyMenuHandle>;
using ScopedKernelHandle = ScopedHandle<HANDLE, CloseKernelHandle>;  // not for INVALID_HANDLE_VALUE

// A device context borrowed with GetDC (nullptr window: the screen), given
// back with ReleaseDC.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
