#include "base/win/gdiplus_scoped.h"

#include <delayimp.h>

// What the linker and the C runtime give a program that delay-loads a DLL:
// the image's own base, the descriptor dlltool wrote for gdiplus.dll (named
// after its library, cmake/make-delay-library.sh; the same symbol on x86_64
// and i686, where C names would take a leading underscore) and the runtime's
// function that loads the DLL and binds one function, as the first call of it
// does.
extern "C" IMAGE_DOS_HEADER __ImageBase;
extern "C" const ImgDelayDescr gdiplusDelayDescriptor __asm__("__DELAY_IMPORT_DESCRIPTOR_libgdiplus_delay_a");
extern "C" FARPROC WINAPI __delayLoadHelper2(const ImgDelayDescr* descriptor, FARPROC* slot);

namespace {

// Every function of the descriptor's DLL bound at once. The runtime's
// __HrLoadAllImportsForDll would do it, but it looks the DLL up in the
// image's delay-import directory, which GNU ld leaves empty.
void BindEveryFunction(const ImgDelayDescr& descriptor) {
    auto* base = reinterpret_cast<BYTE*>(&__ImageBase);
    auto* slots = reinterpret_cast<FARPROC*>(base + descriptor.rvaIAT);
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor.rvaINT);
    for (size_t i = 0; names[i].u1.AddressOfData != 0; ++i) __delayLoadHelper2(&descriptor, &slots[i]);
}

}  // namespace

bool GdiplusSession::Start() {
    if (tried_) return ok_;
    tried_ = true;
    BindEveryFunction(gdiplusDelayDescriptor);
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    return ok_;
}
