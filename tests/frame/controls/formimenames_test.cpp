#include "frame/controls/formimenames.h"

#include "core/appstate.h"
#include "frame/app/kxsetform.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxdblookupcombobox.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxmedit.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/findsimpleformdialog.h"
#include "frame/dialogs/selectimesform.h"
#include "platform/ui/tag.h"
#include "tests/frame/controlsfixture.h"

namespace kx {
namespace {

class FormImeNamesTest : public ::testing::Test {
protected:
    FormImeNamesTest()
        : text_(new TKXEdit(&form_)), number_(new TKXEdit(&form_)), phone_(new TKXComboBox(&form_)),
          button_(new TKXComboEdit(&form_)), lookup_(new TKXDBLookupComboBox(&form_)),
          skipped_(new TKXEdit(&form_)), find_(new TFindFormDialog(&form_)),
          simple_(new TFindSimpleFormDialog(&form_)), masked_(new TKXMEdit(&form_)) {
        number_->SetEditType(etInteger);
        phone_->SetEditType(etPhone);
        ui::SetTag(skipped_, 100);
    }

    QWidget form_;
    TKXEdit* text_;
    TKXEdit* number_;
    TKXComboBox* phone_;
    TKXComboEdit* button_;
    TKXDBLookupComboBox* lookup_;
    TKXEdit* skipped_;
    TFindFormDialog* find_;
    TFindSimpleFormDialog* simple_;
    TKXMEdit* masked_;
};

TEST_F(FormImeNamesTest, SetFormImeNameNamesEveryBox) {
    SetFormImeName(&form_, "拼音");
    for (const QString& name : {text_->ImeName(), number_->ImeName(), phone_->ImeName(),
                                button_->ImeName(), lookup_->ImeName(), skipped_->ImeName()})
        EXPECT_EQ(name, "拼音");
    EXPECT_EQ(masked_->ImeName(), "");
}

TEST_F(FormImeNamesTest, ApplyImeToFormNamesOnlyTextBoxes) {
    number_->SetImeName("x");
    phone_->SetImeName("x");
    ApplyImeToForm(&form_, "拼音");
    EXPECT_EQ(text_->ImeName(), "拼音");
    EXPECT_EQ(button_->ImeName(), "拼音");
    EXPECT_EQ(lookup_->ImeName(), "拼音");
    EXPECT_EQ(number_->ImeName(), "");
    EXPECT_EQ(phone_->ImeName(), "");
    EXPECT_EQ(skipped_->ImeName(), "");
    EXPECT_EQ(find_->ImeName, "拼音");
    EXPECT_EQ(simple_->ImeName, "拼音");
}

TEST_F(FormImeNamesTest, SetFormClearsEveryName) {
    ApplyImeToForm(&form_, "拼音");
    TKXSetForm setForm(&form_);
    setForm.ApplyImeName("拼音");
    EXPECT_EQ(text_->ImeName(), "");
    EXPECT_EQ(lookup_->ImeName(), "");
    EXPECT_EQ(find_->ImeName, "");
}

TEST(SelectImesForm, ListsTheDesktopsInputMethodAndThreeBlanks) {
    qputenv("QT_IM_MODULE", "fcitx");
    TSelectImesForm form;
    qunsetenv("QT_IM_MODULE");
    ASSERT_EQ(form.KXComboBox1->count(), 4);
    EXPECT_EQ(form.KXComboBox1->itemText(0), "fcitx");
    EXPECT_EQ(form.KXComboBox1->Color(), AppEditColor);
    test::OnNextModal([&](QWidget*) { test::PressKey(&form, Qt::Key_Escape); });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
}

} // namespace
} // namespace kx
