// The network adapters window TfrmNetworkAdapters: the adapters WMI knows, and the configuration
// of the one chosen.
#pragma once

#include "ui/form.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brimlow {

class TfrmNetworkAdapters : public ui::Form {
public:
    TfrmNetworkAdapters();

    // Fills the fields for the adapter chosen in the list.
    void ComboBox1Change();

    // The adapters' WMI indexes, in the order of the list.
    const std::vector<std::int64_t>& adapterIndexes() const { return indexes_; }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void FillFields(std::int64_t index);

    std::vector<std::int64_t> indexes_;
};

}  // namespace brimlow
