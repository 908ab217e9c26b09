// The network, adapters and user list windows on hidden windows against Wine's real answers:
// its computer and user names, NetWkstaGetInfo, NetUserEnum, no shares (NetShareEnum is not
// supported there), no mapped drives, and Win32_NetworkAdapterConfiguration without a Caption.
#include "network/TfrmNetwork.h"
#include "network/TfrmNetworkAdapters.h"
#include "network/TfrmUserList.h"
#include "network/network_facts.h"
#include "network/network_text.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <lm.h>
#include <iphlpapi.h>

#include <string>
#include <vector>

namespace brimlow {
namespace {

class NetworkWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        adapters.Create();
        users.Create();
        window.Create();
        ASSERT_NE(window.hwnd(), nullptr);
    }

    testing::RecordingLauncher launcher;
    std::vector<HWND> dialogOwners;
    TfrmNetworkAdapters adapters;
    TfrmUserList users;
    TfrmNetwork window{{&adapters, &users, nullptr}, launcher, [this](HWND owner) { dialogOwners.push_back(owner); }};
};

TEST_F(NetworkWindow, FactsAsWineAnswersThem) {
    window.Refresh1Click();
    char name[100] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(::GetComputerNameA(name, &size));
    EXPECT_EQ(window.Text("Edit2"), name);
    EXPECT_FALSE(window.Text("Edit4").empty());
    EXPECT_EQ(window.Text("Edit14"), kAdministratorText);  // Wine's user is in Administrators
    EXPECT_EQ(window.Text("Edit13"), kAttachedText);
    EXPECT_EQ(window.Text("Edit16"), WorkgroupText());  // the account's domain is the computer's name
    EXPECT_EQ(window.ItemCount("ListBox1"), 0);  // NetShareEnum: not supported
    EXPECT_TRUE(window.Lines("Memo3").empty());
    EXPECT_EQ(window.Text("Edit17"), WorkgroupText());
    EXPECT_FALSE(window.Text("Edit17").empty());
    EXPECT_TRUE(testing::ReportedErrors().empty());

    // The adapters as IP Helper lists them, one per line.
    ULONG needed = 0;
    std::vector<std::string> expected;
    if (::GetAdaptersInfo(nullptr, &needed) == ERROR_BUFFER_OVERFLOW) {
        std::vector<unsigned char> buffer(needed);
        auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
        if (::GetAdaptersInfo(info, &needed) == ERROR_SUCCESS)
            for (; info; info = info->Next) expected.push_back(info->Description);
    }
    EXPECT_EQ(window.Lines("Memo1"), expected);
    if (expected.empty()) {
        EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"No adapter is installed"});
    } else {
        EXPECT_TRUE(testing::ShownMessages().empty());
    }
}

TEST_F(NetworkWindow, ComputerDescriptionIsTheServerComment) {
    testing::ScratchMachineKey machine;
    EXPECT_EQ(ComputerDescriptionText(), "");
    machine.SetString("SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters", "srvcomment", "Front desk PC");
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Edit15"), "Front desk PC");
}

TEST_F(NetworkWindow, ButtonsOpenTheirWindowsAndTheApplet) {
    EXPECT_TRUE(window.Enabled("Button1"));
    EXPECT_TRUE(window.Enabled("Button3"));
    EXPECT_FALSE(window.Enabled("Button4"));  // no computers window handed in
    window.Click("Button3");
    EXPECT_TRUE(users.Visible());
    users.Hide();
    window.Click("Button2");
    window.Click("Label3");
    ASSERT_EQ(launcher.calls.size(), 2u);
    EXPECT_EQ(launcher.calls[0].file, "rundll32.exe shell32.dll, Control_RunDLL NCPA.cpl");
    EXPECT_EQ(launcher.calls[0].show, ShowCommand::Normal);
    EXPECT_EQ(launcher.calls[1].verb, "open");
    window.Click("Button5");
    EXPECT_EQ(dialogOwners, std::vector<HWND>{window.hwnd()});
}

TEST(UserListWindow, WorkgroupAndAccountsAsWineAnswers) {
    TfrmUserList users;
    users.Create();
    for (int round = 0; round < 2; ++round) {
        users.Refresh1Click();
        EXPECT_EQ(users.Text("Edit2"), WorkgroupText());
        // Wine lists the Unix user; a second refresh replaces the list, it does not add to it.
        char name[100] = {};
        DWORD size = sizeof name;
        ASSERT_TRUE(::GetUserNameA(name, &size));
        ASSERT_EQ(users.ItemCount("ListBox1"), 1);
        EXPECT_EQ(users.ItemText("ListBox1", 0), name);
    }
}

TEST(NetworkAdaptersWindow, AdaptersByDescriptionAndFieldsByIndex) {
    testing::ReportedErrors().clear();
    TfrmNetworkAdapters adapters;
    adapters.Create();
    for (int round = 0; round < 2; ++round) {
        adapters.Show();
        adapters.Hide();
        EXPECT_TRUE(testing::ReportedErrors().empty());
        const int count = adapters.ItemCount("ComboBox1");
        ASSERT_EQ(static_cast<std::size_t>(count), adapters.adapterIndexes().size());
        if (count == 0) GTEST_SKIP() << "no host interfaces";
        for (int i = 0; i < count; ++i) EXPECT_FALSE(adapters.ItemText("ComboBox1", i).empty());
        EXPECT_EQ(adapters.ItemIndex("ComboBox1"), 0);
        EXPECT_EQ(adapters.Text("Edit15"), "True");  // Wine's adapters are all DHCP-enabled
        const std::string mac = adapters.Text("Edit11");
        EXPECT_EQ(mac.size(), 17u) << mac;
        EXPECT_FALSE(adapters.Text("Edit17").empty());
    }
    // The last adapter's fields come from its own instance.
    const int last = adapters.ItemCount("ComboBox1") - 1;
    adapters.SetItemIndex("ComboBox1", last);
    adapters.ComboBox1Change();
    EXPECT_FALSE(adapters.Text("Edit17").empty());
    const std::string subnet = adapters.Text("Edit13");
    if (!adapters.Text("Edit9").empty()) {
        EXPECT_FALSE(subnet.empty());
    }
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

}  // namespace
}  // namespace brimlow
