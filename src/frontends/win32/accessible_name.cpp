#include "frontends/win32/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

namespace stepwise::win32 {

namespace {

constexpr UINT_PTR subclassId = 0x5357;  // one subclass of this kind per control

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT answerText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The standard accessible object of the control, with its name, description, shortcut and role
// replaced. Calls the standard object does not answer (Windows always makes one; Wine not for every
// class) report E_NOTIMPL.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(HWND hwnd, const AccessibleInfo& info) : info_(info) {
        void* inner = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible), &inner)))
            inner_ = static_cast<IAccessible*>(inner);
    }
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return inner_ ? inner_->QueryInterface(iid, object) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return inner_ ? inner_->get_accName(child, name) : E_INVALIDARG;
        return answerText(info_.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (!isSelf(child) || !info_.description) return inner_ ? inner_->get_accDescription(child, text) : E_NOTIMPL;
        return answerText(info_.description(), text);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!isSelf(child) || info_.keyboardShortcut.empty())
            return inner_ ? inner_->get_accKeyboardShortcut(child, shortcut) : E_NOTIMPL;
        return answerText(info_.keyboardShortcut, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child) || info_.role == 0) return inner_ ? inner_->get_accRole(child, role) : E_NOTIMPL;
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = info_.role;
        return S_OK;
    }

#define STEPWISE_FORWARD(method, params, args) \
    HRESULT STDMETHODCALLTYPE method params override { return inner_ ? inner_->method args : E_NOTIMPL; }
    STEPWISE_FORWARD(GetTypeInfoCount, (UINT* count), (count))
    STEPWISE_FORWARD(GetTypeInfo, (UINT index, LCID locale, ITypeInfo** info), (index, locale, info))
    STEPWISE_FORWARD(GetIDsOfNames, (REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids),
                     (iid, names, count, locale, ids))
    STEPWISE_FORWARD(Invoke, (DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* exception, UINT* argError),
                     (id, iid, locale, flags, params, result, exception, argError))
    STEPWISE_FORWARD(get_accParent, (IDispatch** parent), (parent))
    STEPWISE_FORWARD(get_accChildCount, (LONG* count), (count))
    STEPWISE_FORWARD(get_accChild, (VARIANT child, IDispatch** object), (child, object))
    STEPWISE_FORWARD(get_accValue, (VARIANT child, BSTR* value), (child, value))
    STEPWISE_FORWARD(get_accState, (VARIANT child, VARIANT* state), (child, state))
    STEPWISE_FORWARD(get_accHelp, (VARIANT child, BSTR* help), (child, help))
    STEPWISE_FORWARD(get_accHelpTopic, (BSTR* file, VARIANT child, LONG* topic), (file, child, topic))
    STEPWISE_FORWARD(get_accFocus, (VARIANT* child), (child))
    STEPWISE_FORWARD(get_accSelection, (VARIANT* children), (children))
    STEPWISE_FORWARD(get_accDefaultAction, (VARIANT child, BSTR* action), (child, action))
    STEPWISE_FORWARD(accSelect, (LONG flags, VARIANT child), (flags, child))
    STEPWISE_FORWARD(accLocation, (LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child),
                     (left, top, width, height, child))
    STEPWISE_FORWARD(accNavigate, (LONG direction, VARIANT start, VARIANT* end), (direction, start, end))
    STEPWISE_FORWARD(accHitTest, (LONG x, LONG y, VARIANT* child), (x, y, child))
    STEPWISE_FORWARD(accDoDefaultAction, (VARIANT child), (child))
    STEPWISE_FORWARD(put_accName, (VARIANT child, BSTR name), (child, name))
    STEPWISE_FORWARD(put_accValue, (VARIANT child, BSTR value), (child, value))
#undef STEPWISE_FORWARD

private:
    ~NamedAccessible() {
        if (inner_) inner_->Release();
    }

    LONG references_ = 1;
    AccessibleInfo info_;
    IAccessible* inner_ = nullptr;
};

LRESULT CALLBACK namedControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* info = reinterpret_cast<AccessibleInfo*>(data);
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        auto* accessible = new NamedAccessible(hwnd, *info);
        const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, accessible);
        accessible->Release();
        return result;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, namedControlProc, subclassId);
        delete info;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void setAccessibleInfo(HWND control, AccessibleInfo info) {
    auto* kept = new AccessibleInfo(std::move(info));
    if (!SetWindowSubclass(control, namedControlProc, subclassId, reinterpret_cast<DWORD_PTR>(kept))) delete kept;
}

void announceDescriptionChange(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace stepwise::win32
