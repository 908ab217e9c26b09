#include "ui/accessible_name.h"

#include "platform/win_binding.h"
#include "platform/win_com.h"
#include "ui/access_keys.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <string>

namespace brimlow::ui {
namespace {

using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

struct OleAcc {
    win::RuntimeLibrary library{"oleacc.dll", win::RuntimeLibrary::Source::LoadNow};
    CreateStdAccessibleObjectFn createStdAccessibleObject = nullptr;
    LresultFromObjectFn lresultFromObject = nullptr;
    bool bound = library.Bind(win::EntryPoint{"CreateStdAccessibleObject", &createStdAccessibleObject},
                              win::EntryPoint{"LresultFromObject", &lresultFromObject});
};

// Loaded the first time anybody asks, so a program nobody reads aloud never loads it.
const OleAcc& Library() {
    static const OleAcc library;
    return library;
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

// The label's text as read: an access key's mark is no part of the name.
std::wstring NameOf(HWND label) {
    std::wstring text = WindowText(label);
    std::wstring name;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == L'&' && at + 1 < text.size()) ++at;
        else if (text[at] == L'&') continue;
        name += text[at];
    }
    return name;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT CopyText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The system's object for the control with the name and value answered here; everything else
// is the system's own answer.
class LabelledAccessible final : public IAccessible, public IOleWindow {
public:
    LabelledAccessible(win::ComPtr<IAccessible> inner, HWND control, HWND label)
        : inner_(std::move(inner)), control_(control), label_(label) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == IID_IOleWindow) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: calls by number go through the type description to this object's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return inner_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        win::ComPtr<ITypeInfo> info;
        if (FAILED(inner_->GetTypeInfo(0, locale, info.put())) || !info)
            return inner_->Invoke(id, iid, locale, flags, params, result, exception, argument);
        return info->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception, argument);
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || !::IsWindow(label_)) return inner_->get_accName(child, name);
        return CopyText(NameOf(label_), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const HRESULT own = inner_->get_accValue(child, value);
        if (!IsSelf(child) || (SUCCEEDED(own) && value && *value)) return own;
        // A static's object has no value: its text is the value the label names.
        return CopyText(WindowText(control_), value);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return inner_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return inner_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return inner_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return inner_->get_accDescription(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override { return inner_->get_accRole(child, out); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return inner_->get_accState(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override { return inner_->get_accHelp(child, out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return inner_->get_accKeyboardShortcut(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return inner_->get_accFocus(out); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override { return inner_->get_accSelection(out); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return inner_->get_accDefaultAction(child, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return inner_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override { return inner_->accHitTest(x, y, out); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return inner_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return inner_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return inner_->put_accValue(child, value);
    }

    // IOleWindow: the window this object stands for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~LabelledAccessible() = default;

    std::atomic<ULONG> references_{1};
    win::ComPtr<IAccessible> inner_;
    HWND control_;
    HWND label_;
};

LRESULT CALLBACK LabelledProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR label) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, LabelledProc, id);
    // The object id travels as a 32-bit value whatever the width of the parameter.
    if (message != WM_GETOBJECT || static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    const OleAcc& oleacc = Library();
    if (!oleacc.bound) return ::DefSubclassProc(hwnd, message, wParam, lParam);
    win::ComPtr<IAccessible> inner;
    if (FAILED(oleacc.createStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible, inner.put_void())) || !inner)
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    // The result holds its own reference; ours goes when `object` does.
    const win::ComPtr<IAccessible> object(
        new LabelledAccessible(std::move(inner), hwnd, reinterpret_cast<HWND>(label)));
    return oleacc.lresultFromObject(IID_IAccessible, wParam, object.get());
}

}  // namespace

void NameControlByLabel(HWND control, HWND label) {
    if (control && label) ::SetWindowSubclass(control, LabelledProc, 2, reinterpret_cast<DWORD_PTR>(label));
}

}  // namespace brimlow::ui
