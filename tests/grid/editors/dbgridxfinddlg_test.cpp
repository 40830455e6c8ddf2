#include "grid/editors/dbgridxfinddlg.h"

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/editors/dbcheckboxx.h"
#include "grid/editors/dbcomboboxx.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(GridFindChoices, MapToTheGridsSearchArguments) {
    struct Case {
        const char* name;
        TGridFindChoices choices;
        TGridFindArgs expected;
    };
    auto choices = [](auto change) {
        TGridFindChoices c;
        change(c);
        return c;
    };
    const Case cases[] = {
        {"defaults", {}, {ltoCaseInsensitive | ltoDisplayText, ltdAll, ltmAnyPart, 0}},
        {"match case, all columns, no format",
         choices([](auto& c) {
             c.MatchCase = true;
             c.AllColumns = true;
             c.UseFormat = false;
         }),
         {ltoAllColumns, ltdAll, ltmAnyPart, 0}},
        {"up", choices([](auto& c) { c.DirectionIndex = 0; }), {5, ltdUp, ltmAnyPart, 0}},
        {"down", choices([](auto& c) { c.DirectionIndex = 1; }), {5, ltdDown, ltmAnyPart, 0}},
        {"no direction chosen",
         choices([](auto& c) { c.DirectionIndex = -1; }),
         {5, ltdAll, ltmAnyPart, 0}},
        {"all, later search",
         choices([](auto& c) { c.FirstSearch = false; }),
         {5, ltdDown, ltmAnyPart, 0}},
        {"up, later search",
         choices([](auto& c) {
             c.DirectionIndex = 0;
             c.FirstSearch = false;
         }),
         {5, ltdUp, ltmAnyPart, 0}},
        {"ctrl turns up to down",
         choices([](auto& c) {
             c.DirectionIndex = 0;
             c.Reverse = true;
         }),
         {5, ltdDown, ltmAnyPart, 0}},
        {"ctrl turns down to up",
         choices([](auto& c) {
             c.DirectionIndex = 1;
             c.Reverse = true;
         }),
         {5, ltdUp, ltmAnyPart, 0}},
        {"ctrl turns all to up",
         choices([](auto& c) { c.Reverse = true; }),
         {5, ltdUp, ltmAnyPart, 0}},
        {"whole field", choices([](auto& c) { c.MatchIndex = 1; }), {5, ltdAll, ltmWhole, 0}},
        {"from the beginning, tree range",
         choices([](auto& c) {
             c.MatchIndex = 2;
             c.TreeRangeIndex = 3;
         }),
         {5, ltdAll, ltmFromBeginning, 3}},
        {"no match or range chosen",
         choices([](auto& c) {
             c.MatchIndex = -1;
             c.TreeRangeIndex = -1;
         }),
         {5, ltdAll, ltmAnyPart, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapGridFindChoices(c.choices), c.expected) << c.name;
}

struct TLocateCall {
    QString FieldName;
    QString Text;
    int Options;
    TLocateTextDirection Direction;
    TLocateTextMatching Matching;
};

// A grid that records what it is asked to find and searches as usual.
class RecordingGrid : public TCustomDBGridX {
public:
    bool LocateText(const QString& fieldName, const QString& text, int options,
                    TLocateTextDirection direction, TLocateTextMatching matching,
                    int range) override {
        Calls.push_back({fieldName, text, options, direction, matching});
        return TCustomDBGridX::LocateText(fieldName, text, options, direction, matching, range);
    }
    std::vector<TLocateCall> Calls;
};

class FindDialogTest : public db::test::DbTest {
protected:
    FindDialogTest() {
        StartGridUnit();
        Exec({"CREATE TABLE FIND_TEST (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), NOTE "
              "VARCHAR(20))"});
        for (int id = 1; id <= 6; ++id)
            Exec({QStringLiteral("INSERT INTO FIND_TEST VALUES (%1, 'N%2', 'x')")
                      .arg(id)
                      .arg(id % 3)});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SQL().SetText(QStringLiteral("SELECT * FROM FIND_TEST ORDER BY ID"));
        source_.SetDataSet(&query_);
        grid_.resize(400, 200);
        grid_.SetDataSource(&source_);
        query_.Open();
        grid_.show();
        dialog_.CtrlHeld = [this] { return ctrl_; };
    }
    ~FindDialogTest() override {
        dialog_.close();
        EndGridUnit();
    }

    TColumnX* Column(const QString& fieldName) const {
        for (int i = 0; i < grid_.Columns()->Count(); ++i)
            if (grid_.Columns()->GetColumn(i)->FieldName() == fieldName)
                return grid_.Columns()->GetColumn(i);
        return nullptr;
    }

    void SetText(const QString& text) {
        dialog_.cbText->selectAll();
        QTest::keyClicks(dialog_.cbText, text);
    }

    db::TQuery query_;
    db::TDataSource source_;
    RecordingGrid grid_;
    TDBGridXFindDlg dialog_;
    bool ctrl_ = false;
};

TEST_F(FindDialogTest, ColumnsAreOfferedByTitleAndTheCurrentOneIsChosen) {
    Column(QStringLiteral("NOTE"))->Title()->SetCaption(QStringLiteral("NAME"));
    grid_.SetCol(grid_.DataToRawColumn(Column(QStringLiteral("NOTE"))->Index()));
    dialog_.ShowForGrid(&grid_, QStringLiteral("N2"), false);
    EXPECT_EQ(dialog_.cbFindIn->Items(), (QStringList{"ID", "NAME", "NAME", "<All>"}));
    EXPECT_EQ(dialog_.cbFindIn->ItemIndex(), 1) << "the first of two equal titles";
    EXPECT_EQ(dialog_.cbText->text(), QStringLiteral("N2"));
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_FALSE(dialog_.Label4->isVisibleTo(&dialog_));
    EXPECT_FALSE(dialog_.dbcTreeFindRange->isVisibleTo(&dialog_));
    EXPECT_EQ(dialog_.height(), 124);
    EXPECT_EQ(dialog_.cbFindDirection->text(), QStringLiteral("All"));
    EXPECT_EQ(dialog_.cbMatchinType->text(), QStringLiteral("From any part of field"));
}

TEST_F(FindDialogTest, FindNextStartsAtTheTopThenGoesOnDownwards) {
    grid_.SetCol(grid_.DataToRawColumn(Column(QStringLiteral("NAME"))->Index()));
    dialog_.ShowForGrid(&grid_, QStringLiteral("N2"), false);
    query_.Last();
    dialog_.bFindClick();
    EXPECT_EQ(query_.FieldByName("ID")->AsInteger(), 2);
    dialog_.bFindClick();
    EXPECT_EQ(query_.FieldByName("ID")->AsInteger(), 5);
    ASSERT_EQ(grid_.Calls.size(), 2u);
    EXPECT_EQ(grid_.Calls[0].Direction, ltdAll);
    EXPECT_EQ(grid_.Calls[1].Direction, ltdDown);
    EXPECT_EQ(grid_.Calls[0].FieldName, QStringLiteral("NAME"));
    EXPECT_EQ(grid_.Calls[0].Options, ltoCaseInsensitive | ltoDisplayText);
    EXPECT_EQ(dialog_.cbText->Items(), QStringList{"N2"});

    // A changed text starts at the top again; Ctrl turns the search upwards.
    SetText(QStringLiteral("N1"));
    EXPECT_TRUE(dialog_.FirstSearch());
    dialog_.bFindClick();
    EXPECT_EQ(grid_.Calls.back().Direction, ltdAll);
    EXPECT_EQ(query_.FieldByName("ID")->AsInteger(), 1);
    ctrl_ = true;
    dialog_.bFindClick();
    EXPECT_EQ(grid_.Calls.back().Direction, ltdUp);
    EXPECT_EQ(dialog_.cbText->Items(), (QStringList{"N2", "N1"}));
}

TEST_F(FindDialogTest, AllColumnsSearchesWithoutAFieldAndAMissDoesNotRestart) {
    dialog_.ShowForGrid(&grid_, QStringLiteral("zz"), false);
    dialog_.cbFindIn->SelectItem(dialog_.cbFindIn->ItemCount() - 1);
    dialog_.cbCharCase->SetChecked(true);
    dialog_.cbUseFormat->SetChecked(false);
    dialog_.bFindClick();
    ASSERT_EQ(grid_.Calls.size(), 1u);
    EXPECT_EQ(grid_.Calls[0].FieldName, QString());
    EXPECT_EQ(grid_.Calls[0].Options, ltoAllColumns);
    EXPECT_TRUE(dialog_.FirstSearch()) << "nothing found: the next search starts at the top";

    dialog_.cbFindDirection->SelectItem(0);
    EXPECT_TRUE(dialog_.FirstSearch());
    dialog_.bFindClick();
    EXPECT_EQ(grid_.Calls.back().Direction, ltdUp);
}

TEST_F(FindDialogTest, EnterFindsEscClosesAListFirstThenTheWindow) {
    dialog_.ShowForGrid(&grid_, QStringLiteral("N2"), false);
    QApplication::setActiveWindow(&dialog_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    dialog_.cbText->setFocus();
    QTest::keyClick(dialog_.cbText, Qt::Key_Return);
    EXPECT_EQ(grid_.Calls.size(), 1u);
    EXPECT_FALSE(dialog_.cbText->isModified());

    dialog_.cbFindDirection->setFocus();
    QTest::keyClick(dialog_.cbFindDirection, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(dialog_.cbFindDirection->ListVisible());
    QTest::keyClick(dialog_.cbFindDirection, Qt::Key_Escape);
    EXPECT_FALSE(dialog_.cbFindDirection->ListVisible());
    EXPECT_TRUE(dialog_.isVisible());
    QTest::keyClick(dialog_.cbFindDirection, Qt::Key_Escape);
    EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(FindDialogTest, TheGridsFindCommandOpensOneDialogForEveryGrid) {
    RegisterGridFindDialog();
    grid_.SetCol(grid_.DataToRawColumn(Column(QStringLiteral("NAME"))->Index()));
    GridDataService()->OpenFindDialog(&grid_, QStringLiteral("N1"), QString(), false);
    GridDataService()->OpenFindDialog(&grid_, QStringLiteral("N2"), QString(), false);
    GridFindDialogProc = nullptr;
    QList<TDBGridXFindDlg*> shown;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<TDBGridXFindDlg*>(window); dialog && dialog != &dialog_)
            shown << dialog;
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0]->isVisible());
    EXPECT_EQ(shown[0]->cbText->text(), QStringLiteral("N2"));
    EXPECT_TRUE(shown[0]->windowFlags() & Qt::WindowStaysOnTopHint);
    shown[0]->bFindClick();
    EXPECT_EQ(query_.FieldByName("ID")->AsInteger(), 2);
    shown[0]->close();
}

// Ctrl+F on the grid itself: the find dialog, or first the incremental
// search when the grid has one and then the dialog.
TEST_F(FindDialogTest, CtrlFOnTheGridOpensTheFindDialog) {
    RegisterGridFindDialog();
    const auto unregister = qScopeGuard([] { GridFindDialogProc = nullptr; });
    const auto shownDialog = [this]() -> TDBGridXFindDlg* {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TDBGridXFindDlg*>(window);
                dialog && dialog != &dialog_ && dialog->isVisible())
                return dialog;
        return nullptr;
    };
    grid_.SetCol(grid_.DataToRawColumn(Column(QStringLiteral("NAME"))->Index()));
    for (const bool incSearch : {false, true}) {
        SCOPED_TRACE(incSearch);
        grid_.SetOptionsX(incSearch ? grid_.OptionsX() | dghIncSearch
                                    : grid_.OptionsX() & ~dghIncSearch);
        grid_.setFocus();
        if (incSearch) {
            QTest::keyClick(&grid_, Qt::Key_F, Qt::ControlModifier);
            EXPECT_TRUE(grid_.IncSearchActive());
            EXPECT_EQ(shownDialog(), nullptr);
        }
        QTest::keyClick(&grid_, Qt::Key_F, Qt::ControlModifier);
        TDBGridXFindDlg* dialog = shownDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(grid_.IncSearchActive());
        EXPECT_EQ(dialog->cbText->text(), QString());
        dialog->close();
    }
}

TEST_F(FindDialogTest, EscClosesTheModalDialogThroughItsCancelButton) {
    bool cancelled = false;
    QObject::connect(dialog_.bCancel, &QPushButton::clicked, [&] { cancelled = true; });
    QTimer::singleShot(0, [this] { QTest::keyClick(dialog_.cbText, Qt::Key_Escape); });
    dialog_.ShowForGrid(&grid_, QStringLiteral("N2"), true);
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_FALSE(dialog_.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(FindDialogTest, CaptionsFitOnScreen) {
    dialog_.ShowForGrid(&grid_, QStringLiteral("N2"), false);
    for (QLabel* label : dialog_.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&dialog_)) {
            EXPECT_LE(label->geometry().right(), 88) << label->text().toStdString();
        }
    }
    for (TDBComboBoxX* combo : {dialog_.cbFindIn, dialog_.cbMatchinType, dialog_.cbFindDirection})
        EXPECT_FALSE(combo->TextDoesNotFit()) << combo->text().toStdString();
    for (QPushButton* button : {dialog_.bFind, dialog_.bCancel})
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove(u'&')),
                  button->width() - 8);
    const QString dir = qEnvironmentVariable("KX_SCREENSHOT_DIR");
    // Set KX_SCREENSHOT_DIR to look at the picture.
    if (dir.isEmpty())
        return;
    EXPECT_TRUE(dialog_.grab().save(QDir(dir).filePath(QStringLiteral("finddialog.png"))));
}

} // namespace
} // namespace kx
