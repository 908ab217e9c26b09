// Layouts of the network windows: the network window TfrmNetwork, the adapters window
// TfrmNetworkAdapters, the user list TfrmUserList and the computers window TfrmComputers.
#pragma once

#include "forms/memory_form.h"
#include "ui/form_layout.h"

#include <span>

namespace brimlow::forms {

// The caption boxes with their texts beside the controls that hold the values.
std::span<const DetailRow> NetworkRows();
std::span<const DetailRow> NetworkAdapterRows();

const ui::FormLayout& NetworkFormLayout();
const ui::FormLayout& NetworkAdaptersFormLayout();
const ui::FormLayout& UserListFormLayout();
const ui::FormLayout& ComputersFormLayout();

}  // namespace brimlow::forms
