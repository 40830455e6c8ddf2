#include "grid/editors/customdbeditx.h"

#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "platform/ui/application.h"
#include "tests/platform/db/dbfixture.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
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

// An MRU list that records what the edit asks of it.
class TFakeMRUList : public IMRUDropDownX {
public:
    void SetItems(const QStringList& items) override { Items = items; }
    int Count() const override { return int(Items.size()); }
    void DropDownUnder(QWidget*, int rows) override {
        Rows = rows;
        Shown = true;
    }
    void CloseUp() override { Shown = false; }
    bool IsVisible() const override { return Shown; }
    QString SelectedText() const override { return Selected; }
    void HandleKey(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Down && !Items.isEmpty())
            Selected = Items.first();
    }
    int RowCount() const override { return Rows; }
    int Width() const override { return 100; }
    QWidget* Window() const override { return nullptr; }

    QStringList Items;
    QString Selected;
    int Rows = 0;
    bool Shown = false;
};

class TEditWithMRU : public TCustomDBEditX {
public:
    using TCustomDBEditX::TCustomDBEditX;
    TFakeMRUList* list = nullptr;

protected:
    std::unique_ptr<IMRUDropDownX> CreateMRUListbox() override {
        auto made = std::make_unique<TFakeMRUList>();
        list = made.get();
        return made;
    }
};

// A form with an unbound edit and a second control to leave it for.
class UnboundEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form_);
        edit_ = new TEditWithMRU(&form_);
        other_ = new QLineEdit(&form_);
        layout->addWidget(edit_);
        layout->addWidget(other_);
        ASSERT_TRUE(ShowActive(form_));
        FocusOn(other_);
    }

    QWidget form_;
    TEditWithMRU* edit_;
    QLineEdit* other_;
};

TEST_F(UnboundEditTest, TypedTextIsKeptOnLeavingAndCodeWritesAtOnce) {
    FocusOn(edit_);
    QTest::keyClicks(edit_, QStringLiteral("12"));
    EXPECT_TRUE(db::VarIsNull(edit_->DataLink().DataIndependentValue()));
    FocusOn(other_);
    EXPECT_EQ(edit_->DataLink().DataIndependentValue(), QVariant(QStringLiteral("12")));

    edit_->SetText(QStringLiteral("ab"));
    EXPECT_EQ(edit_->DataLink().DataIndependentValue(), QVariant(QStringLiteral("ab")));
    EXPECT_EQ(edit_->text(), QStringLiteral("ab"));
}

TEST_F(UnboundEditTest, EscDropsWhatWasTypedAndSelectsTheValue) {
    edit_->SetText(QStringLiteral("keep"));
    FocusOn(edit_);
    edit_->end(false);
    QTest::keyClicks(edit_, QStringLiteral("xx"));
    EXPECT_EQ(edit_->text(), QStringLiteral("keepxx"));
    QTest::keyClick(edit_, Qt::Key_Escape);
    EXPECT_EQ(edit_->text(), QStringLiteral("keep"));
    EXPECT_EQ(edit_->selectedText(), QStringLiteral("keep"));
}

TEST_F(UnboundEditTest, AHandledUpdateWritesNothing) {
    QString seen;
    edit_->OnUpdateData = [&](QObject*, bool& handled) {
        seen = edit_->Text();
        handled = true;
    };
    FocusOn(edit_);
    QTest::keyClicks(edit_, QStringLiteral("7"));
    FocusOn(other_);
    EXPECT_EQ(seen, QStringLiteral("7"));
    EXPECT_TRUE(db::VarIsNull(edit_->DataLink().DataIndependentValue()));
}

TEST_F(UnboundEditTest, RecentTextsDropDownWhileTypingAndEnterTakesOne) {
    edit_->MRUList().SetActive(true);
    edit_->MRUList().SetItems(
        {QStringLiteral("apple"), QStringLiteral("apricot"), QStringLiteral("banana")});
    FocusOn(edit_);
    QTest::keyClicks(edit_, QStringLiteral("ap"));
    ASSERT_NE(edit_->list, nullptr);
    EXPECT_TRUE(edit_->MRUDroppedDown());
    EXPECT_EQ(edit_->list->Items, (QStringList{"apple", "apricot"}));
    EXPECT_EQ(edit_->list->Rows, 2);
    QTest::keyClick(edit_, Qt::Key_Down);
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_FALSE(edit_->MRUDroppedDown());
    EXPECT_EQ(edit_->text(), QStringLiteral("apple"));

    // Esc closes without taking; emptying the text closes it too.
    edit_->selectAll();
    QTest::keyClicks(edit_, QStringLiteral("b"));
    EXPECT_TRUE(edit_->MRUDroppedDown());
    QTest::keyClick(edit_, Qt::Key_Escape);
    EXPECT_FALSE(edit_->MRUDroppedDown());
    EXPECT_EQ(edit_->text(), QStringLiteral("b"));
    QTest::keyClicks(edit_, QStringLiteral("a"));
    EXPECT_TRUE(edit_->MRUDroppedDown());
    edit_->selectAll();
    QTest::keyClick(edit_, Qt::Key_Backspace);
    EXPECT_FALSE(edit_->MRUDroppedDown());

    // A written text joins the list as the newest.
    edit_->SetText(QStringLiteral("cherry"));
    EXPECT_EQ(edit_->MRUList().Items().last(), QStringLiteral("cherry"));
    FocusOn(other_);
}

TEST_F(UnboundEditTest, ButtonsStandRightOfTheTextWithTheMainOneNearest) {
    edit_->resize(200, edit_->height());
    edit_->EditButton().SetVisible(true);
    edit_->EditButton().SetStyle(ebsEllipsisX);
    TEditButtonX* extra = edit_->EditButtons().Add();
    extra->SetStyle(ebsPlusX);
    QApplication::processEvents();
    TEditButtonControlX* main = edit_->ButtonControl(0);
    TEditButtonControlX* second = edit_->ButtonControl(1);
    ASSERT_NE(second, nullptr);
    const int barWidth = edit_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(main->width(), barWidth);
    EXPECT_EQ(second->geometry().right() + 1, edit_->ClientRect().Right);
    EXPECT_EQ(main->geometry().right() + 1, second->geometry().left());
    EXPECT_EQ(edit_->ButtonsWidth(), 2 * barWidth);
    EXPECT_FALSE(edit_->ButtonSeparator(0)->isVisible());
    EXPECT_EQ(edit_->TextAreaRect().Right, main->geometry().left());

    edit_->SetFlat(true);
    QApplication::processEvents();
    EXPECT_EQ(main->width(), FlatEditButtonWidth());
    EXPECT_TRUE(edit_->ButtonSeparator(0)->isVisible());
    EXPECT_TRUE(edit_->ButtonSeparator(1)->isVisible());
    EXPECT_EQ(edit_->ButtonsWidth(), 2 * FlatEditButtonWidth() + 2);
    EXPECT_EQ(edit_->ButtonSeparator(0)->geometry().right() + 1, main->geometry().left());

    edit_->EditButton().SetWidth(30);
    QApplication::processEvents();
    EXPECT_EQ(edit_->ButtonControl(0)->width(), 30);
    extra->SetVisible(false);
    QApplication::processEvents();
    EXPECT_EQ(edit_->ButtonsWidth(), 31);
}

TEST_F(UnboundEditTest, FlatEditShowsItsBorderOnlyUnderTheMouseOrWithTheFocus) {
    edit_->SetFlat(true);
    EXPECT_FALSE(edit_->BorderActive());
    FocusOn(edit_);
    EXPECT_TRUE(edit_->BorderActive());
    FocusOn(other_);
    EXPECT_FALSE(edit_->BorderActive());
    edit_->SetAlwaysShowBorder(true);
    EXPECT_TRUE(edit_->BorderActive());
    // The flat border is thinner, and so the edit.
    edit_->SetFlat(false);
    const int raised = edit_->height();
    edit_->SetFlat(true);
    EXPECT_EQ(raised - edit_->height(), 2);
}

TEST_F(UnboundEditTest, ButtonEventsAndShortCuts) {
    edit_->EditButton().SetVisible(true);
    edit_->EditButton().SetStyle(ebsEllipsisX);
    TEditButtonX* extra = edit_->EditButtons().Add();
    QApplication::processEvents();
    int mainDowns = 0, mainClicks = 0, extraClicks = 0;
    edit_->OnButtonDown = [&](QObject* sender, bool, bool&, bool&) {
        EXPECT_EQ(sender, edit_);
        ++mainDowns;
    };
    edit_->OnButtonClick = [&](QObject*, bool&) { ++mainClicks; };
    extra->OnClick = [&](QObject*, bool& handled) {
        ++extraClicks;
        handled = true;
    };
    TEditButtonControlX* main = edit_->ButtonControl(0);
    QTest::mouseClick(main, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(mainDowns, 1);
    EXPECT_EQ(mainClicks, 1);
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    // Nothing drops down from a plain edit, so the button does not stay down.
    EXPECT_FALSE(main->Down());

    // Alt+Down, the item's short-cut, presses the further button.
    QTest::keyClick(edit_, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(extraClicks, 1);
    EXPECT_EQ(mainDowns, 1);

    // While the note of a closed button menu waits, a press opens nothing.
    edit_->PostPendingMenu(0);
    QTest::mousePress(main, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(main, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(mainDowns, 1);
    QTest::mousePress(main, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(main, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(mainDowns, 2);
    edit_->PostPendingMenu(0);
    QApplication::processEvents();
    EXPECT_FALSE(edit_->PendingMenuQueued(0));
}

TEST_F(UnboundEditTest, RightAlignedTextIsPaintedRightUntilTheEditHasTheFocus) {
    edit_->resize(300, edit_->height());
    edit_->SetText(QStringLiteral("88"));
    edit_->SetAlignment(db::taRightJustify);
    const auto inkColumns = [this] {
        const QImage image = edit_->grab().toImage();
        const ui::TRect area = edit_->TextRect();
        const int y = image.height() / 2;
        int first = -1, last = -1;
        for (int x = area.Left; x < area.Right; ++x)
            if (qGray(image.pixel(x, y)) < 128 || qGray(image.pixel(x, y - 2)) < 128) {
                first = first < 0 ? x : first;
                last = x;
            }
        return std::pair(first, last);
    };
    const auto [unfocusedFirst, unfocusedLast] = inkColumns();
    EXPECT_GT(unfocusedFirst, edit_->TextRect().Right - 40);
    EXPECT_LE(unfocusedLast, edit_->TextRect().Right - 2);
    FocusOn(edit_);
    const auto [focusedFirst, focusedLast] = inkColumns();
    EXPECT_LT(focusedLast, edit_->TextRect().Left + 40);
}

TEST_F(UnboundEditTest, APictureStandsLeftOfTheTextAndMayRaiseTheEdit) {
    TGridPictureList pictures(16, 30);
    for (Qt::GlobalColor color : {Qt::green, Qt::blue}) {
        QImage picture(16, 30, QImage::Format_RGB32);
        picture.fill(color);
        pictures.Add(picture, ui::clNone);
    }
    const int plainHeight = edit_->height();
    edit_->SetImages(&pictures);
    EXPECT_EQ(edit_->ImageRect().Width(), 20);
    EXPECT_EQ(edit_->TextAreaRect().Left, edit_->ClientRect().Left + 20);
    EXPECT_EQ(edit_->height(), std::max(plainHeight, 8 + 30));
    EXPECT_EQ(edit_->EditImage().ImageIndex(), -1);
    edit_->SetOnGetImageIndex([](QObject*, int& index) { index = 1; });
    EXPECT_EQ(edit_->EditImage().ImageIndex(), 1);
    const ui::TRect r = edit_->ImageRect();
    const QImage shown = edit_->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)),
              QColor(Qt::blue));
}

TEST_F(UnboundEditTest, AWrappingEditMovesBetweenItsLinesWithUpAndDown) {
    edit_->SetAutoSize(false);
    edit_->SetWordWrap(true);
    edit_->setFixedSize(90, 70);
    FocusOn(edit_);
    QTest::keyClicks(edit_, QStringLiteral("alpha beta gamma delta"));
    const int end = edit_->cursorPosition();
    QTest::keyClick(edit_, Qt::Key_Down);
    EXPECT_EQ(edit_->cursorPosition(), end) << "the last line has none below";
    QTest::keyClick(edit_, Qt::Key_Up);
    const int above = edit_->cursorPosition();
    EXPECT_LT(above, end) << "Up goes to the line above";
    QTest::keyClick(edit_, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_GT(edit_->cursorPosition(), above);
    EXPECT_FALSE(edit_->selectedText().isEmpty()) << "Shift extends the selection";
    QTest::keyClick(edit_, Qt::Key_Up);
    QTest::keyClicks(edit_, QStringLiteral("X"));
    FocusOn(other_);
    EXPECT_TRUE(edit_->DataLink().DataIndependentValue().toString().contains(u'X'));
    const QImage shown = edit_->grab().toImage();
    int inkedRows = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 4; x < shown.width() - 4; ++x) {
            if (qGray(shown.pixel(x, y)) < 96) {
                ++inkedRows;
                break;
            }
        }
    }
    EXPECT_GT(inkedRows, QFontMetrics(edit_->font()).height()) << "the text stands on two lines";
}

TEST_F(UnboundEditTest, ATextTooLongForTheEditIsItsToolTip) {
    edit_->SetTooltips(true);
    edit_->setFixedWidth(80);
    edit_->SetText(QStringLiteral("short"));
    EXPECT_FALSE(edit_->TextDoesNotFit());
    edit_->SetText(QStringLiteral("a text far too long for eighty pixels"));
    EXPECT_TRUE(edit_->TextDoesNotFit());
}

TEST_F(UnboundEditTest, AnIncompleteMaskKeepsTheUserInTheEdit) {
    QStringList reported;
    ui::SetExceptionHandler([&reported](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            reported << e.Message();
        }
    });
    edit_->SetEditMaskExplicit(QStringLiteral("000;1;_"));
    const QVariant before = edit_->DataLink().DataIndependentValue();
    FocusOn(edit_);
    edit_->home(false);
    QTest::keyClicks(edit_, QStringLiteral("1"));
    FocusOn(other_);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    EXPECT_EQ(reported, QStringList{EDBEditError().Message()});
    EXPECT_EQ(edit_->DataLink().DataIndependentValue(), before);

    edit_->home(false);
    QTest::keyClicks(edit_, QStringLiteral("123"));
    FocusOn(other_);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), other_);
    EXPECT_EQ(edit_->DataLink().DataIndependentValue(), QVariant(QStringLiteral("123")));
    ui::SetExceptionHandler(nullptr);
}

TEST_F(UnboundEditTest, AHolderMustOfferTheHolderInterface) {
    QObject notAHolder;
    try {
        edit_->SetInplaceEditHolder(&notAHolder);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(
            e.Message(),
            QStringLiteral("InplaceEditHolder have to support IInplaceEditHolderX interface"));
    }
    EXPECT_FALSE(edit_->IsInplaceEditor());
}

// A grid standing in as the editor's holder.
class THolder : public QWidget, public IInplaceEditHolderX {
public:
    bool CanModify(QWidget*) override { return modifiable; }
    void GetMouseDownInfo(QPoint& point, qint64& time) override {
        point = QPoint();
        time = 0;
    }
    bool EditorWndProc(QWidget*, QEvent*) override { return false; }
    void EditorKeyDown(QWidget*, int& key, ui::TShiftState) override {
        keys.push_back(key);
        if (key == Qt::Key_Return)
            key = 0;
    }
    void EditorKeyPress(QWidget*, QChar&) override {}
    void EditorKeyUp(QWidget*, int&, ui::TShiftState) override {}

    bool modifiable = true;
    std::vector<int> keys;
};

TEST_F(UnboundEditTest, AnInplaceEditorIsShownAndHiddenByItsHolder) {
    auto* holder = new THolder;
    holder->setFocusPolicy(Qt::StrongFocus);
    form_.layout()->addWidget(holder);
    holder->show();
    edit_->setParent(holder);
    edit_->SetBorderStyle(ui::TBorderStyle::bsNone);
    edit_->SetInplaceEditHolder(holder);
    EXPECT_TRUE(edit_->IsInplaceEditor());
    edit_->ShowInRect({5, 5, 105, 25}, true);
    EXPECT_TRUE(edit_->Visible());
    EXPECT_EQ(edit_->geometry(), QRect(5, 5, 100, 20));
    FocusOn(edit_);
    QTest::keyClick(edit_, Qt::Key_Return);
    QTest::keyClick(edit_, Qt::Key_Left);
    EXPECT_EQ(holder->keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Left}));

    holder->modifiable = false;
    edit_->DataLink().Edit();
    EXPECT_TRUE(edit_->isReadOnly());
    edit_->SetVisible(false);
    EXPECT_FALSE(edit_->Visible());
    EXPECT_EQ(QApplication::focusWidget(), holder);
    edit_->ShowInRect({}, false);
    EXPECT_FALSE(edit_->Visible());
    edit_->SetInplaceEditHolder(nullptr);
    EXPECT_FALSE(edit_->IsInplaceEditor());
}

// Edits bound to a table in a fresh data folder.
class BoundEditTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE EDIT_TEST (ID INTEGER, NAME VARCHAR(20), CODE VARCHAR(10), "
              "AMOUNT INTEGER)",
              "INSERT INTO EDIT_TEST VALUES (1, 'first', 'c1', 5)"});
        query_ = NewQuery("SELECT * FROM EDIT_TEST");
        query_->Open();
        source_ = new db::TDataSource(&form_);
        source_->SetDataSet(query_);
        auto* layout = new QVBoxLayout(&form_);
        edit_ = new TCustomDBEditX(&form_);
        other_ = new QLineEdit(&form_);
        layout->addWidget(edit_);
        layout->addWidget(other_);
        edit_->SetDataSource(source_);
        edit_->SetDataField(QStringLiteral("NAME"));
        ASSERT_TRUE(ShowActive(form_));
        FocusOn(other_);
    }

    QWidget form_;
    db::TQuery* query_;
    db::TDataSource* source_;
    TCustomDBEditX* edit_;
    QLineEdit* other_;
};

TEST_F(BoundEditTest, TypingAndLeavingWritesTheField) {
    EXPECT_EQ(edit_->text(), QStringLiteral("first"));
    EXPECT_TRUE(edit_->isReadOnly());
    FocusOn(edit_);
    edit_->end(false);
    QTest::keyClicks(edit_, QStringLiteral("!"));
    EXPECT_EQ(query_->State(), db::dsEdit);
    EXPECT_EQ(query_->FieldByName("NAME")->AsString(), QStringLiteral("first"));
    FocusOn(other_);
    EXPECT_EQ(query_->FieldByName("NAME")->AsString(), QStringLiteral("first!"));
    query_->Post();
    EXPECT_EQ(Column("SELECT NAME FROM EDIT_TEST"), QStringList{"first!"});
}

TEST_F(BoundEditTest, ATextWriteEditsTheRecordAtOnce) {
    edit_->SetText(QStringLiteral("second"));
    EXPECT_EQ(query_->State(), db::dsEdit);
    EXPECT_EQ(query_->FieldByName("NAME")->AsString(), QStringLiteral("second"));
}

TEST_F(BoundEditTest, AValueTheFieldRefusesShowsTheStoredValueAgain) {
    edit_->SetDataField(QStringLiteral("AMOUNT"));
    EXPECT_THROW(edit_->SetText(QStringLiteral("abc")), Exception);
    EXPECT_EQ(edit_->text(), QStringLiteral("5"));
    EXPECT_EQ(query_->FieldByName("AMOUNT")->AsInteger(), 5);
}

TEST_F(BoundEditTest, EscAfterTypingRestoresTheFieldValue) {
    FocusOn(edit_);
    edit_->end(false);
    QTest::keyClicks(edit_, QStringLiteral("xyz"));
    QTest::keyClick(edit_, Qt::Key_Escape);
    EXPECT_EQ(edit_->text(), QStringLiteral("first"));
    EXPECT_EQ(edit_->selectedText(), QStringLiteral("first"));
    FocusOn(other_);
    EXPECT_EQ(query_->FieldByName("NAME")->AsString(), QStringLiteral("first"));
}

TEST_F(BoundEditTest, MaxLengthFollowsTheStringFieldUnlessSetByHand) {
    EXPECT_EQ(edit_->MaxLength(), 20);
    edit_->SetDataField(QStringLiteral("CODE"));
    EXPECT_EQ(edit_->MaxLength(), 10);
    edit_->SetMaxLength(15);
    edit_->SetDataField(QStringLiteral("NAME"));
    EXPECT_EQ(edit_->MaxLength(), 15);
    edit_->SetDataField(QStringLiteral("AMOUNT"));
    EXPECT_EQ(edit_->MaxLength(), 15);
}

TEST_F(BoundEditTest, AnIntegerFieldRefusesLetters) {
    edit_->SetDataField(QStringLiteral("AMOUNT"));
    FocusOn(edit_);
    edit_->end(false);
    QTest::keyClicks(edit_, QStringLiteral("a1"));
    EXPECT_EQ(edit_->text(), QStringLiteral("51"));
}

TEST_F(BoundEditTest, AnEmptyRequiredFieldIsUnderlinedWhileInserting) {
    db::TField* name = query_->FieldByName("NAME");
    name->SetRequired(true);
    edit_->SetHighlightRequired(true);
    EXPECT_FALSE(edit_->RequiredStateDrawn());
    query_->Append();
    EXPECT_TRUE(edit_->RequiredStateDrawn());
    const QImage image = edit_->grab().toImage();
    const int y = edit_->ClientRect().Bottom - 1;
    int red = 0;
    for (int x = edit_->TextAreaRect().Left; x < edit_->TextAreaRect().Right; ++x)
        red += QColor(image.pixel(x, y)) == QColor(Qt::red) ? 1 : 0;
    EXPECT_GT(red, 10);

    bool asked = false;
    edit_->OnCheckDrawRequiredState = [&asked](QObject*, bool& draw) {
        asked = draw;
        draw = false;
    };
    EXPECT_FALSE(edit_->RequiredStateDrawn());
    EXPECT_TRUE(asked);
    edit_->OnCheckDrawRequiredState = nullptr;
    name->SetAsString(QStringLiteral("x"));
    EXPECT_FALSE(edit_->RequiredStateDrawn());
    query_->Cancel();
}

} // namespace
} // namespace kx
