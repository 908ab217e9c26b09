// The computers window over a scripted network neighbourhood and over Wine's, which has none.
#include "network/TfrmComputers.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace brimlow {
namespace {

// Containers by remote name ("" the root), each answering its batches of entries in turn; a name
// without an entry is no container and does not open.
class ScriptedNetwork : public NetResources {
public:
    struct Batch {
        NetEnumStep step;
        std::vector<std::string> names;
    };
    std::map<std::string, std::vector<Batch>> containers;
    int open = 0;     // enumerations not closed yet
    int opened = 0;

    class Enumeration : public NetEnumeration {
    public:
        Enumeration(ScriptedNetwork& network, std::vector<Batch> batches)
            : network_(network), batches_(batches.begin(), batches.end()) {
            ++network_.open;
            ++network_.opened;
        }
        ~Enumeration() override { --network_.open; }
        NetEnumStep Next(std::vector<NetResource>& entries) override {
            if (batches_.empty()) return NetEnumStep::NoMoreItems;
            const Batch batch = batches_.front();
            batches_.pop_front();
            for (const std::string& name : batch.names) entries.push_back({2, 0, 0, 2, "", name, "", "Scripted"});
            return batch.step;
        }

    private:
        ScriptedNetwork& network_;
        std::deque<Batch> batches_;
    };

    std::unique_ptr<NetEnumeration> Open(const NetResource* parent) override {
        const auto found = containers.find(parent ? parent->remoteName : "");
        if (found == containers.end()) return nullptr;
        return std::make_unique<Enumeration>(*this, found->second);
    }
};

using Step = NetEnumStep;

ScriptedNetwork SmallOffice() {
    ScriptedNetwork network;
    network.containers[""] = {{Step::Entries, {"Microsoft Windows Network"}}, {Step::Entries, {"Web Client Network"}}};
    network.containers["Microsoft Windows Network"] = {{Step::Entries, {"WORKGROUP"}}};
    // The computers come in two answers, as a provider hands out what fits its buffer.
    network.containers["WORKGROUP"] = {{Step::Entries, {"\\\\ALPHA"}}, {Step::Entries, {"\\\\BETA"}}};
    network.containers["\\\\ALPHA"] = {{Step::Entries, {"\\\\ALPHA\\Public", "\\\\ALPHA\\Printer"}}};
    network.containers["\\\\BETA"] = {};
    network.containers["Web Client Network"] = {};
    return network;
}

TEST(ComputersWindow, TheNeighbourhoodAsATreeWithSharesAsLeaves) {
    ScriptedNetwork network = SmallOffice();
    TfrmComputers window(network);
    window.Create();
    EXPECT_EQ(window.Caption(), "Computers");
    window.Click("Refresh1");
    const std::vector<std::string> expected = {"Microsoft Windows Network", "  WORKGROUP",       "    \\\\ALPHA",
                                               "      \\\\ALPHA\\Public",  "      \\\\ALPHA\\Printer", "    \\\\BETA",
                                               "Web Client Network"};
    EXPECT_EQ(window.Tree().Lines(), expected);
    EXPECT_EQ(network.open, 0) << "every enumeration closed";
    // Showing it again shows each resource once.
    window.Click("Refresh1");
    EXPECT_EQ(window.Tree().Lines(), expected);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST(ComputersWindow, AFailingProviderEndsTheWalkAndKeepsWhatWasFound) {
    ScriptedNetwork network = SmallOffice();
    network.containers["WORKGROUP"] = {{Step::Entries, {"\\\\ALPHA"}}, {Step::Failed, {}}};
    testing::ReportedErrors().clear();
    TfrmComputers window(network);
    window.Create();
    window.Click("Refresh1");
    // Nothing after the failure: not the rest of the workgroup, not the second provider.
    EXPECT_EQ(window.Tree().Lines(), (std::vector<std::string>{"Microsoft Windows Network", "  WORKGROUP", "    \\\\ALPHA",
                                                               "      \\\\ALPHA\\Public", "      \\\\ALPHA\\Printer"}));
    EXPECT_EQ(network.open, 0) << "the open enumerations are closed on the way out";
    EXPECT_TRUE(testing::ReportedErrors().empty()) << "no message";

    // No network at all: an empty tree.
    ScriptedNetwork none;
    TfrmComputers empty(none);
    empty.Create();
    empty.Click("Refresh1");
    EXPECT_EQ(empty.Tree().Count(), 0);
}

// Wine's providers know no network: the tree stays empty, without a message.
TEST(ComputersWindowWine, NoNetworkUnderWine) {
    testing::ReportedErrors().clear();
    TfrmComputers window;
    window.Create();
    window.Click("Refresh1");
    for (const std::string& line : window.Tree().Lines()) std::cout << "[network] " << line << "\n";
    EXPECT_EQ(window.Tree().Count(), 0);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

}  // namespace
}  // namespace brimlow
