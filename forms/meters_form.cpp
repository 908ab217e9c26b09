#include "forms/meters_form.h"
#include "forms/layout_parts.h"

#include "app/product.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr ui::Font kVerdana{"Verdana", 13, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 13, true, false};

// Bar and chart side by side, centred in the 594-pixel client area, notes underneath.
constexpr int kBarLeft = 45;
constexpr int kBarWidth = 64;
constexpr int kChartLeft = 121;
constexpr int kPanelTop = 28;
constexpr int kPanelHeight = 108;
constexpr int kChartInset = 3;
constexpr int kChartPanelWidth = kChartWidth + 2 * kChartInset;

ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect) {
    return MakeControl(std::move(name), kind, std::move(text), rect, kVerdana);
}

std::vector<ControlLayout> MetersControls() {
    std::vector<ControlLayout> controls;
    ControlLayout title = Control("StaticText1", ControlKind::Label, "CPU usage and history", {kBarLeft, 6, 300, 17});
    title.font = kVerdanaBold;
    title.textColour = ui::kNavy;
    controls.push_back(title);

    ControlLayout barPanel = Control("Panel4", ControlKind::Panel, "", {kBarLeft, kPanelTop, kBarWidth, kPanelHeight});
    barPanel.backColour = ui::kBlack;
    controls.push_back(barPanel);
    ControlLayout bar = Control("ProgressBar1", ControlKind::ProgressBar, "", {20, 4, 24, 100});
    bar.parent = "Panel4";
    bar.vertical = true;
    bar.smooth = true;
    bar.minimum = 0;
    bar.maximum = 100;
    bar.position = 50;
    controls.push_back(bar);

    ControlLayout value =
        Control("Label5", ControlKind::Label, "0.0%", {kBarLeft - 8, kPanelTop + kPanelHeight + 4, kBarWidth + 16, 17});
    value.font = kVerdanaBold;
    value.align = ui::TextAlign::Centre;
    controls.push_back(value);

    ControlLayout chartPanel =
        Control("Panel3", ControlKind::Panel, "", {kChartLeft, kPanelTop, kChartPanelWidth, kPanelHeight});
    chartPanel.backColour = ui::kBlack;
    controls.push_back(chartPanel);
    ControlLayout chart = Control("Image1", ControlKind::Image, "", {kChartInset, 4, kChartWidth, kChartHeight});
    chart.parent = "Panel3";
    controls.push_back(chart);

    controls.push_back(Control("Label3", ControlKind::Label, "Note: This does not currently work on Windows 7, 64bit.",
                               {kChartLeft, kPanelTop + kPanelHeight + 4, kChartPanelWidth, 17}));
    ControlLayout home = Control("StaticText2", ControlKind::Label, kHomePageCaption,
                                 {kChartLeft, kPanelTop + kPanelHeight + 26, kChartPanelWidth, 17});
    home.textColour = ui::kNavy;
    controls.push_back(home);

    ControlLayout onTop = Control("CheckBox1", ControlKind::CheckBox, "Stay on top", {460, 6, 100, 17});
    onTop.visible = false;
    controls.push_back(onTop);
    return controls;
}

ui::FormLayout BuildMetersForm() {
    ui::FormLayout form;
    form.className = "TfrmMeters";
    form.caption = "CPU Meters";
    form.clientWidth = 594;
    form.clientHeight = 188;
    form.border = ui::BorderStyle::Single;
    form.stayOnTop = true;
    form.position = ui::FormPosition::MainFormCentre;
    form.menu = {
        {"File1", "File", {}, {}},
        {"View1", "View", {}, {{"Refresh1", "Refresh", {}, {}}}},
    };
    form.timers = {{"Timer1", 1000, false}};
    form.controls = MetersControls();
    return form;
}

}  // namespace

const ui::FormLayout& MetersFormLayout() {
    static const ui::FormLayout form = BuildMetersForm();
    return form;
}

}  // namespace brimlow::forms
