// Tiny owners for Win32 handles: each releases its handle with the one
// function that matches how it was obtained, in reverse order of acquisition
// when several live in one scope.
#pragma once

#include <windows.h>

#include <unknwn.h>  // after <windows.h>, which it needs

#include <type_traits>
#include <utility>

// The value that means "no handle": null, unless the release function's type
// names another (file and search handles use INVALID_HANDLE_VALUE).
template <typename Handle, typename Release, typename = void>
struct EmptyHandle {
    static Handle Value() { return Handle(); }
};
template <typename Handle, typename Release>
struct EmptyHandle<Handle, Release, std::void_t<decltype(Release::Empty())>> {
    static Handle Value() { return Release::Empty(); }
};

template <typename Handle, typename Release>
class ScopedHandle {
    static Handle Empty() { return EmptyHandle<Handle, Release>::Value(); }

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
    explicit operator bool() const { return handle_ != Empty(); }

    Handle release() { return std::exchange(handle_, Empty()); }
    void reset() { reset(Empty()); }
    void reset(Handle handle) {
        if (handle_ != Empty()) Release()(handle_);
        handle_ = handle;
    }
    // For functions that hand a new handle back through a pointer.
    Handle* Receive() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Empty();
};

// The function that releases a handle, as the type an owner names; for file
// and search handles, whose "no handle" is INVALID_HANDLE_VALUE, the second.
template <auto Release>
struct ReleasedBy {
    template <typename Handle>
    void operator()(Handle handle) const {
        Release(handle);
    }
};
template <auto Release>
struct ReleasedByOrInvalid : ReleasedBy<Release> {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
};

using DeleteGdiObject = ReleasedBy<DeleteObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, DeleteGdiObject>;
using ScopedFont = ScopedHandle<HFONT, DeleteGdiObject>;
using ScopedMemoryDc = ScopedHandle<HDC, ReleasedBy<DeleteDC>>;  // from CreateCompatibleDC
using ScopedIcon = ScopedHandle<HICON, ReleasedBy<DestroyIcon>>;
using ScopedWindow = ScopedHandle<HWND, ReleasedBy<DestroyWindow>>;
// A menu not attached to another: an attached sub-menu goes with its parent.
using ScopedMenu = ScopedHandle<HMENU, ReleasedBy<DestroyMenu>>;
using ScopedKernelHandle = ScopedHandle<HANDLE, ReleasedBy<CloseHandle>>;         // processes, events, mutexes
using ScopedFileHandle = ScopedHandle<HANDLE, ReleasedByOrInvalid<CloseHandle>>;  // from CreateFileW
using ScopedFindHandle = ScopedHandle<HANDLE, ReleasedByOrInvalid<FindClose>>;    // from FindFirstFileW
using ScopedRegistryKey = ScopedHandle<HKEY, ReleasedBy<RegCloseKey>>;

struct ReleaseComObject {
    void operator()(IUnknown* object) const { object->Release(); }
};
// One reference to a COM object (an IAccessible, an IDispatch...).
template <typename Interface>
using ScopedComPointer = ScopedHandle<Interface*, ReleaseComObject>;

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
