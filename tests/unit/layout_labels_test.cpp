// Every window's layout names each value and each field by the caption a screen reader reads
// with it, and each name leads to a control of the same window that shows a text.
#include "forms/about_forms.h"
#include "forms/cpu_form.h"
#include "forms/devices_form.h"
#include "forms/disk_form.h"
#include "forms/display_form.h"
#include "forms/info_forms.h"
#include "forms/internet_form.h"
#include "forms/main_form.h"
#include "forms/memory_form.h"
#include "forms/meters_form.h"
#include "forms/network_forms.h"
#include "forms/optical_forms.h"
#include "forms/printers_form.h"
#include "forms/services_form.h"
#include "forms/sound_form.h"
#include "forms/startup_form.h"
#include "forms/unistall_form.h"
#include "forms/usb_form.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace brimlow::forms {
namespace {

using ui::ControlKind;

const std::pair<const char*, const ui::FormLayout& (*)()> kLayouts[] = {
    {"AboutFormLayout", AboutFormLayout},
    {"HelpFormLayout", HelpFormLayout},
    {"AdminFormLayout", AdminFormLayout},
    {"CpuFormLayout", CpuFormLayout},
    {"DevicesFormLayout", DevicesFormLayout},
    {"DiskFormLayout", DiskFormLayout},
    {"DisplayFormLayout", DisplayFormLayout},
    {"PersonalFormLayout", PersonalFormLayout},
    {"BiosFormLayout", BiosFormLayout},
    {"DateTimeFormLayout", DateTimeFormLayout},
    {"InternetFormLayout", InternetFormLayout},
    {"MainFormLayout", MainFormLayout},
    {"MemoryFormLayout", MemoryFormLayout},
    {"MetersFormLayout", MetersFormLayout},
    {"NetworkFormLayout", NetworkFormLayout},
    {"NetworkAdaptersFormLayout", NetworkAdaptersFormLayout},
    {"UserListFormLayout", UserListFormLayout},
    {"ComputersFormLayout", ComputersFormLayout},
    {"CdDvdFormLayout", CdDvdFormLayout},
    {"UsbDrivesFormLayout", UsbDrivesFormLayout},
    {"PrintersFormLayout", PrintersFormLayout},
    {"ServicesFormLayout", ServicesFormLayout},
    {"SoundFormLayout", SoundFormLayout},
    {"StartupFormLayout", StartupFormLayout},
    {"UnistallFormLayout", UnistallFormLayout},
    {"UsbFormLayout", UsbFormLayout},
};

// Controls that show a value the program fills in, or take one the user types.
bool ShowsAValue(const ui::ControlLayout& control) {
    return (control.kind == ControlKind::ReadOnlyEdit && control.text.empty()) || control.kind == ControlKind::Edit;
}

TEST(LayoutLabels, EveryValueAndFieldIsNamedByACaptionOfItsWindow) {
    int named = 0;
    for (const auto& [title, layoutOf] : kLayouts) {
        const ui::FormLayout& form = layoutOf();
        for (const ui::ControlLayout& control : form.controls) {
            if (ShowsAValue(control)) {
                EXPECT_FALSE(control.label.empty()) << title << ": " << control.name;
            }
            if (control.label.empty()) continue;
            ++named;
            const ui::ControlLayout* label = nullptr;
            for (const ui::ControlLayout& other : form.controls) {
                if (other.name == control.label) label = &other;
            }
            ASSERT_NE(label, nullptr) << title << ": " << control.name << " is named by " << control.label;
            EXPECT_FALSE(label->text.empty()) << title << ": " << control.label;
            EXPECT_NE(label, &control) << title;
            EXPECT_TRUE(label->kind == ControlKind::ReadOnlyEdit || label->kind == ControlKind::Label)
                << title << ": " << control.label;
        }
    }
    EXPECT_GT(named, 150);
}

}  // namespace
}  // namespace brimlow::forms
