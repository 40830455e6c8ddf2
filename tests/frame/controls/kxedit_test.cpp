#include "frame/controls/kxedit.h"

#include "core/appstate.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxmedit.h"
#include "frame/data/windowcontrols.h"
#include "tests/frame/controlsfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QVBoxLayout>

namespace kx {
namespace {

using test::FocusOn;

QColor Background(const QWidget* widget) {
    return widget->palette().color(QPalette::Base);
}

class EditControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form_);
        edit_ = new TKXEdit(&form_);
        combo_ = new TKXComboBox(&form_);
        masked_ = new TKXMEdit(&form_);
        other_ = new QLineEdit(&form_);
        for (QWidget* w : std::initializer_list<QWidget*>{edit_, combo_, masked_, other_})
            layout->addWidget(w);
        ASSERT_TRUE(test::ShowActive(form_));
        FocusOn(other_);
        savedIme_ = AppImeName;
    }
    void TearDown() override { AppImeName = savedIme_; }

    // Types into the widget as a user does, starting with the caret at the
    // end and nothing selected.
    void Type(QWidget* widget, const QString& keys) {
        FocusOn(widget);
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            line->deselect();
            line->end(false);
        }
        test::TypeText(widget, keys);
    }

    QWidget form_;
    TKXEdit* edit_;
    TKXComboBox* combo_;
    TKXMEdit* masked_;
    QLineEdit* other_;
    QString savedIme_;
};

TEST_F(EditControlsTest, FocusColourComesAndGoes) {
    edit_->SetColor(0x123456);
    edit_->SetColorOnFocus(0xF8F7C7);
    FocusOn(edit_);
    EXPECT_EQ(Background(edit_), QColor(0xC7, 0xF7, 0xF8));
    FocusOn(other_);
    EXPECT_EQ(Background(edit_), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(edit_->Color(), 0x123456u);

    edit_->SetFocusColorChange(false);
    FocusOn(edit_);
    EXPECT_EQ(edit_->Color(), 0x123456u);
    FocusOn(other_);
    EXPECT_EQ(edit_->Color(), 0x123456u);
}

TEST_F(EditControlsTest, FocusColourStartsAquaAndAlwaysAppliesToTheMaskedEdit) {
    masked_->SetColor(ui::clWhite);
    EXPECT_EQ(masked_->ColorOnFocus(), ui::clAqua);
    FocusOn(masked_);
    EXPECT_EQ(Background(masked_), QColor(0, 255, 255));
    FocusOn(other_);
    EXPECT_EQ(masked_->Color(), ui::clWhite);
}

// What a user's typing leaves in a box of each edit type, and the length
// cap its entry sets (0 when the box sets none).
struct TypedCase {
    const char* what;
    bool combo;
    TEditTypes type;
    int presetMax;
    const char* keys;
    const char* text;
    int maxLength;
};

const TypedCase kTypedCases[] = {
    {"integer: one sign, digits up to 11", false, etInteger, 0, "12a-3-#'4567890123", "12-34567890",
     11},
    {"decimal: one point, commas kept as typed", false, etFloat, 0, "1,235.5.,", "1,235.5,", 16},
    {"date: ten characters whatever was set", false, etDate, 30, "2000/08/08x9", "2000/08/08", 10},
    {"text takes any key", false, etString, 0, "a1:#中", "a1:#中", 0},
    {"time takes any key", false, etTime, 0, "a1:#中", "a1:#中", 0},
    {"telephone takes any key", false, etPhone, 0, "a1:#中", "a1:#中", 0},
    {"combo box filters its edit part", true, etFloat, 0, "1a2.5x.", "12.5", 16},
};

TEST_F(EditControlsTest, TypingFollowsTheEditType) {
    // A fresh box for each case: an entry's length cap stays with the box.
    const auto typeInto = [this](auto* box, const TypedCase& c) {
        form_.layout()->addWidget(box);
        box->SetEditType(c.type);
        box->SetMaxLength(c.presetMax);
        Type(box, c.keys);
        EXPECT_EQ(ControlText(box), c.text);
        EXPECT_EQ(box->MaxLength(), c.maxLength);
        delete box;
    };
    for (const TypedCase& c : kTypedCases) {
        SCOPED_TRACE(c.what);
        if (c.combo)
            typeInto(new TKXComboBox(&form_), c);
        else
            typeInto(new TKXEdit(&form_), c);
    }
}

TEST_F(EditControlsTest, WholeTextSelectedLetsTheFirstKeyThrough) {
    edit_->SetEditType(etInteger);
    edit_->setText("123");
    FocusOn(edit_);
    edit_->selectAll();
    QTest::keyClicks(edit_, "ab");
    EXPECT_EQ(edit_->text(), "a");
}

TEST_F(EditControlsTest, LengthCountsCodePage936Bytes) {
    edit_->SetMaxLength(5);
    Type(edit_, "中文字");
    EXPECT_EQ(edit_->text(), "中文");
    Type(edit_, "ab");
    EXPECT_EQ(edit_->text(), "中文a");

    combo_->SetMaxLength(3);
    Type(combo_, "a中文");
    EXPECT_EQ(combo_->Text(), "a中");
}

// Pasted text is cut where the limit falls, never inside a character, and
// what fits of it stays.
TEST_F(EditControlsTest, PastedTextIsCutAtTheByteLimit) {
    const struct {
        int limit;
        const char* before;
        QString pasted;
        const char* after;
    } cases[] = {{255, "", QString(10000, u'x'), nullptr},
                 {5, "a", "中文字", "a中文"},
                 {3, "ab", "中文", "ab"},
                 {5, "ab", "1中2", "ab1中"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        edit_->SetMaxLength(c.limit);
        edit_->setText(c.before);
        FocusOn(edit_);
        edit_->end(false);
        QApplication::clipboard()->setText(c.pasted);
        edit_->paste();
        EXPECT_EQ(edit_->text(), c.after ? QString(c.after) : QString(c.limit, u'x'));
    }
}

TEST_F(EditControlsTest, DropDownListShowsTheItemOfATextOrNone) {
    combo_->SetStyle(csDropDownList);
    combo_->addItems({"并且", "或者"});
    combo_->SetText("或者");
    EXPECT_EQ(combo_->currentIndex(), 1);
    combo_->SetText("其他");
    EXPECT_EQ(combo_->currentIndex(), -1);
}

TEST_F(EditControlsTest, TextBoxesTakeTheLastInputMethodNumberBoxesNone) {
    AppImeName = "拼音";
    edit_->SetImeName("五笔");
    FocusOn(edit_);
    EXPECT_EQ(edit_->ImeName(), "拼音");
    EXPECT_TRUE(edit_->testAttribute(Qt::WA_InputMethodEnabled));
    FocusOn(other_);
    // The desktop cannot tell which input method is active: the name stays.
    EXPECT_EQ(AppImeName, "拼音");

    combo_->SetEditType(etInteger);
    combo_->SetImeName("五笔");
    FocusOn(combo_);
    EXPECT_EQ(combo_->ImeName(), "");
    EXPECT_FALSE(combo_->testAttribute(Qt::WA_InputMethodEnabled));

    FocusOn(masked_);
    EXPECT_EQ(masked_->ImeName(), "拼音");
}

TEST_F(EditControlsTest, EnterAndExitEventsFollowTheFocus) {
    QStringList seen;
    edit_->OnEnter = [&](QObject*) { seen << "enter"; };
    edit_->OnExit = [&](QObject*) { seen << "exit"; };
    FocusOn(edit_);
    FocusOn(other_);
    EXPECT_EQ(seen, QStringList({"enter", "exit"}));
}

TEST_F(EditControlsTest, MaskedEditKeepsTheMaskSyntax) {
    masked_->SetEditMask("0000-00-00;1;_");
    FocusOn(masked_);
    masked_->home(false);
    test::TypeText(masked_, "20000808");
    EXPECT_EQ(masked_->Text(), "2000-08-08");
}

} // namespace
} // namespace kx
