// Optional system libraries and newer entry points, bound by name at run time. A binding is all
// or nothing: when the library or any one of the entry points is missing, no slot is filled and the
// feature that needs them is simply not there. Windows 95 has no native system-information call,
// SetupAPI and HID arrived later, the service functions are absent on the 9x family, and so on;
// a program that imported them directly would not start on those systems at all.
#pragma once

#include "platform/win_handles.h"

#include <windows.h>

#include <utility>

namespace brimlow::win {

// One entry point: its exported name and the typed slot that receives its address.
template <typename Fn>
struct EntryPoint {
    const char* name;
    Fn* slot;
};
template <typename Fn>
EntryPoint(const char*, Fn*) -> EntryPoint<Fn>;

class RuntimeLibrary {
public:
    enum class Source {
        // A library every process of the family already has (ntdll.dll, kernel32.dll): found with
        // GetModuleHandleA and never freed by us.
        AlreadyLoaded,
        // Loaded with LoadLibraryA now and freed when this object goes.
        LoadNow,
    };

    RuntimeLibrary() = default;
    // An absent library leaves the object empty; nothing is raised and nothing is shown.
    RuntimeLibrary(const char* name, Source source);
    RuntimeLibrary(RuntimeLibrary&& other) noexcept
        : module_(std::exchange(other.module_, nullptr)), owned_(std::move(other.owned_)) {}
    RuntimeLibrary& operator=(RuntimeLibrary&& other) noexcept {
        owned_ = std::move(other.owned_);
        module_ = std::exchange(other.module_, nullptr);
        return *this;
    }

    explicit operator bool() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }

    // Fills every slot, or none: returns false and leaves each slot null when the library is
    // absent or one of the names is not exported. The slots stay valid while this object lives.
    template <typename... Fn>
    bool Bind(EntryPoint<Fn>... entries) const {
        const bool complete = (... && (Find(entries.name) != nullptr));
        // GetProcAddress hands out a generic function pointer; the slot's type is the one the entry
        // point really has. The detour through void* keeps the cast from being read as a mistake.
        ((*entries.slot = complete ? reinterpret_cast<Fn>(reinterpret_cast<void*>(Find(entries.name))) : nullptr), ...);
        return complete;
    }

private:
    FARPROC Find(const char* name) const;

    HMODULE module_ = nullptr;
    Library owned_;  // set for Source::LoadNow only
};

}  // namespace brimlow::win
