// The About, Help and Administrator layouts: the texts a user reads, where they sit, and the
// buttons that end the modal windows.
#include "forms/about_forms.h"

#include "app/product.h"

#include <gtest/gtest.h>

#include <string>

namespace brimlow {
namespace {

const ui::ControlLayout& Named(const ui::FormLayout& form, const std::string& name) {
    for (const ui::ControlLayout& control : form.controls)
        if (control.name == name) return control;
    throw std::runtime_error("no control " + name);
}

TEST(AboutForm, FixedDialogWithLinksAndOk) {
    const ui::FormLayout& form = forms::AboutFormLayout();
    EXPECT_EQ(form.className, "TAboutBox");
    EXPECT_EQ(form.caption, "About");
    EXPECT_EQ(form.width, 313);
    EXPECT_EQ(form.height, 255);
    EXPECT_EQ(form.border, ui::BorderStyle::Dialog);
    EXPECT_EQ(Named(form, "ProductName").text, "Brimlow");
    EXPECT_EQ(Named(form, "Label1").kind, ui::ControlKind::LinkLabel);
    EXPECT_EQ(Named(form, "Label1").text, kHomePageCaption);
    EXPECT_EQ(Named(form, "Label4").text, "Contact Details");
    EXPECT_NE(Named(form, "Label2").text.find(kHomePageCaption), std::string::npos) << "the notice names the site";
    const ui::ControlLayout& ok = Named(form, "OKButton");
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.modalResult, ui::ModalResult::Ok);
    EXPECT_TRUE(ok.defaultButton);
}

TEST(HelpForm, LabelsWordForWordAtTheirTops) {
    const ui::FormLayout& form = forms::HelpFormLayout();
    EXPECT_EQ(form.caption, "Help");
    EXPECT_EQ(form.clientWidth, 499);
    EXPECT_EQ(form.clientHeight, 400);
    EXPECT_EQ(form.border, ui::BorderStyle::Single);
    const struct { const char* name; int top; } order[] = {{"Label1", 16}, {"Label6", 48}, {"Label9", 112},
                                                             {"Label2", 176}, {"Label4", 208}, {"Label5", 232},
                                                             {"Label7", 280}, {"Label8", 304}, {"Label3", 362}};
    ASSERT_EQ(form.controls.size(), std::size(order));
    for (std::size_t i = 0; i < std::size(order); ++i) {
        SCOPED_TRACE(order[i].name);
        EXPECT_EQ(form.controls[i].name, order[i].name);
        EXPECT_EQ(form.controls[i].rect.top, order[i].top);
        EXPECT_EQ(form.controls[i].kind, ui::ControlKind::Label) << "nothing on the page takes clicks";
        EXPECT_LE(form.controls[i].rect.left + form.controls[i].rect.width, form.clientWidth);
    }
    // The blanks of the example line are part of the text: eleven before "Example:", two after.
    EXPECT_EQ(Named(form, "Label4").text,
              "/AUTO C:\\DETAILS.TXT" + std::string(11, ' ') + "Example:" + std::string(2, ' ') +
                  "C:\\BRIMLOW.EXE /AUTO C:\\DETAILS.TXT");
    EXPECT_EQ(Named(form, "Label6").text.substr(0, 30), "The begin press F5 or click th");
    EXPECT_EQ(Named(form, "Label3").text, kHomePageCaption);
    EXPECT_TRUE(Named(form, "Label3").font.underline);
}

TEST(AdminForm, NamePresetPasswordMaskedOkAndCancel) {
    const ui::FormLayout& form = forms::AdminFormLayout();
    EXPECT_EQ(form.caption, "Administrator");
    EXPECT_EQ(form.width, 247);
    EXPECT_EQ(form.height, 233);
    EXPECT_EQ(form.position, ui::FormPosition::MainFormCentre);
    EXPECT_EQ(Named(form, "Memo1").text,
              "If you have administrator access enter \r\nthe details here they will be stored \r\n"
              "and used when necessary.");
    EXPECT_EQ(Named(form, "Label2").text, "Username");
    EXPECT_EQ(Named(form, "Edit1").text, "Administrator");
    EXPECT_FALSE(Named(form, "Edit1").password);
    EXPECT_EQ(Named(form, "Label1").text, "Password");
    EXPECT_EQ(Named(form, "Edit2").kind, ui::ControlKind::Edit);
    EXPECT_TRUE(Named(form, "Edit2").password);
    EXPECT_EQ(Named(form, "OKButton").modalResult, ui::ModalResult::Ok);
    EXPECT_EQ(Named(form, "CancelButton").modalResult, ui::ModalResult::Cancel);
    EXPECT_TRUE(Named(form, "CancelButton").cancelButton);
}

}  // namespace
}  // namespace brimlow
