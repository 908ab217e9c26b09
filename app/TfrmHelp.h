// The Help window: a fixed page of usage notes and the command-line switches. Made at start and
// shown without waiting.
#pragma once

#include "ui/form.h"

namespace brimlow {

class TfrmHelp : public ui::Form {
public:
    TfrmHelp();
};

}  // namespace brimlow
