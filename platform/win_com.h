// Move-only owners for COM interface pointers, BSTRs and VARIANTs, late-bound calls, and the
// error that a failed COM call raises with the platform's text.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace brimlow::win {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over one reference.
    explicit ComPtr(T* p) : p_(p) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* release() { return std::exchange(p_, nullptr); }
    void reset(T* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

private:
    T* p_ = nullptr;
};

// Another interface of the same object; empty when the object does not have it.
template <typename U, typename T>
ComPtr<U> QueryAs(T* object, REFIID iid) {
    ComPtr<U> other;
    if (object) object->QueryInterface(iid, other.put_void());
    return other;
}

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text);
    // From ANSI text, as the program holds its facts.
    static Bstr FromAnsi(std::string_view text);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        reset(std::exchange(other.b_, nullptr));
        return *this;
    }
    ~Bstr() { reset(); }

    BSTR get() const { return b_; }
    BSTR* put() {
        reset();
        return &b_;
    }
    void reset(BSTR b = nullptr) {
        if (b_) ::SysFreeString(b_);
        b_ = b;
    }
    BSTR release() { return std::exchange(b_, nullptr); }
    // The text in the ANSI code page; a null BSTR is the empty text.
    std::string Ansi() const;

private:
    BSTR b_ = nullptr;
};

class Variant {
public:
    Variant() { ::VariantInit(&v_); }
    // A VT_BSTR holding ANSI text.
    static Variant FromAnsi(std::string_view text);
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : v_(other.v_) { ::VariantInit(&other.v_); }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            ::VariantClear(&v_);
            v_ = other.v_;
            ::VariantInit(&other.v_);
        }
        return *this;
    }
    ~Variant() { ::VariantClear(&v_); }

    const VARIANT& operator*() const { return v_; }
    const VARIANT* get() const { return &v_; }
    VARIANT* get() { return &v_; }
    VARTYPE type() const { return V_VT(&v_); }
    // For out-parameters: clears what is held and hands out the slot.
    VARIANT* put() {
        ::VariantClear(&v_);
        return &v_;
    }

private:
    VARIANT v_;
};

// A failed COM call. The text is the one the platform gives for it.
class ComError : public std::runtime_error {
public:
    explicit ComError(HRESULT hr, std::string_view description = {});
    HRESULT code() const { return code_; }

private:
    HRESULT code_;
};

// Throws ComError when `hr` reports failure.
void Check(HRESULT hr);

// The member's dispatch id; nullopt when the object has no member of that name.
std::optional<DISPID> FindMember(IDispatch* object, std::wstring_view name);

// Late-bound call; `args` in their natural order. Throws ComError with the object's own
// description of the failure when it gives one.
Variant InvokeMember(IDispatch* object, DISPID member, WORD kind, std::span<const VARIANT> args = {});
Variant CallMember(IDispatch* object, std::wstring_view name, WORD kind, std::span<const VARIANT> args = {});

// The IDispatch of an object held in a VARIANT (VT_DISPATCH or VT_UNKNOWN); throws ComError
// otherwise.
ComPtr<IDispatch> DispatchOf(const Variant& value);

}  // namespace brimlow::win
