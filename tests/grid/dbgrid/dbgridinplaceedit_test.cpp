// The data-aware grid's cell editor: the style each column gets, its lists,
// typing completion, the recently used texts, and values that reach the
// table through the data set.

#include "grid/base/wrappedtext.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgrideditstyle.h"
#include "grid/dbgrid/dbgridinplaceedit.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/popupdatagridx.h"
#include "grid/editors/editbuttoncontrolx.h"
#include "grid/editors/mrulistboxx.h"
#include "grid/editors/mrulistx.h"
#include "grid/editors/popupcalculatorx.h"
#include "grid/editors/popuplistboxx.h"
#include "grid/editors/popupmonthcalendarx.h"
#include "grid/editors/sizegripx.h"
#include "platform/db/datasource.h"
#include "platform/db/fieldtypes.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

// ---- The style table -------------------------------------------------------

struct StyleCase {
    const char* name;
    TEditStyleFacts facts;
    TDBGridEditStyle expected;
};

TEditStyleFacts Facts(int buttonStyle) {
    TEditStyleFacts facts;
    facts.ButtonStyle = buttonStyle;
    facts.HasField = true;
    facts.LinkActive = true;
    return facts;
}

TEST(DBGridEditStyle, ButtonStyleAndFieldChooseTheStyle) {
    auto date = Facts(cbsAuto);
    date.DateField = true;
    auto readOnlyDate = date;
    readOnlyDate.ColumnReadOnly = true;
    auto pickOnDate = date;
    pickOnDate.HasPickList = true;
    auto lookup = Facts(cbsAuto);
    lookup.LookupField = true;
    lookup.LookupKeysModifiable = true;
    auto fixedKeys = lookup;
    fixedKeys.LookupKeysModifiable = false;
    auto readOnlyGrid = lookup;
    readOnlyGrid.GridReadOnly = true;
    auto noField = Facts(cbsAuto);
    noField.HasField = false;
    noField.HasPickList = true;
    const StyleCase cases[] = {
        {"ellipsis", Facts(cbsEllipsis), gesEllipsis},
        {"up-down", Facts(cbsUpDown), gesUpDown},
        {"drop-down", Facts(cbsDropDown), gesDropDown},
        {"none", Facts(cbsNone), gesPlain},
        {"plain field", Facts(cbsAuto), gesPlain},
        {"date", date, gesDate},
        {"read-only date", readOnlyDate, gesPlain},
        {"pick list wins over the date", pickOnDate, gesPickList},
        {"lookup", lookup, gesLookup},
        {"lookup with fixed keys", fixedKeys, gesPlain},
        {"lookup in a read-only grid", readOnlyGrid, gesPlain},
        {"no field", noField, gesPlain},
    };
    for (const StyleCase& c : cases)
        EXPECT_EQ(ChooseEditStyle(c.facts), c.expected) << c.name;
}

TEST(DBGridEditStyle, ShortListsDropOnlyAsHighAsTheirEntries) {
    EXPECT_EQ(DropDownListRows(3, 7), 3);
    EXPECT_EQ(DropDownListRows(10, 7), 7);
    EXPECT_EQ(DropDownListRows(7, 7), 7);
}

TEST(DBGridEditStyle, CompletionTakesTheFirstEntryThatBeginsWithTheTypedText) {
    const QStringList list{"Apple", "Banana", "Blueberry"};
    struct {
        const char* typed;
        bool found;
        const char* text;
        int selStart;
        int selLength;
    } const cases[] = {
        {"b", true, "Banana", 1, 5},
        {"BL", true, "Blueberry", 2, 7},
        {"apple", true, "Apple", 5, 0},
        {"x", false, "", 0, 0},
    };
    for (const auto& c : cases) {
        const TCompletion completion = CompleteFromList(list, QString::fromUtf8(c.typed));
        EXPECT_EQ(completion.Found, c.found) << c.typed;
        EXPECT_EQ(completion.Text, QString::fromUtf8(c.text)) << c.typed;
        EXPECT_EQ(completion.SelStart, c.selStart) << c.typed;
        EXPECT_EQ(completion.SelLength, c.selLength) << c.typed;
    }
}

// ---- Editing in place ------------------------------------------------------

// Columns: 0 NOTE ellipsis, 1 COLOUR pick list, 2 KIND key list, 3 DAY date,
// 4 QTY up-down, 5 PRICE calculator, 6 FRUIT lookup over CODE.
class InplaceEditTest : public db::test::DbTest {
protected:
    InplaceEditTest() {
        StartGridUnit();
        Exec({"CREATE TABLE FRUIT_LIST (CODE VARCHAR(10) PRIMARY KEY, NAME VARCHAR(20))",
              "INSERT INTO FRUIT_LIST VALUES ('01', 'Apple')",
              "INSERT INTO FRUIT_LIST VALUES ('02', 'Banana')",
              "INSERT INTO FRUIT_LIST VALUES ('03', 'Blueberry')",
              "CREATE TABLE EDIT_TEST (ID INTEGER PRIMARY KEY, NOTE VARCHAR(20), "
              "COLOUR VARCHAR(10), KIND INTEGER, DAY DATE, QTY INTEGER, PRICE REAL, "
              "CODE VARCHAR(10))",
              "INSERT INTO EDIT_TEST VALUES (1, 'first', 'Red', 1, '2026-01-05', 4, 2.5, '01')",
              "INSERT INTO EDIT_TEST VALUES (2, 'second', 'Blue', 2, '2026-02-10', 7, 1, '02')"});
        list_ = NewQuery("SELECT * FROM FRUIT_LIST ORDER BY CODE");
        list_->Open();
        data_ = NewQuery("SELECT * FROM EDIT_TEST ORDER BY ID");
        Add(new db::TIntegerField(&owner_), "ID");
        Add(new db::TStringField(&owner_), "NOTE");
        Add(new db::TStringField(&owner_), "COLOUR");
        Add(new db::TIntegerField(&owner_), "KIND");
        Add(new db::TDateField(&owner_), "DAY");
        Add(new db::TIntegerField(&owner_), "QTY");
        Add(new db::TFloatField(&owner_), "PRICE");
        Add(new db::TStringField(&owner_), "CODE");
        db::TField* fruit = Add(new db::TStringField(&owner_), "FRUIT", db::fkLookup);
        fruit->SetLookupDataSet(list_);
        fruit->SetKeyFields("CODE");
        fruit->SetLookupKeyFields("CODE");
        fruit->SetLookupResultField("NAME");
        data_->Open();
        source_.SetDataSet(data_);
        grid_.resize(900, 200);
        grid_.SetDataSource(&source_);
        // ID and CODE stay out of the way: the grid shows the edited columns.
        grid_.Columns()->GetColumn(0)->SetVisible(false);
        grid_.Columns()->GetColumn(7)->SetVisible(false);
        Col("NOTE")->SetButtonStyle(cbsEllipsis);
        Col("COLOUR")->SetPickList({"Red", "Green", "Blue"});
        Col("KIND")->SetKeyList({"1", "2", "3"});
        Col("KIND")->SetPickList({"Fruit", "Vegetable", "Grain"});
        Col("QTY")->SetButtonStyle(cbsUpDown);
        Col("PRICE")->SetButtonStyle(cbsDropDown);
        grid_.show();
        grid_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid_));
        grid_.setFocus();
    }
    ~InplaceEditTest() override { EndGridUnit(); }

    db::TField* Add(db::TField* field, const char* name, db::TFieldKind kind = db::fkData) {
        field->SetFieldName(name);
        field->SetFieldKind(kind);
        field->SetDataSet(data_);
        return field;
    }

    TColumnX* Col(const char* name) const {
        for (int i = 0; i < grid_.Columns()->Count(); ++i) {
            if (grid_.Columns()->GetColumn(i)->FieldName() == QLatin1String(name))
                return grid_.Columns()->GetColumn(i);
        }
        return nullptr;
    }

    // Puts the editor on the column's cell of the current record.
    TDBGridInplaceEdit* EditCell(const char* name) {
        grid_.SetCol(grid_.DataToRawColumn(Col(name)->Index()));
        grid_.SetEditorMode(true);
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid_.InplaceEditor());
        EXPECT_TRUE(editor && editor->isVisible()) << name;
        if (editor)
            editor->setFocus();
        return editor;
    }

    void Type(QWidget* widget, const QString& text) { QTest::keyClicks(widget, text); }
    void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(widget, key, modifiers);
    }

    // Leaves the cell and posts the record; the value as the table holds it.
    QString Stored(const char* column) {
        grid_.SetEditorMode(false);
        data_->Post();
        db::TQuery* check =
            NewQuery(QStringLiteral("SELECT %1 || '' AS V FROM EDIT_TEST WHERE ID = %2")
                         .arg(QLatin1String(column))
                         .arg(data_->FieldByName("ID")->AsInteger()));
        check->Open();
        return check->Fields().Fields(0)->AsString();
    }

    db::TQuery* list_ = nullptr;
    db::TQuery* data_ = nullptr;
    db::TDataSource source_;
    TCustomDBGridX grid_;
};

TEST_F(InplaceEditTest, EachColumnGetsItsButtonAndList) {
    const struct {
        const char* column;
        TDBGridEditStyle style;
    } cases[] = {{"NOTE", gesEllipsis}, {"COLOUR", gesPickList}, {"KIND", gesPickList},
                 {"DAY", gesDate},      {"QTY", gesUpDown},      {"PRICE", gesDropDown},
                 {"FRUIT", gesLookup}};
    for (const auto& c : cases) {
        TDBGridInplaceEdit* editor = EditCell(c.column);
        ASSERT_TRUE(editor);
        EXPECT_EQ(editor->EditStyle(), c.style) << c.column;
        EXPECT_TRUE(editor->ButtonAt(0)->isVisible()) << c.column;
        EXPECT_GT(editor->ButtonsWidth(), 0) << c.column;
        EXPECT_LE(editor->TextRect().Right, editor->width() - editor->ButtonsWidth()) << c.column;
    }
    EXPECT_NE(EditCell("PRICE")->ActiveList(), nullptr) << "a float field gets the calculator";
}

TEST_F(InplaceEditTest, PickListOpensByTheButtonAndEnterWritesTheChosenEntry) {
    TDBGridInplaceEdit* editor = EditCell("COLOUR");
    ASSERT_TRUE(editor);
    TEditButtonControlX* button = editor->ButtonAt(0);
    QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
    ASSERT_TRUE(editor->ListVisible()) << "releasing over the button keeps the list open";
    EXPECT_EQ(editor->PickListBox()->count(), 3);
    EXPECT_EQ(editor->PickListBox()->currentRow(), 0) << "the current value is selected";
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_FALSE(editor->ListVisible()) << "the next click closes it";
    EXPECT_EQ(editor->Text(), "Red");

    Key(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    Key(editor, Qt::Key_Down);
    Key(editor, Qt::Key_Down);
    EXPECT_EQ(editor->Text(), "Blue") << "the editor shows the selected entry";
    Key(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Stored("COLOUR"), "Blue");
}

TEST_F(InplaceEditTest, EscapeClosesTheListAndKeepsThePendingText) {
    TDBGridInplaceEdit* editor = EditCell("COLOUR");
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    Key(editor, Qt::Key_Down);
    EXPECT_EQ(editor->Text(), "Green");
    Key(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "Red");

    // "!" and "(" share their codes with Page Up and Down; typed, they are
    // text, not list keys.
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClicks(editor, QStringLiteral("!("));
    EXPECT_EQ(editor->PickListBox()->currentRow(), 0);
    EXPECT_EQ(editor->Text(), "Red!(");
}

TEST_F(InplaceEditTest, KeyListCellsShowTheirPickTextAndStoreTheKey) {
    TDBGridInplaceEdit* editor = EditCell("KIND");
    EXPECT_EQ(editor->Text(), "Fruit");
    editor->selectAll();
    Type(editor, "g");
    EXPECT_EQ(editor->Text(), "Grain");
    EXPECT_EQ(editor->selectedText(), "rain") << "the completed part is selected";
    EXPECT_EQ(Stored("KIND"), "3");
}

TEST_F(InplaceEditTest, TypingInListCellsCompletesOrIsRefused) {
    struct {
        const char* column;
        const char* typed;
        const char* shown;
    } const cases[] = {
        {"COLOUR", "b", "Blue"},    // a pick list completes
        {"COLOUR", "x", "x"},       // and leaves other text to normal editing
        {"KIND", "v", "Vegetable"}, // a key list completes
        {"KIND", "x", "Fruit"},     // and refuses text that names no entry
    };
    for (const auto& c : cases) {
        TDBGridInplaceEdit* editor = EditCell(c.column);
        editor->selectAll();
        Type(editor, c.typed);
        EXPECT_EQ(editor->Text(), QString::fromUtf8(c.shown)) << c.column << " " << c.typed;
        grid_.SetEditorMode(false);
        data_->Cancel();
    }
}

TEST_F(InplaceEditTest, PasteIntoAKeyListMatchesTheEntriesOrChangesNothing) {
    TDBGridInplaceEdit* editor = EditCell("KIND");
    editor->selectAll();
    QApplication::clipboard()->setText("Nothing like it");
    Key(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->Text(), "Fruit");
    QApplication::clipboard()->setText("veg");
    editor->selectAll();
    Key(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->Text(), "Vegetable");
    EXPECT_EQ(Stored("KIND"), "2");
}

TEST_F(InplaceEditTest, DeleteOnAWholeKeyListTextEmptiesTheCell) {
    TDBGridInplaceEdit* editor = EditCell("KIND");
    editor->selectAll();
    Key(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->Text(), "");
    EXPECT_EQ(Stored("KIND"), "");
}

TEST_F(InplaceEditTest, LookupCellsCompleteFromTheListAndStoreTheKey) {
    TDBGridInplaceEdit* editor = EditCell("FRUIT");
    EXPECT_EQ(editor->Text(), "Apple");
    editor->selectAll();
    Type(editor, "bl");
    EXPECT_EQ(editor->Text(), "Blueberry");
    EXPECT_EQ(editor->selectedText(), "ueberry");
    Type(editor, "z");
    EXPECT_EQ(editor->Text(), "Blueberry") << "a text no row begins with is refused";
    EXPECT_EQ(Stored("CODE"), "03");
}

TEST_F(InplaceEditTest, LookupListPicksARowWithTheKeys) {
    TDBGridInplaceEdit* editor = EditCell("FRUIT");
    Key(editor, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_EQ(editor->LookupGrid()->ListRowCount(), 3) << "three rows drop three rows high";
    Key(editor, Qt::Key_Down);
    EXPECT_EQ(editor->Text(), "Banana");
    Key(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Stored("CODE"), "02");
}

TEST_F(InplaceEditTest, CalendarWritesThePickedDay) {
    TDBGridInplaceEdit* editor = EditCell("DAY");
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_EQ(editor->Calendar()->selectedDate(), QDate(2026, 1, 5));
    Key(editor, Qt::Key_Right);
    Key(editor, Qt::Key_Down);
    Key(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Stored("DAY"), "2026-01-13");
}

TEST_F(InplaceEditTest, CalculatorResultBecomesTheCellValue) {
    TDBGridInplaceEdit* editor = EditCell("PRICE");
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    Type(editor, "*4=");
    EXPECT_TRUE(editor->ListVisible()) << "= with a pending computation only computes";
    Key(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "10");
    EXPECT_EQ(Stored("PRICE"), "10.0");
}

TEST_F(InplaceEditTest, UpDownButtonStepsTheValue) {
    TDBGridInplaceEdit* editor = EditCell("QTY");
    TEditButtonControlX* button = editor->ButtonAt(0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, 2));
    EXPECT_EQ(editor->Text(), "5");
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() / 2, button->height() - 2));
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() / 2, button->height() - 2));
    EXPECT_EQ(editor->Text(), "3");
    EXPECT_EQ(Stored("QTY"), "3");
}

TEST_F(InplaceEditTest, DoubleClickStepsToTheNextValueAndShiftBack) {
    Col("COLOUR")->SetDblClickNextVal(true);
    TDBGridInplaceEdit* editor = EditCell("COLOUR");
    QTest::mouseDClick(editor, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(editor->Text(), "Green");
    QTest::mouseDClick(editor, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QTest::mouseDClick(editor, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    EXPECT_EQ(editor->Text(), "Blue") << "Shift steps backwards and wraps";
}

TEST_F(InplaceEditTest, CtrlEnterInAnEllipsisCellClicksTheButton) {
    int clicks = 0;
    grid_.OnEditButtonClick = [&](QObject*) { ++clicks; };
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    Key(editor, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(editor->Text(), "first") << "no line feed is typed";
    QTest::mouseClick(editor->ButtonAt(0), Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
}

// Over several lines too: the key is the button's, the text stays as it was.
TEST_F(InplaceEditTest, CtrlEnterInAWrappedEllipsisCellTypesNoLineFeed) {
    int clicks = 0;
    grid_.OnEditButtonClick = [&](QObject*) { ++clicks; };
    grid_.SetRowLines(3);
    Col("NOTE")->SetWordWrap(true);
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    ASSERT_TRUE(editor->WordWrap());
    Key(editor, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(editor->Text(), "first");
    Type(editor, "X");
    EXPECT_TRUE(editor->Text().endsWith("X")) << "the next key is typed as usual";
}

TEST_F(InplaceEditTest, RecentTextsDropDownWhileTyping) {
    TMRUListX* mru = Col("NOTE")->MRUList();
    mru->SetActive(true);
    mru->SetItems({"alpha", "beta", "almond"});
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    editor->selectAll();
    Type(editor, "al");
    ASSERT_TRUE(editor->MRUListShown());
    EXPECT_EQ(editor->MRUListBox()->count(), 2);
    Type(editor, "x");
    EXPECT_FALSE(editor->MRUListShown()) << "no entry matches";
    Key(editor, Qt::Key_Backspace);
    Key(editor, Qt::Key_Backspace);
    Key(editor, Qt::Key_Backspace);
    EXPECT_FALSE(editor->MRUListShown()) << "the emptied text closes the list";
    Key(editor, Qt::Key_Backspace);
    ASSERT_TRUE(editor->MRUListShown()) << "Backspace on the empty text offers every entry";
    EXPECT_EQ(editor->MRUListBox()->count(), 3);
    Key(editor, Qt::Key_Down);
    Key(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->MRUListShown());
    EXPECT_EQ(editor->Text(), "almond") << "the list is sorted";
    data_->Post();
    EXPECT_EQ(Column("SELECT NOTE FROM EDIT_TEST WHERE ID = 1"), QStringList{"almond"});
    EXPECT_EQ(mru->Items().last(), "almond") << "a text written from the editor is the newest";
}

// ---- Wrapped text, read-only cells, images, drags and list sizes ----------

TEST_F(InplaceEditTest, WrappedCellIsEditedOverTwoLines) {
    grid_.SetRowLines(3);
    Col("NOTE")->SetButtonStyle(cbsNone);
    Col("NOTE")->SetWordWrap(true);
    Col("NOTE")->SetWidth(70);
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    ASSERT_TRUE(editor->WordWrap());
    editor->selectAll();
    Type(editor, "alpha beta gamma");
    const QRect area = editor->TextRect().ToQRect();
    ASSERT_GE(TWrappedText(editor->Text(), editor->font(), area.width()).LineCount(), 2)
        << "the cell is too narrow for one line";
    Key(editor, Qt::Key_Up);
    const int position = editor->cursorPosition();
    EXPECT_LT(position, 10) << "Up moved the caret to the line above";
    EXPECT_EQ(data_->FieldByName("ID")->AsInteger(), 1) << "the grid kept its row";
    Type(editor, "X");
    Key(editor, Qt::Key_Return, Qt::ControlModifier);
    QString expected = QStringLiteral("alpha beta gamma");
    expected.insert(position, QStringLiteral("X\n"));
    EXPECT_EQ(editor->Text(), expected) << "Ctrl+Enter breaks the line";
    EXPECT_EQ(Stored("NOTE"), expected);
}

TEST_F(InplaceEditTest, WrappedCellHandsUpAndDownToTheGridOnlyAtItsEdges) {
    grid_.SetRowLines(3);
    grid_.SetOptions(grid_.Options() | dgAlwaysShowEditor);
    Col("NOTE")->SetButtonStyle(cbsNone);
    Col("NOTE")->SetWordWrap(true);
    Col("NOTE")->SetWidth(70);
    data_->Last();
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    ASSERT_TRUE(editor->WordWrap());
    editor->selectAll();
    Type(editor, "alpha beta gamma");
    Key(editor, Qt::Key_Up);
    EXPECT_EQ(data_->FieldByName("ID")->AsInteger(), 2) << "off the last line Up stays";
    editor->setCursorPosition(0);
    Key(editor, Qt::Key_Up);
    EXPECT_EQ(data_->FieldByName("ID")->AsInteger(), 1) << "on the first line Up leaves";
}

TEST_F(InplaceEditTest, CellParametersCanMakeTheCellReadOnly) {
    Col("NOTE")->OnGetCellParams = [](TColumnX*, bool editMode, TColCellParamsX& params) {
        if (editMode)
            params.CellReadOnly = true;
    };
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->ReadOnlyOverridden());
    EXPECT_TRUE(editor->isReadOnly());
    editor->selectAll();
    Type(editor, "zz");
    Key(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->Text(), "first");
    EXPECT_EQ(data_->State(), db::dsBrowse) << "nothing went into edit";

    TDBGridInplaceEdit* other = EditCell("COLOUR");
    EXPECT_FALSE(other->ReadOnlyOverridden()) << "the note is kept per cell";
    EXPECT_FALSE(other->isReadOnly());
}

TEST_F(InplaceEditTest, ImageOfTheValueIsDrawnBesideTheText) {
    TGridPictureList pictures(12, 12);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (const QColor& colour : colours) {
        QImage picture(12, 12, QImage::Format_ARGB32);
        picture.fill(colour);
        pictures.Add(picture, ui::clFuchsia);
    }
    Col("KIND")->SetImageList(&pictures);
    Col("KIND")->SetShowImageAndText(true);
    TDBGridInplaceEdit* editor = EditCell("KIND");
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->TextRect().Left, 2 + 12 + 5) << "the image takes its strip";
    const auto pixel = [editor] {
        return editor->grab().toImage().pixelColor(2 + 6, editor->height() / 2);
    };
    EXPECT_EQ(editor->ImageIndex(), 0);
    EXPECT_EQ(pixel(), QColor(Qt::red));
    editor->selectAll();
    Type(editor, "g");
    EXPECT_EQ(editor->ImageIndex(), 2) << "the image follows the typed entry";
    EXPECT_EQ(pixel(), QColor(Qt::blue));
    Col("KIND")->SetImageList(nullptr);
}

TEST_F(InplaceEditTest, DragFromTheButtonIntoTheListPicksTheEntryUnderTheRelease) {
    struct {
        const char* column;
        const char* stored;
        const char* expected;
    } const cases[] = {{"COLOUR", "COLOUR", "Blue"}, {"FRUIT", "CODE", "03"}};
    for (const auto& c : cases) {
        TDBGridInplaceEdit* editor = EditCell(c.column);
        ASSERT_TRUE(editor);
        TEditButtonControlX* button = editor->ButtonAt(0);
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        ASSERT_TRUE(editor->ListVisible()) << c.column;
        QPoint target;
        if (TPopupListboxX* list = editor->PickListBox(); list && list->isVisible()) {
            target = list->viewport()->mapToGlobal(list->visualItemRect(list->item(2)).center());
        } else {
            TPopupDataGridX* grid = editor->LookupGrid();
            const ui::TRect cell = grid->CellRect(grid->IndicatorOffset(), grid->FixedRows() + 2);
            target = grid->viewport()->mapToGlobal(cell.ToQRect().center());
        }
        // The pressed button gets the moves; the release goes where the
        // desktop sends it, to the widget holding the mouse.
        QTest::mouseMove(button, button->mapFromGlobal(target));
        QWidget* holder = QWidget::mouseGrabber();
        ASSERT_TRUE(holder && editor->ActiveList()->isAncestorOf(holder)) << c.column;
        QTest::mouseRelease(holder, Qt::LeftButton, {}, holder->mapFromGlobal(target));
        EXPECT_FALSE(editor->ListVisible()) << c.column << ": the release closed the list";
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << c.column;
        EXPECT_EQ(Stored(c.stored), QString::fromUtf8(c.expected)) << c.column;
    }
}

TEST_F(InplaceEditTest, SizeGripShowsOnlyWithDropDownSizing) {
    for (const bool sizing : {false, true}) {
        for (const char* column : {"COLOUR", "FRUIT"}) {
            Col(column)->SetDropDownSizing(sizing);
            TDBGridInplaceEdit* editor = EditCell(column);
            Key(editor, Qt::Key_Down, Qt::AltModifier);
            ASSERT_TRUE(editor->ListVisible()) << column;
            TSizeGripX* grip = editor->PickListBox() && editor->PickListBox()->isVisible()
                                   ? editor->PickListBox()->SizeGrip()
                                   : editor->LookupGrid()->SizeGrip();
            EXPECT_EQ(grip->isVisible(), sizing) << column << " sizing " << sizing;
            Key(editor, Qt::Key_Escape);
        }
    }
}

TEST_F(InplaceEditTest, RecentTextsListKeepsTheWidthTheUserGaveIt) {
    TMRUListX* mru = Col("NOTE")->MRUList();
    mru->SetActive(true);
    mru->SetItems({"alpha", "almond"});
    TDBGridInplaceEdit* editor = EditCell("NOTE");
    editor->selectAll();
    Type(editor, "al");
    ASSERT_TRUE(editor->MRUListShown());
    TMRUListboxX* box = editor->MRUListBox();
    EXPECT_EQ(box->width(), editor->width()) << "first as wide as the cell";
    TSizeGripX* grip = box->SizeGrip();
    ASSERT_TRUE(grip->isVisible());
    const QPoint from = grip->rect().center();
    QTest::mousePress(grip, Qt::LeftButton, {}, from);
    QTest::mouseMove(grip, from + QPoint(80, 0));
    QTest::mouseRelease(grip, Qt::LeftButton, {}, from + QPoint(80, 0));
    const int sized = box->width();
    ASSERT_GT(sized, editor->width());
    EXPECT_EQ(mru->Width(), sized);
    Key(editor, Qt::Key_Escape);
    ASSERT_FALSE(editor->MRUListShown());
    Type(editor, "m");
    Key(editor, Qt::Key_Backspace);
    ASSERT_TRUE(editor->MRUListShown());
    EXPECT_EQ(box->width(), sized) << "the next opening keeps the width";
}

} // namespace
} // namespace kx::test
