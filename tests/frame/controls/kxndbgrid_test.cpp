// The list grid over the in/out records of a fresh data folder: its columns
// from the field rules and each user's layout in the layout table.

#include "frame/controls/kxndbgrid.h"

#include "core/sqlfunctions.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "tests/frame/kxqueryfixture.h"

#include <QTest>

#include <memory>

namespace kx {
namespace {

const QString kLayoutTable = QStringLiteral("SYS_MONEY_INTO_OUT_TABLE");
const QString kUser = QStringLiteral("A'01");

// The records list as its rules describe it: a count under the record
// number, sums under the amounts, fixed texts under a text and a number
// column, the date kept for totals only and the status hidden.
TFieldsDataArray Rules() {
    TFieldsDataArray rules;
    const auto rule = [&](const char* name, const char* label, const char* type,
                          const char* footer) {
        TFieldsData data;
        data.FieldName = name;
        data.DisplayLabel = label;
        data.TypeCode = type;
        data.FooterValue = footer;
        data.Visible = true;
        rules.Append(data);
    };
    rule("MONEY_ID", "资金借贷编号", "C", "@Count");
    rule("MONEY_DATE", "日期", "D", "");
    rule("MONEY_INTO_NUMBER", "借入金额", "N", "@Sum");
    rule("MONEY_OUT_NUMBER", "贷出金额", "N", "@Sum");
    rule("MONEY_TEXT_NOTE", "摘要", "C", "合计");
    rule("MONEY_NUMBER_FIELD1", "数量", "N", "件");
    rule("STATUS", "状态", "C", "");
    rules[0].FooterFormat = "0笔";
    rules[1].DisplayWidth = -1;
    rules[6].DisplayWidth = -2;
    return rules;
}

// One opening of the records list by a user; closing it saves the layout as
// the window does.
class ListWindow {
public:
    explicit ListWindow(const QString& user) {
        query_->SetDatabaseName(kDatabaseName);
        query_->SetTableName("KX_INTO_OUT_MONEY_TABLE");
        query_->SetFieldsData(rules_);
        source_->SetDataSet(query_);
        Grid->setObjectName("DBGrid1");
        Grid->FormName = "MoneyIntoOutForm";
        Grid->UserID = user;
        Grid->DataBaseName = kDatabaseName;
        Grid->SetLayoutTable(kLayoutTable);
        Grid->SetSaveColumnOrder(true);
        Grid->SetFieldsData(rules_);
        Grid->SetFooterRowCount(1);
        Grid->SumList()->SetActive(true);
        Grid->resize(900, 300);
        Grid->SetDataSource(source_);
        query_->SetDBNGride(Grid);
        query_->OpenQuery();
    }
    ~ListWindow() { SaveWindowGridLayouts(&window_); }

    TColumnX* Column(const QString& fieldName) const {
        for (int i = 0; i < Grid->Columns()->Count(); ++i) {
            if (Grid->Columns()->GetColumn(i)->FieldName() == fieldName)
                return Grid->Columns()->GetColumn(i);
        }
        ADD_FAILURE() << "no column " << fieldName.toStdString();
        return Grid->Columns()->GetColumn(0);
    }
    // The user drags a column's right border to a width in pixels.
    void Size(const QString& fieldName, int width) {
        Grid->SetColWidths(Grid->DataToRawColumn(Column(fieldName)->Index()), width);
    }
    // The user drags a column's title to a position.
    void Move(const QString& fieldName, int index) {
        Grid->MoveColumn(Grid->DataToRawColumn(Column(fieldName)->Index()),
                         Grid->DataToRawColumn(index));
    }
    bool HasColumn(const QString& fieldName) const {
        for (int i = 0; i < Grid->Columns()->Count(); ++i) {
            if (Grid->Columns()->GetColumn(i)->FieldName() == fieldName)
                return true;
        }
        return false;
    }
    int DisplayWidth(const QString& fieldName) const {
        return query_->FieldByName(fieldName)->DisplayWidth();
    }

private:
    QWidget window_;
    TFieldsDataArray rules_ = Rules();
    TKXQuery* query_ = new TKXQuery(&window_);
    db::TDataSource* source_ = new db::TDataSource(&window_);

public:
    TKXNDBGrid* Grid = new TKXNDBGrid(&window_);
};

class KXNDBGridTest : public test::KXQueryTest {
protected:
    KXNDBGridTest() {
        StartGridUnit();
        AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
        AddMoneyRecord("2", "200703000002", "001", 20.5, "已审核");
    }
    ~KXNDBGridTest() override { EndGridUnit(); }

    QString Saved(const QString& user, const QString& fieldName, const QString& column) {
        return Value("SELECT " + column + " FROM " + kLayoutTable + " WHERE USE_ID = " +
                     QuotedStr(user) + " AND FIELD_NAME = " + QuotedStr(fieldName));
    }
    int SavedRows(const QString& user) {
        return Value("SELECT COUNT(*) FROM " + kLayoutTable + " WHERE USE_ID = " + QuotedStr(user))
            .toInt();
    }
    void SaveRow(const QString& user, const QString& fieldName, int width, int order) {
        Exec(QStringLiteral("INSERT INTO %1 VALUES (%2, 'MoneyIntoOutForm', 'DBGrid1', %3, %4, %5)")
                 .arg(kLayoutTable, QuotedStr(user), QuotedStr(fieldName))
                 .arg(width)
                 .arg(order));
    }
};

TEST_F(KXNDBGridTest, ColumnsAndFootersFollowTheFieldRules) {
    ListWindow list(kUser);
    TKXNDBGrid& grid = *list.Grid;
    EXPECT_TRUE(grid.LaidOut);
    EXPECT_TRUE(grid.SetColWidthChange());
    EXPECT_EQ(list.Column("MONEY_INTO_NUMBER")->Title()->Caption(), "借入金额");

    struct Expected {
        const char* Field;
        bool Visible;
        TFooterValueType Type;
        db::TAlignment Alignment;
        const char* Text;
    };
    for (const Expected& row : {
             Expected{"MONEY_ID", true, fvtCount, db::taRightJustify, "2笔"},
             Expected{"MONEY_DATE", false, fvtNon, db::taLeftJustify, ""},
             Expected{"MONEY_INTO_NUMBER", true, fvtSum, db::taRightJustify, "30.5"},
             Expected{"MONEY_OUT_NUMBER", true, fvtSum, db::taRightJustify, "0"},
             Expected{"MONEY_TEXT_NOTE", true, fvtStaticText, db::taLeftJustify, "合计"},
             Expected{"MONEY_NUMBER_FIELD1", true, fvtStaticText, db::taRightJustify, "件"},
             Expected{"STATUS", false, fvtNon, db::taLeftJustify, ""},
         }) {
        SCOPED_TRACE(row.Field);
        TColumnX* column = list.Column(row.Field);
        EXPECT_EQ(column->Visible(), row.Visible);
        EXPECT_EQ(column->Footer()->ValueType(), row.Type);
        EXPECT_EQ(column->Footer()->Alignment(), row.Alignment);
        EXPECT_EQ(grid.GetFooterText(0, column), QString::fromUtf8(row.Text));
    }
    // The date is kept for its totals only: no width, no column shown.
    EXPECT_EQ(list.Column("MONEY_DATE")->Width(), 0);

    // A second pass without a new open changes nothing and clears the mark.
    list.Column("STATUS")->SetVisible(true);
    grid.ApplyLayout();
    EXPECT_FALSE(grid.LaidOut);
    EXPECT_TRUE(list.Column("STATUS")->Visible());
    grid.ApplyLayout();
    EXPECT_FALSE(list.Column("STATUS")->Visible());
}

TEST_F(KXNDBGridTest, EachUsersLayoutComesBackWhenTheWindowOpensAgain) {
    {
        ListWindow list(kUser);
        list.Size("MONEY_TEXT_NOTE", 300);
        list.Move("MONEY_TEXT_NOTE", 0);
    }
    // The first change of a user without a layout saves every column.
    EXPECT_EQ(SavedRows(kUser), 7);
    EXPECT_EQ(Saved(kUser, "MONEY_TEXT_NOTE", "FIELD_WIDTH"), "300");
    EXPECT_EQ(Saved(kUser, "MONEY_TEXT_NOTE", "FIELD_ORDER"), "0");
    EXPECT_EQ(Saved(kUser, "MONEY_ID", "FIELD_ORDER"), "1");

    {
        ListWindow other("B02");
        EXPECT_EQ(other.Column("MONEY_TEXT_NOTE")->Index(), 4);
        EXPECT_EQ(other.DisplayWidth("MONEY_TEXT_NOTE"), 160);
    }
    EXPECT_EQ(SavedRows("B02"), 0) << "an unchanged default layout writes nothing";

    // The query gets the saved order to arrange its fields by.
    ListWindow again(kUser);
    const QList<TGridLayoutRow> rows = again.Grid->LayoutRows();
    const auto note =
        std::ranges::find(rows, QString("MONEY_TEXT_NOTE"), &TGridLayoutRow::FieldName);
    ASSERT_NE(note, rows.end());
    EXPECT_EQ(note->Order, "0");
    EXPECT_EQ(again.Column("MONEY_TEXT_NOTE")->Width(), 300) << "the width comes back as saved";
    EXPECT_TRUE(again.Column("MONEY_TEXT_NOTE")->Visible());
}

TEST_F(KXNDBGridTest, ARightClickRestoresTheDefaultsForTheNextOpening) {
    SaveRow(kUser, "MONEY_TEXT_NOTE", 300, 0);
    SaveRow(kUser, "MONEY_ID", 100, 1);
    {
        ListWindow list(kUser);
        ASSERT_EQ(list.Column("MONEY_TEXT_NOTE")->Width(), 300);
        list.Grid->show();
        QTest::mouseClick(list.Grid->viewport(), Qt::RightButton, {}, QPoint(200, 40));
        EXPECT_EQ(messages_.Texts(),
                  QStringList({"是否恢复默认显示设置 ?", "请关闭窗口后再重新打开"}));
        EXPECT_EQ(SavedRows(kUser), 0);
        // The grid keeps its look; what the user changes now is not written.
        EXPECT_EQ(list.Column("MONEY_TEXT_NOTE")->Width(), 300);
        list.Size("MONEY_ID", 200);
    }
    EXPECT_EQ(SavedRows(kUser), 0);
    ListWindow again(kUser);
    EXPECT_EQ(again.DisplayWidth("MONEY_TEXT_NOTE"), 160);
    EXPECT_TRUE(again.Column("STATUS")->Field()->Visible()) << "every rule's field shows again";
}

TEST_F(KXNDBGridTest, ARestoreAnsweredNoKeepsTheLayout) {
    SaveRow(kUser, "MONEY_TEXT_NOTE", 300, 0);
    SaveRow(kUser, "MONEY_ID", 100, 1);
    messages_.answer = false;
    ListWindow list(kUser);
    list.Grid->RestoreDefaultLayout();
    EXPECT_EQ(SavedRows(kUser), 2);
    EXPECT_FALSE(list.Grid->LayoutReset);
}

TEST_F(KXNDBGridTest, NarrowColumnsHideUnlessTheyCarryATotal) {
    {
        ListWindow list(kUser);
        list.Size("MONEY_TEXT_NOTE", 8);
        list.Size("MONEY_INTO_NUMBER", 8);
    }
    EXPECT_EQ(Saved(kUser, "MONEY_TEXT_NOTE", "FIELD_WIDTH"), "8");
    ListWindow again(kUser);
    EXPECT_FALSE(again.HasColumn("MONEY_TEXT_NOTE"));
    EXPECT_TRUE(again.Column("MONEY_INTO_NUMBER")->Visible());
    EXPECT_EQ(again.Column("MONEY_INTO_NUMBER")->Width(), 0);
    EXPECT_EQ(again.Grid->GetFooterText(0, again.Column("MONEY_INTO_NUMBER")), "30.5");
    // A field hidden by its width and without a total loses its row.
    EXPECT_EQ(Saved(kUser, "MONEY_TEXT_NOTE", "FIELD_WIDTH"), "");
}

TEST_F(KXNDBGridTest, ASmallWidthChangeOnAWideColumnWritesNothing) {
    SaveRow(kUser, "MONEY_TEXT_NOTE", 125, 4);
    SaveRow(kUser, "MONEY_ID", 50, 0);
    {
        ListWindow list(kUser);
        // Five pixels are less than a character: 20 stays 20 or 21.
        list.Size("MONEY_TEXT_NOTE", 130);
        // A column of 8 characters always counts as changed.
        list.Size("MONEY_ID", 55);
    }
    EXPECT_EQ(Saved(kUser, "MONEY_TEXT_NOTE", "FIELD_WIDTH"), "125");
    EXPECT_EQ(Saved(kUser, "MONEY_ID", "FIELD_WIDTH"), "55");
}

TEST_F(KXNDBGridTest, DeletingForAllUsersDropsTheLayoutAndWritesNothingAtClose) {
    SaveRow(kUser, "MONEY_TEXT_NOTE", 300, 0);
    SaveRow(kUser, "MONEY_ID", 100, 1);
    SaveRow("B02", "MONEY_TEXT_NOTE", 200, 0);
    ListWindow list(kUser);
    list.Grid->DeleteAllLayouts();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM " + kLayoutTable), "0");
    EXPECT_TRUE(list.Grid->LayoutReset);
    EXPECT_FALSE(list.Grid->LaidOut);
    EXPECT_FALSE(list.Grid->Entries().has_value());
    list.Size("MONEY_ID", 200);
    SaveFormGridLayouts(list.Grid);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM " + kLayoutTable), "0");
}

TEST_F(KXNDBGridTest, AFailingSaveIsReportedOnceAndNeverThrown) {
    auto list = std::make_unique<ListWindow>(kUser);
    list->Size("MONEY_TEXT_NOTE", 300);
    Exec("DROP TABLE " + kLayoutTable);
    QStringList reported;
    ui::SetExceptionHandler([&](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            reported.append(QString::fromUtf8(e.what()));
        }
    });
    EXPECT_NO_THROW(list.reset());
    ui::SetExceptionHandler(nullptr);
    EXPECT_EQ(reported.size(), 1);
}

TEST_F(KXNDBGridTest, CellAttributesColourTheCellsOfTheRowBeingDrawn) {
    ListWindow list(kUser);
    TKXNDBGrid& grid = *list.Grid;
    QStringList seen;
    grid.OnApplyCellAttr = [&](TKXNDBGrid*, db::TField* field, ui::TCanvas& canvas,
                               TGridDrawState) {
        const QString status = field->DataSet()->FieldByName("STATUS")->AsString();
        if (field->FieldName() == "MONEY_ID")
            seen.append(field->AsString() + " " + status);
        if (status == "未审核")
            canvas.SetBrushColor(0xFFD2FF);
    };
    QImage image(grid.size(), QImage::Format_RGB32);
    grid.render(&image);
    EXPECT_EQ(seen, QStringList({"200703000001 未审核", "200703000002 已审核"}));
    const ui::TRect first = grid.CellRect(grid.DataToRawColumn(0), 1);
    const ui::TRect second = grid.CellRect(grid.DataToRawColumn(0), 2);
    EXPECT_EQ(image.pixelColor(first.Left + 1, first.Top + 1), QColor(0xFF, 0xD2, 0xFF));
    EXPECT_NE(image.pixelColor(second.Left + 1, second.Top + 1), QColor(0xFF, 0xD2, 0xFF));
}

TEST_F(KXNDBGridTest, TheFocusColourHoldsWhileTheGridHasTheFocus) {
    QWidget window;
    auto* grid = new TKXNDBGrid(&window);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    grid->SetColor(ui::clWindow);
    grid->ColorOnFocus = 0xCCFFFF;
    grid->FocusColorChange = true;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
    EXPECT_EQ(grid->Color(), 0xCCFFFFu);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    EXPECT_EQ(grid->Color(), ui::clWindow);
}

} // namespace
} // namespace kx
