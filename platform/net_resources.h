// The network neighbourhood as the system's network providers enumerate it: containers (providers,
// domains and workgroups, computers) and what lies in them. Behind an interface so tests can
// script a network; the system's is SystemNetResources (platform/net_resources_win.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brimlow {

// One resource, with everything the system needs to open it again as a parent.
struct NetResource {
    std::uint32_t scope = 0, type = 0, displayType = 0, usage = 0;
    std::string localName, remoteName, comment, provider;
};

// The outcome of one request for entries.
enum class NetEnumStep { Entries, NoMoreItems, Failed };

class NetEnumeration {
public:
    virtual ~NetEnumeration() = default;  // closes the enumeration
    // As many entries as the system hands out at once, appended to `entries`.
    virtual NetEnumStep Next(std::vector<NetResource>& entries) = 0;
};

class NetResources {
public:
    virtual ~NetResources() = default;
    // Opens the contents of `parent` (nullptr: the network's root) across the whole network, every
    // type and usage; nullptr when it cannot be opened, as for a resource that is no container.
    virtual std::unique_ptr<NetEnumeration> Open(const NetResource* parent) = 0;
};

NetResources& SystemNetResources();

}  // namespace brimlow
