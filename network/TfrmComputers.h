// The computers window TfrmComputers: the network neighbourhood as a tree, providers above
// domains and workgroups above computers above their shares. Rebuilt each time it is shown.
#pragma once

#include "platform/net_resources.h"
#include "ui/form.h"
#include "ui/tree_view.h"

namespace brimlow {

class TfrmComputers : public ui::Form {
public:
    TfrmComputers();
    // The network tests hand in; not owned.
    explicit TfrmComputers(NetResources& network);

    void Refresh1Click();
    ui::TreeView Tree() const { return ui::TreeView(Control("tv")); }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    // Adds what `parent` holds under `node`, depth first; false when the network failed and the
    // whole walk ends.
    bool Walk(const NetResource* parent, ui::TreeView::Node node);

    NetResources& network_;
    bool walking_ = false;
};

}  // namespace brimlow
