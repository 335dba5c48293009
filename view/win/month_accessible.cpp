#include "view/win/month_accessible.h"

#include <oleacc.h>

#include <utility>

#include "base/win/gbk_text.h"

// The object lives as long as any reader holds it; the window's own
// reference is dropped when the window goes, and from then on every question
// is answered "disconnected".
class AccessibleObjectOfMonth : public IAccessible {
public:
    AccessibleObjectOfMonth(HWND window, AccessibleMonthSource source) : window_(window), source_(std::move(source)) {}

    void Disconnect() {
        window_ = nullptr;
        source_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers call the methods directly; there is no type
    // information to offer scripts.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!window_) return CO_E_OBJNOTCONNECTED;
        return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!window_) return CO_E_OBJNOTCONNECTED;
        *count = static_cast<long>(source_().children.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        // The days and buttons are simple elements of this object.
        if (!child) return E_POINTER;
        *child = nullptr;
        return window_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](const AccessibleMonthView& view, const AccessibleChild* item) {
            return item ? item->name : view.name;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return NoText(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Text(child, description, [](const AccessibleMonthView&, const AccessibleChild* item) {
            return item ? item->description : std::string();
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](const AccessibleChild* item) { return item ? item->role : ROLE_SYSTEM_TABLE; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [this](const AccessibleChild* item) {
            const bool windowFocused = GetFocus() == window_;
            long flags = STATE_SYSTEM_FOCUSABLE;
            if (!IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
            if (!item && windowFocused) flags |= STATE_SYSTEM_FOCUSED;
            if (item && item->role == ROLE_SYSTEM_CELL) flags |= STATE_SYSTEM_SELECTABLE;
            if (item && item->focused) flags |= STATE_SYSTEM_SELECTED | (windowFocused ? STATE_SYSTEM_FOCUSED : 0);
            return flags;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return NoText(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return NoText(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        if (!window_) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != window_) return S_FALSE;  // VT_EMPTY: the focus is elsewhere
        const AccessibleMonthView view = source_();
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        for (size_t i = 0; i < view.children.size(); ++i) {
            if (view.children[i].focused) focus->lVal = static_cast<long>(i + 1);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        if (!window_) return CO_E_OBJNOTCONNECTED;
        const AccessibleMonthView view = source_();
        for (size_t i = 0; i < view.children.size(); ++i) {
            if (!view.children[i].focused) continue;
            selection->vt = VT_I4;
            selection->lVal = static_cast<long>(i + 1);
            return S_OK;
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return NoText(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return window_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        AccessibleMonthView view;
        const AccessibleChild* item = nullptr;
        if (const HRESULT found = Find(child, view, item); found != S_OK) return found;
        RECT box{};
        if (item) {
            box = RECT{item->box.left, item->box.top, item->box.right, item->box.bottom};
        } else {
            GetClientRect(window_, &box);
        }
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&box), 2);
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        if (end) VariantInit(end);
        return window_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (!child) return E_POINTER;
        VariantInit(child);
        if (!window_) return CO_E_OBJNOTCONNECTED;
        POINT point{x, y};
        ScreenToClient(window_, &point);
        RECT client{};
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        const AccessibleMonthView view = source_();
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        for (size_t i = 0; i < view.children.size(); ++i) {
            const Rect& box = view.children[i].box;
            if (point.x >= box.left && point.x < box.right && point.y >= box.top && point.y < box.bottom) {
                child->lVal = static_cast<long>(i + 1);
                break;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override {
        return window_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObjectOfMonth() = default;

    // The month as the window shows it now, and the child asked about (null
    // for the table itself).
    HRESULT Find(const VARIANT& child, AccessibleMonthView& view, const AccessibleChild*& item) const {
        if (!window_) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        view = source_();
        item = nullptr;
        if (child.lVal == CHILDID_SELF) return S_OK;
        if (child.lVal < 1 || static_cast<size_t>(child.lVal) > view.children.size()) return E_INVALIDARG;
        item = &view.children[static_cast<size_t>(child.lVal) - 1];
        return S_OK;
    }

    template <typename Pick>
    HRESULT Text(const VARIANT& child, BSTR* text, Pick pick) const {
        if (!text) return E_POINTER;
        *text = nullptr;
        AccessibleMonthView view;
        const AccessibleChild* item = nullptr;
        if (const HRESULT found = Find(child, view, item); found != S_OK) return found;
        const std::string gbk = pick(view, item);
        if (gbk.empty()) return S_FALSE;
        *text = SysAllocString(WideFromGbk(gbk).c_str());
        return *text ? S_OK : E_OUTOFMEMORY;
    }

    template <typename Pick>
    HRESULT Number(const VARIANT& child, VARIANT* number, Pick pick) const {
        if (!number) return E_POINTER;
        VariantInit(number);
        AccessibleMonthView view;
        const AccessibleChild* item = nullptr;
        if (const HRESULT found = Find(child, view, item); found != S_OK) return found;
        number->vt = VT_I4;
        number->lVal = static_cast<long>(pick(item));
        return S_OK;
    }

    HRESULT NoText(const VARIANT& child, BSTR* text) const {
        return Text(child, text, [](const AccessibleMonthView&, const AccessibleChild*) { return std::string(); });
    }

    LONG references_ = 1;
    HWND window_;
    AccessibleMonthSource source_;
};

LRESULT AccessibleMonth::Answer(HWND window, WPARAM wParam, LPARAM lParam, AccessibleMonthSource source) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    if (!object_) object_ = new AccessibleObjectOfMonth(window, std::move(source));
    return LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
}

void AccessibleMonth::Disconnect() {
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

void AccessibleMonth::AnnounceFocus(HWND window, int child) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, child);
}
