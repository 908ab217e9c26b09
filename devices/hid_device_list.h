// How the HID controller's device list follows the interfaces that are present: one pass takes a
// freshly listed set of device objects and works out who left, who is already known and who is
// new. Portable, so the bookkeeping is checked without devices; the controller supplies the
// objects and what happens to a device that leaves or arrives.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace brimlow {

struct HidListCounts {
    int checkedIn = 0;
    int checkedOut = 0;
    int unplugged = 0;
};

// `Device` offers InstanceHandle(), Plugged() and CheckedOut().
template <typename Device>
HidListCounts CountHidList(const std::vector<std::unique_ptr<Device>>& list) {
    HidListCounts counts;
    int reserved = 0;
    for (const auto& device : list) {
        if (!device->CheckedOut()) ++counts.checkedIn;
        if (!device->Plugged()) ++counts.unplugged;
        if (device->CheckedOut()) ++reserved;
    }
    // A reserved device whose interface is gone stays listed for its client, but it is no longer
    // one the client can use.
    counts.checkedOut = reserved - counts.unplugged;
    return counts;
}

// One pass over `list` with the `fresh` objects just made for the present interfaces, matched by
// device instance handle. A listed device that is no longer present goes to `gone` (which unplugs
// it) and then leaves the list unless a client holds it; a fresh object for a device already
// listed goes to `duplicate` and is dropped; the others go to `arrived` after they have joined the
// list, in their order. Returns whether anything left or arrived.
template <typename Device, typename Gone, typename Duplicate, typename Arrived>
bool UpdateHidList(std::vector<std::unique_ptr<Device>>& list, std::vector<std::unique_ptr<Device>> fresh, Gone gone,
                   Duplicate duplicate, Arrived arrived) {
    bool changed = false;
    const auto present = [&](const Device& device) {
        return std::any_of(fresh.begin(), fresh.end(),
                           [&](const auto& entry) { return entry->InstanceHandle() == device.InstanceHandle(); });
    };
    for (std::size_t i = list.size(); i-- > 0;) {
        Device& device = *list[i];
        // A reserved device that left earlier and has since been given back goes now.
        if (!device.Plugged()) {
            if (!device.CheckedOut()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (present(device)) continue;
        gone(device);
        // The handler may have run anything; the index still names this device, as the list
        // only changes here.
        if (!list[i]->CheckedOut()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
    }
    for (auto& entry : fresh) {
        const bool known = std::any_of(list.begin(), list.end(), [&](const auto& device) {
            return device->Plugged() && device->InstanceHandle() == entry->InstanceHandle();
        });
        if (!known) continue;
        duplicate(*entry);
        entry.reset();
    }
    for (auto& entry : fresh) {
        if (!entry) continue;
        list.push_back(std::move(entry));
        arrived(*list.back());
        changed = true;
    }
    return changed;
}

}  // namespace brimlow
