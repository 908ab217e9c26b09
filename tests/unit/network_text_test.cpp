#include "network/network_text.h"

#include <gtest/gtest.h>

#include <map>

namespace brimlow {
namespace {

TEST(NetworkText, AddressListHasSeparatorsOnlyBetweenAddresses) {
    const std::vector<std::string> none, one{"192.0.2.2"}, two{"192.0.2.2", "10.0.0.7"};
    EXPECT_EQ(AddressListText(none), "");
    EXPECT_EQ(AddressListText(one), "192.0.2.2");
    EXPECT_EQ(AddressListText(two), "192.0.2.2 | 10.0.0.7");
}

TEST(NetworkText, AdapterAddressIsUpperCaseHexJoinedByDashes) {
    EXPECT_EQ(AdapterAddressText({0x02, 0xfc, 0x00, 0x0a, 0xb1, 0xff}), "02-FC-00-0A-B1-FF");
}

TEST(NetworkText, NetBiosWalkSkipsAllZeroAdapters) {
    const AdapterAddress zero{}, real{0x00, 0x1b, 0x21, 0x3c, 0x4d, 0x5e}, other{1, 2, 3, 4, 5, 6};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> lanas;
        std::map<std::uint8_t, std::optional<AdapterAddress>> answers;
        std::string expected;
        std::vector<std::uint8_t> asked;
    } cases[] = {
        {"first answers", {0, 1}, {{0, real}, {1, other}}, "00-1B-21-3C-4D-5E", {0}},
        {"zero then real", {0, 3, 5}, {{0, zero}, {3, real}, {5, other}}, "00-1B-21-3C-4D-5E", {0, 3}},
        {"all zero", {0, 1, 2}, {{0, zero}, {1, zero}, {2, zero}}, "00-00-00-00-00-00", {0, 1, 2}},
        {"zero then silent keeps the zeros", {0, 1}, {{0, zero}, {1, std::nullopt}}, "00-00-00-00-00-00", {0, 1}},
        {"first silent ends the walk", {0, 1}, {{0, std::nullopt}, {1, real}}, "", {0}},
        {"no adapters", {}, {}, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> asked;
        const std::string text = FirstAdapterAddressText(c.lanas, [&](std::uint8_t lana) {
            asked.push_back(lana);
            return c.answers.at(lana);
        });
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(NetworkText, AdapterQueryMessages) {
    EXPECT_EQ(AdapterQueryMessage(50), "Not Supported");
    EXPECT_EQ(AdapterQueryMessage(87), "Invalid Parameter");
    EXPECT_EQ(AdapterQueryMessage(111), "Buffer Overflow");
    EXPECT_EQ(AdapterQueryMessage(232), "No adapter is installed");
    EXPECT_EQ(AdapterQueryMessage(0), std::nullopt);
    EXPECT_EQ(AdapterQueryMessage(5), std::nullopt);
}

TEST(NetworkText, AdapterFieldsJoinArraysInOrder) {
    using Elements = std::vector<WmiScalar>;
    struct Case {
        const char* name;
        WmiValue value;
        std::string expected;
    } cases[] = {
        {"null", WmiValue::Null(), ""},
        {"empty array", WmiValue(Elements{}), ""},
        {"one element", WmiValue(Elements{std::string("192.0.2.1")}), "192.0.2.1"},
        {"three elements",
         WmiValue(Elements{std::string("fd00::2"), std::string("fe80::fc:ff:fe00:1%4"), std::string("192.0.2.2")}),
         "fd00::2 | fe80::fc:ff:fe00:1%4 | 192.0.2.2"},
        {"string", WmiValue(WmiScalar(std::string("02:fc:00:00:00:01"))), "02:fc:00:00:00:01"},
        {"boolean", WmiValue(WmiScalar(true)), "True"},
        {"number", WmiValue(WmiScalar(std::int64_t{4})), "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AdapterFieldText(c.value, "."), c.expected);
    }
    EXPECT_THROW(AdapterFieldText(WmiValue(WmiScalar(WmiObject{})), "."), WmiConversionError);
}

TEST(NetworkText, LevelFiftyShareNameIsTheFirstThirteenBytes) {
    std::vector<std::uint8_t> entry(42, 0);
    const std::string name = "DOCUMENTS";
    std::copy(name.begin(), name.end(), entry.begin());
    entry[14] = 'X';  // the type byte and beyond are no part of the name
    EXPECT_EQ(LevelFiftyShareName(entry), "DOCUMENTS");
    std::fill(entry.begin(), entry.begin() + 13, 'A');
    entry[13] = 'B';  // a name that fills its field has no terminator of its own
    EXPECT_EQ(LevelFiftyShareName(entry), std::string(13, 'A'));
}

TEST(NetworkText, NetworkDriveLine) { EXPECT_EQ(NetworkDriveLine('H', "\\\\srv\\home"), "H: \\\\srv\\home"); }

TEST(NetworkText, AccountPagesAreFetchedWhileMoreDataCome) {
    struct Case {
        const char* name;
        std::vector<AccountPage> pages;
        std::vector<std::string> expected;
    } cases[] = {
        {"one page", {{0, {"root"}}}, {"root"}},
        {"three pages", {{kMoreData, {"a", "b"}}, {kMoreData, {"c"}}, {0, {"d"}}}, {"a", "b", "c", "d"}},
        {"error after a page keeps the first", {{kMoreData, {"a"}}, {2221, {}}}, {"a"}},
        {"error at once", {{53, {}}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t next = 0;
        const auto names = CollectAccountNames([&] { return c.pages.at(next++); });
        EXPECT_EQ(names, c.expected);
        EXPECT_EQ(next, c.pages.size());
    }
}

}  // namespace
}  // namespace brimlow
