// Move-only owners for Win32 handles. Two kinds of kernel handle exist because the API reports
// failure with NULL in some places and INVALID_HANDLE_VALUE in others.
#pragma once

#include <windows.h>
#include <winsvc.h>

#include <utility>

namespace brimlow::win {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Type get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    Type release() { return std::exchange(h_, Traits::Invalid()); }
    void reset(Type h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }
    // For out-parameters: releases what is held and hands out the slot.
    Type* put() {
        reset();
        return &h_;
    }

private:
    Type h_ = Traits::Invalid();
};

struct NullHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::FreeLibrary(h); }
};
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};
struct AcceleratorTraits {
    using Type = HACCEL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyAcceleratorTable(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};
struct ServiceHandleTraits {
    using Type = SC_HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CloseServiceHandle(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
using KernelHandle = UniqueHandle<NullHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using Library = UniqueHandle<ModuleTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits>;
using Menu = UniqueHandle<MenuTraits>;
using Accelerators = UniqueHandle<AcceleratorTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using ServiceHandle = UniqueHandle<ServiceHandleTraits>;
using Icon = UniqueHandle<IconTraits>;

}  // namespace brimlow::win
