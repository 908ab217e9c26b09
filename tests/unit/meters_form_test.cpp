// The meters window's layout as data: what the program builds and what the UI driver relies on.
#include "forms/meters_form.h"

#include "app/product.h"

#include <gtest/gtest.h>

#include <map>

namespace brimlow {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

const ControlLayout& ControlNamed(const char* name) {
    for (const ControlLayout& c : forms::MetersFormLayout().controls)
        if (c.name == name) return c;
    throw std::runtime_error(std::string("no control ") + name);
}

TEST(MetersForm, WindowMenusAndTimer) {
    const ui::FormLayout& form = forms::MetersFormLayout();
    EXPECT_EQ(form.className, "TfrmMeters");
    EXPECT_EQ(form.caption, "CPU Meters");
    EXPECT_EQ(form.clientWidth, 594);
    EXPECT_EQ(form.clientHeight, 188);
    EXPECT_EQ(form.border, ui::BorderStyle::Single);
    EXPECT_TRUE(form.stayOnTop);
    EXPECT_EQ(form.position, ui::FormPosition::MainFormCentre);
    ASSERT_EQ(form.menu.size(), 2u);
    EXPECT_EQ(form.menu[0].caption, "File");
    EXPECT_TRUE(form.menu[0].items.empty());
    EXPECT_EQ(form.menu[1].caption, "View");
    ASSERT_EQ(form.menu[1].items.size(), 1u);
    EXPECT_EQ(form.menu[1].items[0].name, "Refresh1");
    EXPECT_EQ(form.menu[1].items[0].caption, "Refresh");
    ASSERT_EQ(form.timers.size(), 1u);
    EXPECT_EQ(form.timers[0].name, "Timer1");
    EXPECT_EQ(form.timers[0].interval, 1000);
    EXPECT_FALSE(form.timers[0].enabled) << "the opener enables it";
    EXPECT_EQ(ui::TimerIdOf(form, "Timer1"), ui::kFirstTimerId);
}

TEST(MetersForm, ControlsWithTheirTexts) {
    EXPECT_EQ(ControlNamed("StaticText1").text, "CPU usage and history");
    EXPECT_EQ(ControlNamed("Label3").text, "Note: This does not currently work on Windows 7, 64bit.");
    EXPECT_EQ(ControlNamed("Label5").text, "0.0%");
    EXPECT_EQ(ControlNamed("StaticText2").text, kHomePageCaption);
    EXPECT_EQ(ControlNamed("StaticText2").kind, ControlKind::Label) << "plain text, not a link";
    const ControlLayout& check = ControlNamed("CheckBox1");
    EXPECT_EQ(check.kind, ControlKind::CheckBox);
    EXPECT_EQ(check.text, "Stay on top");
    EXPECT_FALSE(check.visible);

    const ControlLayout& bar = ControlNamed("ProgressBar1");
    EXPECT_EQ(bar.kind, ControlKind::ProgressBar);
    EXPECT_EQ(bar.parent, "Panel4");
    EXPECT_TRUE(bar.vertical);
    EXPECT_TRUE(bar.smooth);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 100);
    EXPECT_EQ(bar.position, 50);

    const ControlLayout& chart = ControlNamed("Image1");
    EXPECT_EQ(chart.kind, ControlKind::Image);
    EXPECT_EQ(chart.parent, "Panel3");
    EXPECT_EQ(chart.rect.width, 421);
    EXPECT_EQ(chart.rect.height, 100);
}

TEST(MetersForm, EveryControlFitsItsPanelAndThePanelsComeFirst) {
    const ui::FormLayout& form = forms::MetersFormLayout();
    std::map<std::string, ui::Rect> panels;
    for (const ControlLayout& c : form.controls) {
        SCOPED_TRACE(c.name);
        ui::Rect outer{0, 0, form.clientWidth, form.clientHeight};
        if (!c.parent.empty()) {
            ASSERT_TRUE(panels.count(c.parent)) << "panel " << c.parent << " must come before what it holds";
            outer = {0, 0, panels[c.parent].width, panels[c.parent].height};
        }
        EXPECT_GE(c.rect.left, outer.left);
        EXPECT_GE(c.rect.top, outer.top);
        EXPECT_LE(c.rect.left + c.rect.width, outer.width);
        EXPECT_LE(c.rect.top + c.rect.height, outer.height);
        if (c.kind == ControlKind::Panel) panels[c.name] = c.rect;
    }
}

}  // namespace
}  // namespace brimlow
