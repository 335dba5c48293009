// Owners for GDI+ flat-interface objects and for the library session itself.
// Objects must be released before the session ends; declare the session first.
#pragma once

#include "base/win/gdiplus_headers.h"
#include "base/win/scoped_win.h"

#include <utility>

namespace gdip = Gdiplus::DllExports;
using Gdiplus::GpStatus;

template <typename T, typename Delete>
class GdipObject {
public:
    GdipObject() = default;
    explicit GdipObject(T* object) : object_(object) {}
    ~GdipObject() { reset(); }

    GdipObject(GdipObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdipObject& operator=(GdipObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    GdipObject(const GdipObject&) = delete;
    GdipObject& operator=(const GdipObject&) = delete;

    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For the creating call's out parameter; releases what was held.
    T** out() {
        reset();
        return &object_;
    }
    void reset(T* object = nullptr) {
        if (object_) Delete()(object_);
        object_ = object;
    }

private:
    T* object_ = nullptr;
};

using ScopedGraphics = GdipObject<Gdiplus::GpGraphics, ReleasedBy<gdip::GdipDeleteGraphics>>;
using ScopedImage = GdipObject<Gdiplus::GpImage, ReleasedBy<gdip::GdipDisposeImage>>;
using ScopedGdipBitmap = GdipObject<Gdiplus::GpBitmap, ReleasedBy<gdip::GdipDisposeImage>>;
using ScopedPath = GdipObject<Gdiplus::GpPath, ReleasedBy<gdip::GdipDeletePath>>;
using ScopedFontFamily = GdipObject<Gdiplus::GpFontFamily, ReleasedBy<gdip::GdipDeleteFontFamily>>;
using ScopedStringFormat = GdipObject<Gdiplus::GpStringFormat, ReleasedBy<gdip::GdipDeleteStringFormat>>;
using ScopedMatrix = GdipObject<Gdiplus::GpMatrix, ReleasedBy<gdip::GdipDeleteMatrix>>;

// GdiplusStartup for the lifetime of the object (the program keeps one for its
// whole run; tools and tests keep one in main). The program starts its own late:
// gdiplus.dll is delay-loaded, and a start whose first picture needs nothing
// of GDI+ (view/win/display_list_renderer.h) shows it before the library and
// the libraries it brings are loaded, which under Wine took about a sixth of
// the time a trivial program takes to show its window.
class GdiplusSession {
public:
    enum class Starting { kNow, kWhenNeeded };
    explicit GdiplusSession(Starting starting = Starting::kNow) {
        if (starting == Starting::kNow) Start();
    }
    ~GdiplusSession() {
        if (ok_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    // Starts GDI+ unless it runs (or could not be started) already; true when
    // it runs. Every function of a delay-loaded gdiplus.dll is bound first:
    // the x86_64 linker's stub that binds a function at its first call does
    // not keep the call's floating-point arguments (a font's size arrived as
    // garbage), and bound here, no call goes through it.
    bool Start();
    bool ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool tried_ = false;
    bool ok_ = false;
};
