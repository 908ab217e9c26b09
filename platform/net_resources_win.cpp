#include "platform/net_resources.h"

#include <windows.h>
#include <winnetwk.h>

namespace brimlow {

namespace {

std::string Text(const char* text) { return text ? text : ""; }

class SystemEnumeration final : public NetEnumeration {
public:
    explicit SystemEnumeration(HANDLE handle) : handle_(handle) {}
    ~SystemEnumeration() override { ::WNetCloseEnum(handle_); }
    SystemEnumeration(const SystemEnumeration&) = delete;
    SystemEnumeration& operator=(const SystemEnumeration&) = delete;

    NetEnumStep Next(std::vector<NetResource>& entries) override {
        for (;;) {
            DWORD count = static_cast<DWORD>(-1);
            DWORD size = static_cast<DWORD>(buffer_.size());
            const DWORD result = ::WNetEnumResourceA(handle_, &count, buffer_.data(), &size);
            if (result == ERROR_MORE_DATA && size > buffer_.size()) {
                // The size the system asked for, in whole entries' alignment.
                buffer_.assign((size + sizeof(NETRESOURCEA) - 1) / sizeof(NETRESOURCEA), NETRESOURCEA{});
                continue;
            }
            if (result == ERROR_NO_MORE_ITEMS) return NetEnumStep::NoMoreItems;
            if (result != NO_ERROR) return NetEnumStep::Failed;
            for (DWORD i = 0; i < count; ++i) {
                const NETRESOURCEA& r = buffer_[i];
                entries.push_back({r.dwScope, r.dwType, r.dwDisplayType, r.dwUsage, Text(r.lpLocalName),
                                   Text(r.lpRemoteName), Text(r.lpComment), Text(r.lpProvider)});
            }
            return NetEnumStep::Entries;
        }
    }

private:
    HANDLE handle_;
    // Starts at one entry and grows to what the system asks for.
    std::vector<NETRESOURCEA> buffer_ = std::vector<NETRESOURCEA>(1);
};

class SystemResources final : public NetResources {
public:
    std::unique_ptr<NetEnumeration> Open(const NetResource* parent) override {
        NETRESOURCEA native{};
        // The strings stay in `parent` while the call reads them.
        auto text = [](const std::string& s) { return s.empty() ? nullptr : const_cast<char*>(s.c_str()); };
        if (parent) {
            native.dwScope = parent->scope;
            native.dwType = parent->type;
            native.dwDisplayType = parent->displayType;
            native.dwUsage = parent->usage;
            native.lpLocalName = text(parent->localName);
            native.lpRemoteName = text(parent->remoteName);
            native.lpComment = text(parent->comment);
            native.lpProvider = text(parent->provider);
        }
        HANDLE handle = nullptr;
        if (::WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, parent ? &native : nullptr, &handle) != NO_ERROR)
            return nullptr;
        return std::make_unique<SystemEnumeration>(handle);
    }
};

}  // namespace

NetResources& SystemNetResources() {
    static SystemResources resources;
    return resources;
}

}  // namespace brimlow
