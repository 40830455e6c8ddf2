#include "grid/editors/dbcomboboxx.h"

#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "tests/platform/db/dbfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kx {
namespace {

bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

void FocusOn(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

TEST(ComboDropDownSize, WidthAndRows) {
    struct Case {
        int boxWidth, widestItem, imageWidth, comboWidth, expected;
    };
    const Case cases[] = {
        {-1, 80, 0, 50, 85},   // the widest item + 5
        {-1, 80, 16, 50, 105}, // + image width + 4
        {-1, 20, 0, 50, 50},   // never narrower than the combo
        {0, 80, 0, 120, 120},  // 0: the combo's width
        {-5, 80, 0, 120, 120}, // below 1 as well
        {200, 80, 0, 120, 200}, {60, 80, 0, 120, 120},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComboDropDownWidth(c.boxWidth, c.widestItem, c.imageWidth, c.comboWidth),
                  c.expected)
            << c.boxWidth << " " << c.widestItem << " " << c.imageWidth;
    EXPECT_EQ(ComboDropDownRows(7, 3), 3);
    EXPECT_EQ(ComboDropDownRows(7, 10), 7);
    EXPECT_EQ(ComboDropDownRows(7, 0), 1);
}

// An unbound combo on a form, with a second control to leave it for.
class UnboundComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form_);
        combo_ = new TDBComboBoxX(&form_);
        other_ = new QLineEdit(&form_);
        layout->addWidget(combo_);
        layout->addWidget(other_);
        ASSERT_TRUE(ShowActive(form_));
    }

    void UseKeys() {
        combo_->SetItems(
            {QStringLiteral("Apple"), QStringLiteral("Banana"), QStringLiteral("Cherry")});
        combo_->SetKeyItems({QStringLiteral("1"), QStringLiteral("2")});
    }

    QWidget form_;
    TDBComboBoxX* combo_;
    QLineEdit* other_;
};

TEST_F(UnboundComboTest, KeyModeOffersOnlyItemsWithKeysAndShowsTheKeysItem) {
    UseKeys();
    EXPECT_TRUE(combo_->KeyMode());
    EXPECT_EQ(combo_->ItemCount(), 2);
    EXPECT_TRUE(combo_->isReadOnly());
    struct Case {
        QVariant value;
        QString text;
        int index;
    };
    const Case cases[] = {
        {QStringLiteral("2"), QStringLiteral("Banana"), 1},
        {QStringLiteral("3"), QString(), -1},
        {db::NullVariant(), QString(), -1},
        {QStringLiteral("1"), QStringLiteral("Apple"), 0},
    };
    for (const Case& c : cases) {
        combo_->ApplyValue(c.value);
        EXPECT_EQ(combo_->text(), c.text) << c.value.toString().toStdString();
        EXPECT_EQ(combo_->ItemIndex(), c.index) << c.value.toString().toStdString();
    }
    // A key not among the keys is written back as it came.
    combo_->ApplyValue(QStringLiteral("3"));
    EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("3")));
}

TEST_F(UnboundComboTest, KeyModeTypingChoosesBackspaceWidensDeleteClears) {
    UseKeys();
    FocusOn(combo_);
    QTest::keyClick(combo_, Qt::Key_B);
    EXPECT_EQ(combo_->text(), QStringLiteral("Banana"));
    EXPECT_EQ(combo_->ItemIndex(), 1);
    EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("2")));
    EXPECT_EQ(combo_->selectedText(), QStringLiteral("anana"));

    QTest::keyClick(combo_, Qt::Key_Backspace);
    EXPECT_EQ(combo_->selectedText(), QStringLiteral("Banana"));
    EXPECT_EQ(combo_->ItemIndex(), 1);
    QTest::keyClick(combo_, Qt::Key_Backspace);
    EXPECT_EQ(combo_->selectedText(), QStringLiteral("a"));
    EXPECT_EQ(combo_->text(), QStringLiteral("Banana"));

    // Cherry has no key: typing c finds nothing and keeps Banana.
    combo_->end(false);
    QTest::keyClick(combo_, Qt::Key_C);
    EXPECT_EQ(combo_->ItemIndex(), 1);

    QTest::keyClick(combo_, Qt::Key_Delete);
    EXPECT_EQ(combo_->text(), QString());
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_TRUE(db::VarIsNull(combo_->GetValue()));
    EXPECT_TRUE(db::VarIsNull(combo_->DataLink().DataIndependentValue()));
}

TEST_F(UnboundComboTest, ArrowsStepThroughTheItemsFromNone) {
    UseKeys();
    FocusOn(combo_);
    QTest::keyClick(combo_, Qt::Key_Up);
    EXPECT_EQ(combo_->ItemIndex(), 1) << "up from none goes to the last offered item";
    QTest::keyClick(combo_, Qt::Key_Up);
    QTest::keyClick(combo_, Qt::Key_Up);
    EXPECT_EQ(combo_->ItemIndex(), 0);
    QTest::keyClick(combo_, Qt::Key_Delete);
    QTest::keyClick(combo_, Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 0) << "down from none goes to the first item";
    QTest::keyClick(combo_, Qt::Key_Down);
    QTest::keyClick(combo_, Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 1);
    EXPECT_EQ(combo_->text(), QStringLiteral("Banana"));
}

TEST_F(UnboundComboTest, AnUpDownButtonStepsUpOnItsUpperHalfAndDownOnItsLowerHalf) {
    UseKeys();
    combo_->EditButton().SetStyle(ebsUpDownX);
    QApplication::processEvents();
    QWidget* button = combo_->ButtonControl(0);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, 2));
    EXPECT_EQ(combo_->ItemIndex(), 1);
    combo_->ApplyValue(db::NullVariant());
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() / 2, button->height() - 3));
    EXPECT_EQ(combo_->ItemIndex(), 0);
    EXPECT_FALSE(combo_->ListVisible());
}

TEST_F(UnboundComboTest, KeyModePasteChoosesTheItemOfTheClipboardText) {
    UseKeys();
    FocusOn(combo_);
    QApplication::clipboard()->setText(QStringLiteral("ban"));
    QTest::keyClick(combo_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo_->text(), QStringLiteral("Banana"));
    EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("2")));
}

TEST_F(UnboundComboTest, TextModeCompletesAtTheEndOnly) {
    combo_->SetItems({QStringLiteral("Banana"), QStringLiteral("Apple")});
    FocusOn(combo_);
    QTest::keyClicks(combo_, QStringLiteral("ap"));
    EXPECT_EQ(combo_->text(), QStringLiteral("Apple"));
    EXPECT_EQ(combo_->selectedText(), QStringLiteral("ple"));
    EXPECT_EQ(combo_->ItemIndex(), 1);

    combo_->selectAll();
    QTest::keyClicks(combo_, QStringLiteral("xyz"));
    EXPECT_EQ(combo_->ItemIndex(), -1);
    combo_->setCursorPosition(1);
    QTest::keyClick(combo_, Qt::Key_Q);
    EXPECT_EQ(combo_->text(), QStringLiteral("xqyz"));
    EXPECT_EQ(combo_->cursorPosition(), 2);
    EXPECT_FALSE(combo_->hasSelectedText());

    // A full stop replaces the completed part and is not completed itself;
    // a text that is no item is announced and still written.
    QStringList notInList;
    combo_->OnNotInList = [&](QObject*, const QString& text, bool&) { notInList << text; };
    combo_->selectAll();
    QTest::keyClicks(combo_, QStringLiteral("B."));
    EXPECT_EQ(combo_->text(), QStringLiteral("B."));
    EXPECT_EQ(combo_->ItemIndex(), -1);
    FocusOn(other_);
    EXPECT_EQ(combo_->DataLink().DataIndependentValue(), QVariant(QStringLiteral("B.")));
    EXPECT_EQ(notInList, QStringList{"B."});
}

TEST_F(UnboundComboTest, TheListDropsDownEnterTakesEscLeaves) {
    UseKeys();
    FocusOn(combo_);
    std::vector<bool> closed;
    QString queriedWith;
    combo_->OnCloseUpQuery = [&](QObject*, bool&) { queriedWith = combo_->text(); };
    combo_->OnCloseUp = [&](QObject*, bool accept) { closed.push_back(accept); };
    QTest::keyClick(combo_, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo_->ListVisible());
    TPopupListboxX* list = combo_->PopupList();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->RowsFit(), 3);
    EXPECT_GE(list->width(), combo_->width());
    EXPECT_TRUE(combo_->hasFocus());
    QTest::keyClick(combo_, Qt::Key_Down);
    QTest::keyClick(combo_, Qt::Key_Down);
    QTest::keyClick(combo_, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(combo_->text(), QStringLiteral("Banana"));
    EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("2")));
    EXPECT_EQ(queriedWith, QString()) << "asked before the item is taken";

    QTest::keyClick(combo_, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(combo_, Qt::Key_Up);
    QTest::keyClick(combo_, Qt::Key_Escape);
    EXPECT_FALSE(combo_->ListVisible());
    EXPECT_EQ(combo_->ItemIndex(), 1);
    EXPECT_EQ(closed, (std::vector<bool>{true, false}));
}

TEST_F(UnboundComboTest, AClickOnAnItemTakesItAndLeavingClosesTheList) {
    UseKeys();
    FocusOn(combo_);
    QTest::keyClick(combo_, Qt::Key_Down, Qt::AltModifier);
    TPopupListboxX* list = combo_->PopupList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_FALSE(combo_->ListVisible());
    EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("1")));

    QTest::keyClick(combo_, Qt::Key_Down, Qt::AltModifier);
    FocusOn(other_);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("1")));
}

TEST_F(UnboundComboTest, KeyModeClickInTheTextOpensAndClosesTheList) {
    UseKeys();
    const QPoint inText = combo_->TextAreaRect().ToQRect().center();
    QTest::mouseClick(combo_, Qt::LeftButton, {}, inText);
    EXPECT_TRUE(combo_->ListVisible());
    EXPECT_TRUE(combo_->hasFocus());
    QTest::mouseClick(combo_, Qt::LeftButton, {}, inText);
    EXPECT_FALSE(combo_->ListVisible());
    EXPECT_EQ(combo_->ItemIndex(), -1);
}

TEST_F(UnboundComboTest, ADragFromTheButtonOrTheTextIntoTheListTakesTheItemUnderTheRelease) {
    UseKeys();
    struct {
        const char* from;
        QWidget* widget;
        QPoint point;
    } const starts[] = {
        {"button", combo_->ButtonControl(0), combo_->ButtonControl(0)->rect().center()},
        {"text", combo_, combo_->TextAreaRect().ToQRect().center()},
    };
    for (const auto& start : starts) {
        combo_->ApplyValue(QVariant());
        QTest::mousePress(start.widget, Qt::LeftButton, {}, start.point);
        ASSERT_TRUE(combo_->ListVisible()) << start.from;
        TPopupListboxX* list = combo_->PopupList();
        const QPoint target =
            list->viewport()->mapToGlobal(list->visualItemRect(list->item(1)).center());
        // The pressed widget gets the moves; the release goes where the
        // desktop sends it, to the widget holding the mouse.
        QTest::mouseMove(start.widget, start.widget->mapFromGlobal(target));
        QWidget* holder = QWidget::mouseGrabber();
        ASSERT_EQ(holder, list->viewport()) << start.from;
        QTest::mouseRelease(holder, Qt::LeftButton, {}, holder->mapFromGlobal(target));
        EXPECT_FALSE(combo_->ListVisible()) << start.from;
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << start.from;
        EXPECT_EQ(combo_->GetValue(), QVariant(QStringLiteral("2"))) << start.from;
    }
}

TEST_F(UnboundComboTest, TheListWidthFollowsTheBoxAndAResizeIsKept) {
    combo_->SetItems({QStringLiteral("a"),
                      QStringLiteral("an item text that is a good deal wider than the form")});
    combo_->DropDownBox().Width = -1;
    FocusOn(combo_);
    combo_->DropDown();
    TPopupListboxX* list = combo_->PopupList();
    const int widest = combo_->fontMetrics().horizontalAdvance(combo_->Items().at(1));
    ASSERT_GT(widest, combo_->width());
    EXPECT_EQ(list->width(), widest + 5 + 2 * list->frameWidth());
    EXPECT_EQ(list->RowsFit(), 2);

    list->SetBounds(list->x(), list->y(), 500, list->ItemHeight() + list->BorderHeight());
    combo_->CloseUp(false);
    EXPECT_EQ(combo_->DropDownBox().Width, 500 - 2 * list->frameWidth());
    EXPECT_EQ(combo_->DropDownBox().Rows, 1);
    combo_->DropDown();
    EXPECT_EQ(list->width(), 500);
    EXPECT_EQ(list->RowsFit(), 1);
    combo_->CloseUp(false);
}

TEST_F(UnboundComboTest, TheListOpensUnderTheBoxOnTheShownItem) {
    combo_->SetItems({QStringLiteral("收入"), QStringLiteral("支出"), QStringLiteral("转账")});
    combo_->SetKeyItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    combo_->ApplyValue(QStringLiteral("2"));
    FocusOn(combo_);
    combo_->DropDown();
    TPopupListboxX* list = combo_->PopupList();
    EXPECT_EQ(list->pos(), combo_->mapToGlobal(QPoint(0, combo_->height())));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->RowsFit(), 3);
    const QString dir = qEnvironmentVariable("KX_SCREENSHOT_DIR");
    // Set KX_SCREENSHOT_DIR to look at the picture.
    if (dir.isEmpty())
        return;
    QImage shot(form_.width() + 20, form_.height() + list->height() + 20, QImage::Format_RGB32);
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, form_.grab());
    painter.drawPixmap(form_.mapFromGlobal(list->pos()), list->grab());
    painter.end();
    EXPECT_TRUE(shot.save(QDir(dir).filePath(QStringLiteral("combo.png"))));
}

// A key combo on the type table's parent code in a fresh data folder.
class BoundComboTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
              "MONEY_TYPE_NAME) VALUES ('0101', '02', '工资')"});
        query_ =
            NewQuery("SELECT * FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_ID = '0101'");
        query_->Open();
        source_ = new db::TDataSource(&form_);
        source_->SetDataSet(query_);
        auto* layout = new QVBoxLayout(&form_);
        combo_ = new TDBComboBoxX(&form_);
        layout->addWidget(combo_);
        combo_->SetItems({QStringLiteral("收入"), QStringLiteral("支出")});
        combo_->SetKeyItems({QStringLiteral("01"), QStringLiteral("02")});
        combo_->SetDataSource(source_);
        combo_->SetDataField(QStringLiteral("PRIOR_ID"));
        ASSERT_TRUE(ShowActive(form_));
    }

    QWidget form_;
    db::TQuery* query_;
    db::TDataSource* source_;
    TDBComboBoxX* combo_;
};

TEST_F(BoundComboTest, TheFieldHoldsTheKeyOfTheChosenItem) {
    EXPECT_EQ(combo_->text(), QStringLiteral("支出"));
    combo_->SelectItem(0);
    EXPECT_EQ(query_->State(), db::dsEdit);
    EXPECT_EQ(query_->FieldByName("PRIOR_ID")->AsString(), QStringLiteral("01"));
    query_->Post();
    EXPECT_EQ(Column("SELECT PRIOR_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE"), QStringList{"01"});

    FocusOn(combo_);
    QTest::keyClick(combo_, Qt::Key_Delete);
    EXPECT_TRUE(query_->FieldByName("PRIOR_ID")->IsNull());
    query_->Post();
    EXPECT_EQ(Column("SELECT PRIOR_ID IS NULL FROM KX_MONEY_INTO_OUT_TYPE_TABLE"),
              QStringList{"1"});
    EXPECT_EQ(combo_->text(), QString());
}

TEST_F(BoundComboTest, DeleteLeavesARequiredFieldAlone) {
    query_->FieldByName("PRIOR_ID")->SetRequired(true);
    FocusOn(combo_);
    QTest::keyClick(combo_, Qt::Key_Delete);
    EXPECT_EQ(query_->FieldByName("PRIOR_ID")->AsString(), QStringLiteral("02"));
    EXPECT_EQ(combo_->text(), QStringLiteral("支出"));
}

} // namespace
} // namespace kx
