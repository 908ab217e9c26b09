#include "ui/report_preview_form.h"

namespace brimlow::ui {
namespace {

constexpr Colour kDesk = Rgb(0x80, 0x80, 0x80);

FormLayout BuildPreviewForm() {
    FormLayout form;
    form.className = "TfrmPrintPreview";
    form.caption = "Print Preview";
    form.clientWidth = 640;
    form.clientHeight = 680;
    form.position = FormPosition::MainFormCentre;

    ToolBarLayout bar;  // captions only, no pictures
    bar.buttons = {
        {"FitPage1", "Show the whole page", 0, "Fit Page", false},
        {"ActualSize1", "Show the page at its printed size", 0, "100 %", false},
        {"ToolButton1", "", 0, "", true},
        {"FirstPage1", "First page", 0, "First", false},
        {"PriorPage1", "Previous page", 0, "Previous", false},
        {"NextPage1", "Next page", 0, "Next", false},
        {"LastPage1", "Last page", 0, "Last", false},
        {"ToolButton2", "", 0, "", true},
        {"Print1", "Print the report", 0, "Print", false},
        {"Close1", "Close the preview", 0, "Close", false},
    };
    form.toolBar = bar;

    ControlLayout page;
    page.name = "PaintBox1";
    page.kind = ControlKind::PaintBox;
    page.rect = {0, 0, form.clientWidth, form.clientHeight};
    page.backColour = kDesk;
    page.fillClient = true;
    ControlLayout status;
    status.name = "StatusBar1";
    status.kind = ControlKind::StatusBar;
    status.rect = {0, form.clientHeight - 20, form.clientWidth, 20};
    form.controls = {page, status};
    return form;
}

}  // namespace

const FormLayout& PreviewFormLayout() {
    static const FormLayout layout = BuildPreviewForm();
    return layout;
}

std::string PreviewPageText(int page, int pages) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pages);
}

}  // namespace brimlow::ui
