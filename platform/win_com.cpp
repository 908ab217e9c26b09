#include "platform/win_com.h"

#include "platform/win_text.h"

#include <cstdio>
#include <vector>

namespace brimlow::win {

Bstr::Bstr(std::wstring_view text) {
    b_ = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!b_) throw std::bad_alloc();
}

Bstr Bstr::FromAnsi(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int needed = text.empty() ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    Bstr result;
    result.b_ = ::SysAllocStringLen(nullptr, static_cast<UINT>(needed));
    if (!result.b_) throw std::bad_alloc();
    if (needed > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.b_, needed);
    return result;
}

std::string Bstr::Ansi() const {
    if (!b_) return {};
    return WideToAnsi(std::wstring_view(b_, ::SysStringLen(b_)));
}

Variant Variant::FromAnsi(std::string_view text) {
    Variant v;
    Bstr b = Bstr::FromAnsi(text);
    V_VT(v.get()) = VT_BSTR;
    V_BSTR(v.get()) = b.release();
    return v;
}

namespace {

std::string HresultText(HRESULT hr) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    if (text.empty()) {
        char code[48];
        std::snprintf(code, sizeof code, "System Error.  Code: 0x%08lX.", static_cast<unsigned long>(hr));
        text = code;
    }
    return text;
}

std::string ErrorText(HRESULT hr, std::string_view description) {
    std::string text(description);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    return text.empty() ? HresultText(hr) : text;
}

// EXCEPINFO owns two or three BSTRs once a call has filled it.
struct ExceptionInfo {
    EXCEPINFO info{};
    ~ExceptionInfo() {
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
    }
    [[noreturn]] void Raise(HRESULT hr) {
        if (hr == DISP_E_EXCEPTION) {
            if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
            const HRESULT code = info.scode ? info.scode : hr;
            const BSTR description = info.bstrDescription;
            throw ComError(code, description ? WideToAnsi(std::wstring_view(description, ::SysStringLen(description)))
                                             : std::string());
        }
        throw ComError(hr);
    }
};

}  // namespace

ComError::ComError(HRESULT hr, std::string_view description)
    : std::runtime_error(ErrorText(hr, description)), code_(hr) {}

void Check(HRESULT hr) {
    if (FAILED(hr)) throw ComError(hr);
}

std::optional<DISPID> FindMember(IDispatch* object, std::wstring_view name) {
    Bstr wide(name);
    LPOLESTR names[] = {wide.get()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) return std::nullopt;
    Check(hr);
    return id;
}

Variant InvokeMember(IDispatch* object, DISPID member, WORD kind, std::span<const VARIANT> args) {
    // Invoke takes the arguments last to first and does not take them over.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    Variant result;
    ExceptionInfo exception;
    UINT argumentError = 0;
    const HRESULT hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result.put(),
                                      &exception.info, &argumentError);
    if (FAILED(hr)) exception.Raise(hr);
    return result;
}

Variant CallMember(IDispatch* object, std::wstring_view name, WORD kind, std::span<const VARIANT> args) {
    const std::optional<DISPID> member = FindMember(object, name);
    if (!member) throw ComError(DISP_E_UNKNOWNNAME);
    return InvokeMember(object, *member, kind, args);
}

ComPtr<IDispatch> DispatchOf(const Variant& value) {
    IUnknown* unknown = nullptr;
    if (value.type() == VT_DISPATCH)
        unknown = V_DISPATCH(value.get());
    else if (value.type() == VT_UNKNOWN)
        unknown = V_UNKNOWN(value.get());
    ComPtr<IDispatch> dispatch = QueryAs<IDispatch>(unknown, IID_IDispatch);
    if (!dispatch) throw ComError(DISP_E_TYPEMISMATCH);
    return dispatch;
}

}  // namespace brimlow::win
