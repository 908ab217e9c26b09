#include "platform/win_binding.h"

namespace brimlow::win {

RuntimeLibrary::RuntimeLibrary(const char* name, Source source) {
    switch (source) {
    case Source::AlreadyLoaded:
        module_ = ::GetModuleHandleA(name);
        break;
    case Source::LoadNow:
        owned_.reset(::LoadLibraryA(name));
        module_ = owned_.get();
        break;
    }
}

FARPROC RuntimeLibrary::Find(const char* name) const {
    return module_ ? ::GetProcAddress(module_, name) : nullptr;
}

}  // namespace brimlow::win
