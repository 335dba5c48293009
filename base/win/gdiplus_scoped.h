// Owners for GDI+ flat-interface objects and for the library session itself.
// Objects must be released before the session ends; declare the session first.
#pragma once

#include "base/win/gdiplus_headers.h"

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

struct GdipGraphicsDelete {
    void operator()(Gdiplus::GpGraphics* g) const { gdip::GdipDeleteGraphics(g); }
};
struct GdipImageDelete {
    void operator()(Gdiplus::GpImage* i) const { gdip::GdipDisposeImage(i); }
};
struct GdipPathDelete {
    void operator()(Gdiplus::GpPath* p) const { gdip::GdipDeletePath(p); }
};
struct GdipPenDelete {
    void operator()(Gdiplus::GpPen* p) const { gdip::GdipDeletePen(p); }
};
struct GdipBrushDelete {
    void operator()(Gdiplus::GpSolidFill* b) const { gdip::GdipDeleteBrush(b); }
};
struct GdipFontFamilyDelete {
    void operator()(Gdiplus::GpFontFamily* f) const { gdip::GdipDeleteFontFamily(f); }
};
struct GdipMatrixDelete {
    void operator()(Gdiplus::GpMatrix* m) const { gdip::GdipDeleteMatrix(m); }
};
struct GdipStringFormatDelete {
    void operator()(Gdiplus::GpStringFormat* f) const { gdip::GdipDeleteStringFormat(f); }
};

using ScopedGraphics = GdipObject<Gdiplus::GpGraphics, GdipGraphicsDelete>;
using ScopedImage = GdipObject<Gdiplus::GpImage, GdipImageDelete>;
using ScopedGdipBitmap = GdipObject<Gdiplus::GpBitmap, GdipImageDelete>;
using ScopedPath = GdipObject<Gdiplus::GpPath, GdipPathDelete>;
using ScopedPen = GdipObject<Gdiplus::GpPen, GdipPenDelete>;
using ScopedSolidBrush = GdipObject<Gdiplus::GpSolidFill, GdipBrushDelete>;
using ScopedFontFamily = GdipObject<Gdiplus::GpFontFamily, GdipFontFamilyDelete>;
using ScopedStringFormat = GdipObject<Gdiplus::GpStringFormat, GdipStringFormatDelete>;
using ScopedMatrix = GdipObject<Gdiplus::GpMatrix, GdipMatrixDelete>;

// GdiplusStartup for the lifetime of the object (the program keeps one for its
// whole run; tools and tests keep one in main).
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (ok_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};
