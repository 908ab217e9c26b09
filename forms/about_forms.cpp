#include "forms/about_forms.h"
#include "forms/layout_parts.h"

#include "app/product.h"

#include <string>
#include <vector>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr ui::Font kLinkFont{"Verdana", 12, true, true};
constexpr ui::Colour kBlue = ui::Rgb(0, 0, 255);
// The system's tooltip colour as it stands by default.
constexpr ui::Colour kInfoBack = ui::Rgb(255, 255, 225);

ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect, ui::Font font = kVerdana) {
    return MakeControl(std::move(name), kind, std::move(text), rect, font);
}

ControlLayout InPanel(ControlLayout control, const char* panel) {
    control.parent = panel;
    return control;
}

ControlLayout Button(std::string name, std::string text, ui::Rect rect, ui::ModalResult result) {
    ControlLayout c = Control(std::move(name), ControlKind::Button, std::move(text), rect);
    c.font = {};
    c.modalResult = result;
    c.defaultButton = result == ui::ModalResult::Ok;
    c.cancelButton = result == ui::ModalResult::Cancel;
    return c;
}

ui::FormLayout BuildAbout() {
    ui::FormLayout form;
    form.className = "TAboutBox";
    form.caption = "About";
    form.width = 313;
    form.height = 255;
    form.border = ui::BorderStyle::Dialog;
    form.backColour = ui::kWhite;
    form.position = ui::FormPosition::ScreenCentre;

    ControlLayout panel = Control("Panel1", ControlKind::Panel, "", {8, 8, 289, 176});
    panel.raised = true;
    panel.backColour = ui::kWhite;
    form.controls.push_back(panel);
    ControlLayout name = Control("ProductName", ControlKind::Label, kProductName, {12, 8, 265, 32},
                                 {"Georgia", 28, true, false});
    name.textColour = ui::kNavy;
    form.controls.push_back(InPanel(name, "Panel1"));
    form.controls.push_back(InPanel(Control("Version", ControlKind::Label, "Version", {12, 44, 265, 16}), "Panel1"));
    form.controls.push_back(InPanel(
        Control("Comments", ControlKind::Label, std::string(kAboutAuthor) + "\r\n" + kAboutPlace, {12, 64, 265, 32}),
        "Panel1"));
    ControlLayout site = Control("Label1", ControlKind::LinkLabel, kHomePageCaption, {12, 100, 265, 16}, kLinkFont);
    site.textColour = kBlue;
    form.controls.push_back(InPanel(site, "Panel1"));
    ControlLayout contact = Control("Label4", ControlKind::LinkLabel, "Contact Details", {12, 118, 140, 16}, kLinkFont);
    contact.textColour = kBlue;
    form.controls.push_back(InPanel(contact, "Panel1"));
    form.controls.push_back(InPanel(
        Control("Label2", ControlKind::Label, kAboutNotice, {12, 138, 265, 32}, {"Verdana", 10, false, false}),
        "Panel1"));
    form.controls.push_back(Button("OKButton", "OK", {115, 192, 75, 25}, ui::ModalResult::Ok));
    return form;
}

constexpr ui::Font kHeading{"Georgia", 21, true, false};
constexpr ui::Font kSubHeading{"Georgia", 16, true, false};

constexpr HelpLine kHelpLines[] = {
    {"Label1", 16, "Using Brimlow"},
    {"Label6", 48,
     "The begin press F5 or click the first button on the toolbar. By click the little down arrow on the left side "
     "of the first tool button you can see additional options for what to do with the System Information."},
    {"Label9", 112,
     "Other buttons on the toolbar can be clicked freely to bring up additional advanced information and tools. "
     "Please note there are more options in the pull down menus that are not on the toolbar."},
    {"Label2", 176, "Command Line Switches"},
    {"Label4", 208, "/AUTO C:\\DETAILS.TXT           Example:  C:\\BRIMLOW.EXE /AUTO C:\\DETAILS.TXT"},
    {"Label5", 232,
     "This will instruct Brimlow to automatically retrieve the system information and write it to a text file "
     "specified in the second parameter."},
    {"Label7", 280, "/NOCOM"},
    {"Label8", 304,
     "If you know that your PC or Laptop does not have the old COM ports, you can use this switch to stop Brimlow "
     "from trying to communicate with it. You only need to do this if you find that your PC freezes when "
     "retrieving the System Info."},
    // Two pixels below the paragraph's four lines, which take 58 pixels once fonts grow at 120 DPI.
    {"Label3", 362, kHomePageCaption},
};

ui::FormLayout BuildHelp() {
    ui::FormLayout form;
    form.className = "TfrmHelp";
    form.caption = "Help";
    form.clientWidth = 499;
    form.clientHeight = 400;
    form.border = ui::BorderStyle::Single;
    form.backColour = ui::kWhite;
    for (std::size_t i = 0; i < std::size(kHelpLines); ++i) {
        const HelpLine& line = kHelpLines[i];
        // Each label reaches down to the next one, so long texts wrap within the width.
        const int next = i + 1 < std::size(kHelpLines) ? kHelpLines[i + 1].top : form.clientHeight - 8;
        ControlLayout label = Control(line.name, ControlKind::Label, line.text, {20, line.top, 457, next - line.top});
        const std::string name = line.name;
        if (name == "Label1") label.font = kHeading;
        if (name == "Label2") label.font = kSubHeading;
        if (name == "Label7") label.font = {"Verdana", 11, true, false};
        // The example line is one line, blanks and all.
        if (name == "Label4") {
            label.font = {"Verdana", 10, true, false};
            label.rect.width = 475;
        }
        if (name == "Label3") {
            label.font = kLinkFont;
            label.textColour = kBlue;
        }
        form.controls.push_back(label);
    }
    return form;
}

ui::FormLayout BuildAdmin() {
    ui::FormLayout form;
    form.className = "TfrmAdmin";
    form.caption = "Administrator";
    form.width = 247;
    form.height = 233;
    form.border = ui::BorderStyle::Dialog;
    form.position = ui::FormPosition::MainFormCentre;

    // Small enough that each of the note's three lines fits the window's width.
    ControlLayout note = Control("Memo1", ControlKind::Label, kAdminNote, {6, 8, 229, 44}, {"Verdana", 9, true, false});
    note.backColour = kInfoBack;
    form.controls.push_back(note);
    form.controls.push_back(Control("Label2", ControlKind::Label, "Username", {8, 64, 120, 16}));
    form.controls.push_back(Control("Edit1", ControlKind::Edit, "Administrator", {8, 81, 225, 21}));
    form.controls.back().label = "Label2";
    form.controls.push_back(Control("Label1", ControlKind::Label, "Password", {8, 108, 120, 16}));
    ControlLayout password = Control("Edit2", ControlKind::Edit, "", {8, 125, 225, 21});
    password.password = true;
    password.label = "Label1";
    form.controls.push_back(password);
    form.controls.push_back(Button("OKButton", "OK", {36, 160, 75, 25}, ui::ModalResult::Ok));
    form.controls.push_back(Button("CancelButton", "Cancel", {126, 160, 75, 25}, ui::ModalResult::Cancel));
    return form;
}

}  // namespace

const ui::FormLayout& AboutFormLayout() {
    static const ui::FormLayout form = BuildAbout();
    return form;
}

const ui::FormLayout& HelpFormLayout() {
    static const ui::FormLayout form = BuildHelp();
    return form;
}

const ui::FormLayout& AdminFormLayout() {
    static const ui::FormLayout form = BuildAdmin();
    return form;
}

std::span<const HelpLine> HelpLines() { return kHelpLines; }

}  // namespace brimlow::forms
