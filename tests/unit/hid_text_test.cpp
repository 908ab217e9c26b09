// The USB window's texts and the HID controller's list bookkeeping.
#include "devices/hid_device_list.h"
#include "devices/hid_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimlow {
namespace {

TEST(HidText, CollectionTypes) {
    const struct {
        unsigned type;
        const char* text;
    } cases[] = {
        {0, "Physical"},         {1, "Application"},      {2, "Logical"},
        {3, "Report"},           {4, "Named Array"},      {5, "Usage Switch"},
        {6, "Usage Modifier"},   {7, "Reserved $07"},     {0x10, "Reserved $10"},
        {0x7F, "Reserved $7f"},  {0x80, "Vendor-defined $80"}, {0x85, "Vendor-defined $85"},
        {0xFF, "Vendor-defined $ff"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(CollectionTypeText(static_cast<std::uint8_t>(c.type)), c.text);
    }
}

TEST(HidText, DeviceLines) {
    EXPECT_EQ(HidDeviceText("Wine HID mouse", 0x845E, 0x0001), "\"Wine HID mouse\"  VID=$845e PID=$0001");
    EXPECT_EQ(HidDeviceText("", 0x045E, 0xABCD), "VID=$045e PID=$abcd");
    // A product string longer than any fixed buffer is kept whole.
    const std::string longName(400, 'n');
    EXPECT_EQ(HidDeviceText(longName, 1, 2), "\"" + longName + "\"  VID=$0001 PID=$0002");
}

TEST(HidText, CollectionLines) {
    EXPECT_EQ(HidCollectionText({0x01, 0x02, 1, false}),
              "UsagePage=Generic Desktop ($0001)  Usage=Mouse ($0002)  CollectionType=Application ($01)");
    // The all-zero node of a device that could not be queried.
    EXPECT_EQ(HidCollectionText({}), "UsagePage=Undefined ($0000)  Usage=0 ($0000)  CollectionType=Physical ($00)");
    EXPECT_EQ(HidCollectionText({0xFF00, 0x01, 0x85, true}),
              "UsagePage=ff00 ($ff00)  Usage=1 ($0001)  CollectionType=Vendor-defined $85 ($85)  IsAlias");
}

TEST(HidText, CapabilityLines) {
    const struct {
        HidCapsKind kind;
        HidReportType report;
        HidCapsFacts caps;
        const char* text;
    } cases[] = {
        {HidCapsKind::Button, HidReportType::Input, {0x09, true, 1, 3, 0},
         "Button Input Range: UsagePage=Button ($0009) 1..3"},
        {HidCapsKind::Button, HidReportType::Output, {0x08, false, 0, 0, 0x01},
         "Button Output: UsagePage=LED ($0008) Usage=Keyboard Num Lock ($0001)"},
        {HidCapsKind::Value, HidReportType::Input, {0x01, false, 0, 0, 0x30},
         "Value Input: UsagePage=Generic Desktop ($0001) Usage=X Axis ($0030)"},
        // A range is named by its first usage and counted in decimal.
        {HidCapsKind::Value, HidReportType::Feature, {0x07, true, 0xE0, 0xE7, 0x30},
         "Value Feature Range: UsagePage=Keyboard ($0007) 224..231"},
        {HidCapsKind::Button, HidReportType::Feature, {0xFF00, false, 0, 0, 0xFFFF},
         "Button Feature: UsagePage=ff00 ($ff00) Usage=ffff ($ffff)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HidCapsText(c.kind, c.report, c.caps), c.text);
    }
}

TEST(HidText, StorageLine) {
    EXPECT_EQ(StorageDevicesText(2), "2 devices");
    EXPECT_EQ(StorageDevicesText(0), "0 devices");
}

struct FakeDevice {
    std::uintptr_t instance = 0;
    bool plugged = true;
    bool checkedOut = false;
    std::uintptr_t InstanceHandle() const { return instance; }
    bool Plugged() const { return plugged; }
    bool CheckedOut() const { return checkedOut; }
};

using List = std::vector<std::unique_ptr<FakeDevice>>;

List Devices(std::initializer_list<std::uintptr_t> instances) {
    List list;
    for (const auto instance : instances) list.push_back(std::make_unique<FakeDevice>(FakeDevice{instance}));
    return list;
}

std::vector<std::uintptr_t> Instances(const List& list) {
    std::vector<std::uintptr_t> out;
    for (const auto& d : list) out.push_back(d->instance);
    return out;
}

struct Pass {
    std::vector<std::string> events;
    bool changed = false;
    void Run(List& list, List fresh) {
        changed = UpdateHidList(
            list, std::move(fresh),
            [&](FakeDevice& d) {
                d.plugged = false;
                events.push_back("gone " + std::to_string(d.instance));
            },
            [&](FakeDevice& d) { events.push_back("duplicate " + std::to_string(d.instance)); },
            [&](FakeDevice& d) { events.push_back("arrived " + std::to_string(d.instance)); });
    }
};

TEST(HidDeviceList, RemovalsFromTheEndThenDuplicatesThenArrivalsInOrder) {
    List list = Devices({1, 2, 3, 4});
    FakeDevice* kept = list[1].get();
    Pass pass;
    pass.Run(list, Devices({5, 2, 4, 6}));
    EXPECT_TRUE(pass.changed);
    EXPECT_EQ(pass.events, (std::vector<std::string>{"gone 3", "gone 1", "duplicate 2", "duplicate 4", "arrived 5",
                                                     "arrived 6"}));
    EXPECT_EQ(Instances(list), (std::vector<std::uintptr_t>{2, 4, 5, 6}));
    EXPECT_EQ(list[0].get(), kept);  // a device that stays keeps its object
    const HidListCounts counts = CountHidList(list);
    EXPECT_EQ(counts.checkedIn, 4);
    EXPECT_EQ(counts.checkedOut, 0);
    EXPECT_EQ(counts.unplugged, 0);
}

TEST(HidDeviceList, NoChangeAndEmptyListing) {
    List list = Devices({7, 8});
    Pass same;
    same.Run(list, Devices({8, 7}));
    EXPECT_FALSE(same.changed);
    EXPECT_EQ(Instances(list), (std::vector<std::uintptr_t>{7, 8}));

    // A listing that finds nothing (the class set could not be made) takes every device away.
    Pass none;
    none.Run(list, {});
    EXPECT_TRUE(none.changed);
    EXPECT_TRUE(list.empty());
}

TEST(HidDeviceList, AReservedDeviceThatLeavesStaysUnpluggedAndReturnsAsANewObject) {
    List list = Devices({1, 2});
    list[0]->checkedOut = true;
    list[1]->checkedOut = true;
    Pass gone;
    gone.Run(list, Devices({2}));
    EXPECT_EQ(Instances(list), (std::vector<std::uintptr_t>{1, 2}));
    EXPECT_FALSE(list[0]->plugged);
    HidListCounts counts = CountHidList(list);
    EXPECT_EQ(counts.checkedIn, 0);
    EXPECT_EQ(counts.unplugged, 1);
    EXPECT_EQ(counts.checkedOut, 1);

    // Back again: the unplugged object does not count as known, so a new one joins; the old one
    // is not reported gone a second time.
    Pass back;
    back.Run(list, Devices({1, 2}));
    EXPECT_EQ(back.events, (std::vector<std::string>{"duplicate 2", "arrived 1"}));
    EXPECT_EQ(Instances(list), (std::vector<std::uintptr_t>{1, 2, 1}));
    counts = CountHidList(list);
    EXPECT_EQ(counts.checkedIn, 1);
    EXPECT_EQ(counts.unplugged, 1);
    EXPECT_EQ(counts.checkedOut, 1);
}

TEST(HidDeviceList, AnUnpluggedDeviceGivenBackLeavesAtTheNextPass) {
    List list = Devices({1, 2});
    list[0]->plugged = false;  // left while reserved, then given back
    Pass pass;
    pass.Run(list, Devices({2}));
    EXPECT_FALSE(pass.changed);
    EXPECT_TRUE(pass.events.size() == 1 && pass.events[0] == "duplicate 2");
    EXPECT_EQ(Instances(list), (std::vector<std::uintptr_t>{2}));
}

}  // namespace
}  // namespace brimlow
