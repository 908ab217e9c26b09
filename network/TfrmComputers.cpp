#include "network/TfrmComputers.h"

#include "forms/network_forms.h"
#include "ui/application.h"

#include <vector>

namespace brimlow {

TfrmComputers::TfrmComputers() : TfrmComputers(SystemNetResources()) {}

TfrmComputers::TfrmComputers(NetResources& network) : ui::Form(forms::ComputersFormLayout()), network_(network) {}

void TfrmComputers::FormCreate() { OnClick("Refresh1", [this] { Refresh1Click(); }); }

void TfrmComputers::FormShow() { Click("Refresh1"); }

void TfrmComputers::Refresh1Click() {
    // Messages are handled during the walk; a second refresh then would pull the nodes from under it.
    if (walking_) return;
    struct Walking {
        bool& flag;
        ~Walking() { flag = false; }
    } walking{walking_ = true};
    ui::BusyCursor busy;
    Tree().Clear();
    // No network, or a provider that fails, leaves what was found so far and says nothing.
    Walk(nullptr, nullptr);
}

bool TfrmComputers::Walk(const NetResource* parent, ui::TreeView::Node node) {
    // A resource that is no container (a share) cannot be opened and stays a leaf.
    const std::unique_ptr<NetEnumeration> enumeration = network_.Open(parent);
    if (!enumeration) return true;
    for (;;) {
        // A slow provider must not freeze the window.
        ui::Application::Instance().ProcessMessages();
        std::vector<NetResource> entries;
        const NetEnumStep step = enumeration->Next(entries);
        if (step == NetEnumStep::NoMoreItems) return true;
        if (step == NetEnumStep::Failed) return false;
        for (const NetResource& entry : entries) {
            const ui::TreeView::Node child = Tree().Add(node, entry.remoteName);
            if (!Walk(&entry, child)) return false;
            ui::Application::Instance().ProcessMessages();
        }
    }
}

}  // namespace brimlow
