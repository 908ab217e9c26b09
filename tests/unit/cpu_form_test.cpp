// The processor window's layout as data: what the program builds and what the UI driver relies on.
#include "forms/cpu_form.h"

#include "app/product.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace brimlow {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

const ControlLayout& ControlNamed(const char* name) {
    for (const ControlLayout& c : forms::CpuFormLayout().controls)
        if (c.name == name) return c;
    throw std::runtime_error(std::string("no control ") + name);
}

TEST(CpuForm, WindowMenusAndTimer) {
    const ui::FormLayout& form = forms::CpuFormLayout();
    EXPECT_EQ(form.className, "TfrmCPU");
    EXPECT_EQ(form.caption, "CPU Info");
    EXPECT_EQ(form.backColour, ui::kWhite);
    EXPECT_EQ(form.border, ui::BorderStyle::Single) << "system menu and minimise button only";
    EXPECT_EQ(form.position, ui::FormPosition::ScreenCentre);
    ASSERT_EQ(form.menu.size(), 2u);
    EXPECT_EQ(form.menu[0].caption, "File");
    ASSERT_EQ(form.menu[0].items.size(), 3u);
    EXPECT_EQ(form.menu[0].items[0].name, "Print1");
    EXPECT_EQ(form.menu[0].items[0].caption, "Print");
    EXPECT_TRUE(form.menu[0].items[1].IsSeparator());
    EXPECT_EQ(form.menu[0].items[2].name, "Exit1");
    EXPECT_EQ(form.menu[0].items[2].caption, "Exit");
    EXPECT_EQ(form.menu[0].items[2].shortcut, "F12");
    EXPECT_EQ(form.menu[1].caption, "View");
    ASSERT_EQ(form.menu[1].items.size(), 2u);
    EXPECT_EQ(form.menu[1].items[0].name, "Refresh1");
    EXPECT_EQ(form.menu[1].items[0].caption, "Refresh");
    EXPECT_EQ(form.menu[1].items[1].name, "CPUSpeed1");
    EXPECT_EQ(form.menu[1].items[1].caption, "CPU Speed");
    ASSERT_EQ(form.timers.size(), 1u);
    EXPECT_EQ(form.timers[0].name, "Timer1");
    EXPECT_EQ(form.timers[0].interval, 1000);
    EXPECT_TRUE(form.timers[0].enabled);
}

TEST(CpuForm, NineteenRowsOfCaptionAndValueTopToBottom) {
    const auto rows = forms::CpuRows();
    ASSERT_EQ(rows.size(), 19u);
    const std::vector<std::string> captions{
        "CPU Brand",      "CPU Chip",        "CPU Family",      "Description",        "Device ID",
        "Code Name",      "Vendor",          "Manufacturer",    "Serial Number",      "Processor ID",
        "Ext Clock Speed", "Current Voltage", "Max Clock Speed", "Socket Designation", "Data Width",
        "Revision",       "L2 Cache Size",   "L2 Cache Speed",  "Status"};
    const std::vector<std::string> values{"CPUBrand1", "CPUInfo", "Info1",  "Edit1",  "Edit10", "Info2",  "Info3",
                                          "Info4",     "Info6",   "Info7",  "Info8",  "info9",  "info10", "info11",
                                          "info12",    "info13",  "info14", "info15", "Info5"};
    int previousTop = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].caption);
        EXPECT_EQ(rows[i].text, captions[i]);
        EXPECT_EQ(rows[i].value, values[i]);
        const ControlLayout& caption = ControlNamed(rows[i].caption);
        const ControlLayout& value = ControlNamed(rows[i].value);
        EXPECT_EQ(caption.kind, ControlKind::ReadOnlyEdit);
        EXPECT_EQ(caption.text, rows[i].text);
        EXPECT_EQ(value.kind, ControlKind::ReadOnlyEdit);
        EXPECT_EQ(value.text, "");
        EXPECT_EQ(caption.rect.top, value.rect.top);
        EXPECT_LT(caption.rect.left + caption.rect.width, value.rect.left) << "the caption sits beside its value";
        EXPECT_GT(caption.rect.top, previousTop);
        previousTop = caption.rect.top;
    }
}

TEST(CpuForm, UsageFeaturesDisplaysAndNotes) {
    EXPECT_EQ(ControlNamed("Label1").text, "Item");
    EXPECT_EQ(ControlNamed("Label2").text, "Details");
    EXPECT_EQ(ControlNamed("Label3").text, "Usage");
    EXPECT_EQ(ControlNamed("Label4").text, "*");
    EXPECT_EQ(ControlNamed("Label6").text, "Features");

    const ControlLayout& panel = ControlNamed("Panel1");
    EXPECT_EQ(panel.kind, ControlKind::Panel);
    EXPECT_EQ(panel.backColour, ui::kBlack);
    const ControlLayout& bar = ControlNamed("ProgressBar1");
    EXPECT_EQ(bar.parent, "Panel1");
    EXPECT_TRUE(bar.vertical);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 100);
    EXPECT_EQ(ControlNamed("Label5").parent, "Panel1");
    EXPECT_EQ(ControlNamed("Label5").text, "0 %");
    EXPECT_EQ(ControlNamed("clbCPU").kind, ControlKind::CheckList);

    const ControlLayout& clock = ControlNamed("ptBoxTotTracks");
    EXPECT_EQ(clock.kind, ControlKind::PaintBox);
    EXPECT_EQ(clock.rect.width, 80);
    EXPECT_EQ(clock.rect.height, 25);
    EXPECT_EQ(clock.rect.width, forms::kClockCells * 16);
    const ControlLayout& counter = ControlNamed("PaintBox1");
    EXPECT_EQ(counter.rect.width, 322);
    EXPECT_EQ(counter.rect.height, 25);
    EXPECT_GE(counter.rect.width, (forms::kCounterCells - 1) * 16 + 13) << "the sixteenth digit fits";
    for (const char* box : {"ptBoxTotTracks", "PaintBox1"}) {
        const ControlLayout& c = ControlNamed(box);
        EXPECT_EQ(ControlNamed(c.parent.c_str()).backColour, ui::kBlack) << box << " sits on black";
    }
    EXPECT_EQ(ControlNamed("Label7").text, "CPU Speed");
    EXPECT_EQ(ControlNamed("Label8").text, "MHz");
    EXPECT_EQ(ControlNamed("Label9").text, "CPU clock cycles");
    EXPECT_EQ(ControlNamed("Label10").text, " Clock cycles");
    EXPECT_EQ(ControlNamed("BitBtn1").kind, ControlKind::Button);
    EXPECT_EQ(ControlNamed("BitBtn1").text, "Show CPU Meter");
    EXPECT_EQ(ControlNamed("Label12").text, "*");
    EXPECT_EQ(ControlNamed("Label13").text, "Not available on 64Bit Windows");
    EXPECT_EQ(ControlNamed("Label11").text, kHomePageCaption);
    EXPECT_EQ(ControlNamed("Label11").kind, ControlKind::Label) << "plain text, no link";
}

TEST(CpuForm, EveryControlFitsItsParentAndNoTwoOverlap) {
    const ui::FormLayout& form = forms::CpuFormLayout();
    std::map<std::string, ui::Rect> panels;
    std::set<std::string> names;
    std::vector<const ControlLayout*> topLevel;
    for (const ControlLayout& c : form.controls) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(names.insert(c.name).second) << "names are unique";
        ui::Rect outer{0, 0, form.clientWidth, form.clientHeight};
        if (!c.parent.empty()) {
            ASSERT_TRUE(panels.count(c.parent)) << "panel " << c.parent << " must come before what it holds";
            outer = {0, 0, panels[c.parent].width, panels[c.parent].height};
        } else {
            topLevel.push_back(&c);
        }
        EXPECT_GE(c.rect.left, outer.left);
        EXPECT_GE(c.rect.top, outer.top);
        EXPECT_LE(c.rect.left + c.rect.width, outer.width);
        EXPECT_LE(c.rect.top + c.rect.height, outer.height);
        if (c.kind == ControlKind::Panel) panels[c.name] = c.rect;
    }
    for (std::size_t i = 0; i < topLevel.size(); ++i)
        for (std::size_t j = i + 1; j < topLevel.size(); ++j) {
            const ui::Rect& a = topLevel[i]->rect;
            const ui::Rect& b = topLevel[j]->rect;
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << topLevel[i]->name << " overlaps " << topLevel[j]->name;
        }
}

}  // namespace
}  // namespace brimlow
