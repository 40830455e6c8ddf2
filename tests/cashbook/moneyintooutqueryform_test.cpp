// The statistics window opened from the main window's command: its result
// rows per subject and find condition, the result table left untouched,
// the list kept whole when a run fails, the find dialog's fields, and the
// drill-down from a result row.

#include "cashbook/moneyintooutqueryform.h"
#include "cashbook/registerwindows.h"
#include "cashbook/selectshowintooutmoneydetailform.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kx3dlabel.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findwindow.h"
#include "frame/dialogs/kxthread.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/dberrors.h"
#include "tests/cashbook/cashbookrecords.h"
#include "tests/frame/controlsfixture.h"
#include "tests/support/clippedtexts.h"
#include "tests/support/closewindow.h"
#include "tests/support/modal.h"
#include "tests/support/printchooserprobe.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kx::cashbook {
namespace {

using test::OnNextModal;

void AllData(QWidget* dialog) {
    auto* find = qobject_cast<TFindWindow*>(dialog);
    ASSERT_NE(find, nullptr);
    find->AllDataButton->click();
}

void CloseFind(QWidget* dialog) {
    auto* find = qobject_cast<TFindWindow*>(dialog);
    ASSERT_NE(find, nullptr);
    find->CloseButton->click();
}

QString ScreenFolder() {
    const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
    QDir().mkpath(folder);
    return folder;
}

class MoneyIntoOutQueryFormTest : public ::testing::Test, protected test::CashBookRecords {
protected:
    MoneyIntoOutQueryFormTest() {
        Messages.answer = true;
        RegisterWindows();
        Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
             "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES ('U01', 1, 3, '是', '是', '是', "
             "'是', '是')");
        AddRecord("A1", "001", "001", "2008-09-01", "5", "0");
        AddRecord("A2", "001001", "001", "2008-09-02", "100", "10");
        AddRecord("A3", "001001001", "002", "2008-09-03", "20.5", "0");
        AddRecord("A4", "002", "001", "2008-09-04", "0", "30");
        AddVerified("A5", "001001", "002", "2008-09-06", "1", "0");
    }
    ~MoneyIntoOutQueryFormTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TMoneyIntoOutQueryForm::kFormName);
        test::ResetProgramState();
    }

    TMoneyIntoOutQueryForm* Open(const std::function<void(QWidget*)>& findAction = AllData) {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        OnNextModal(findAction);
        main_->MenuItem("N102")->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<TMoneyIntoOutQueryForm*>(
            FindWorkingWindow(TMoneyIntoOutQueryForm::kFormName));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    static void Select(TMoneyIntoOutQueryForm* window, const QString& id) {
        for (QTreeWidgetItemIterator it(window->KXTreeView); *it; ++it) {
            if (window->KXTreeView->GetNodeID(*it) == id) {
                window->KXTreeView->setCurrentItem(*it);
                (*it)->setExpanded(true);
                return;
            }
        }
        ADD_FAILURE() << "no node " << id.toStdString();
    }
    // "name in/out/balance" per result row.
    static QStringList Results(TMoneyIntoOutQueryForm* window) {
        QStringList rows;
        TKXQuery* list = window->Query;
        if (!list->Active())
            return rows;
        for (list->First(); !list->Eof(); list->Next())
            rows << QStringLiteral("%1 %2/%3/%4")
                        .arg(list->FieldByName("MONEY_TYPE_NAME")->AsString())
                        .arg(list->FieldByName("MONEY_INTO_NUMBER")->AsFloat())
                        .arg(list->FieldByName("MONEY_OUT_NUMBER")->AsFloat())
                        .arg(list->FieldByName("MONEY_SUM_NUMBER")->AsFloat());
        return rows;
    }
    static QStringList Titles(TKXNDBGrid* grid) {
        QStringList titles;
        TColumnsXList* columns = grid->VisibleColumns();
        for (int i = 0; i < columns->Count(); ++i)
            titles << columns->GetColumn(i)->Title()->Caption();
        return titles;
    }
    static QStringList Footers(TKXNDBGrid* grid) {
        QStringList footers;
        TColumnsXList* columns = grid->VisibleColumns();
        for (int i = 0; i < columns->Count(); ++i)
            footers << grid->GetFooterText(0, columns->GetColumn(i));
        return footers;
    }
    QString SumTableRows() { return Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_SUM_TABLE"); }

    std::unique_ptr<TMainForm> main_;
};

TEST_F(MoneyIntoOutQueryFormTest, OpensAtTheRootWithOneRowPerTopLevelSubject) {
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "资金借贷数据统计报表窗口");
    EXPECT_EQ(window->KX3DLabel1->Caption(), "查找条件：");
    EXPECT_EQ(window->SubjectId, "G001");
    EXPECT_FALSE(window->Loading);
    EXPECT_EQ(Results(window), QStringList({"支出 0/30/-30", "收入 126.5/10/116.5"}));
    EXPECT_EQ(Titles(window->DBGrid1),
              QStringList({"账款类别", "借入金额", "贷出金额", "资金余额"}));
    EXPECT_TRUE(window->button_print->isVisible());
    EXPECT_FALSE(window->button_add->isVisible());
    EXPECT_TRUE(window->button_find->isVisible());
    EXPECT_TRUE(window->button_next->isVisible());
    EXPECT_EQ(SumTableRows(), "0");
    EXPECT_EQ(test::ClippedTexts(*window), QStringList());
    EXPECT_TRUE(window->grab().save(ScreenFolder() + "/moneyintooutquery.png"));
    EXPECT_TRUE(Messages.Texts().isEmpty()) << Messages.Texts().join('|').toStdString();
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutQueryFormTest, SubjectShowsItsOwnRowAndEveryChild) {
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    Select(window, "001");
    EXPECT_EQ(window->SubjectName, "收入");
    EXPECT_EQ(Results(window), QStringList({"收入 5/0/5", "销售 121.5/10/111.5", "利息 0/0/0"}));
    // Own row and children together cover the whole subtree.
    EXPECT_EQ(Footers(window->DBGrid1), QStringList({"合计", "126.5", "10", "116.5"}));
    // A subject without children and without records: nothing at all.
    Select(window, "001002");
    EXPECT_EQ(Results(window), QStringList());
    EXPECT_EQ(SumTableRows(), "0");
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutQueryFormTest, CancelledFirstFindShowsZerosUntilAllData) {
    TMoneyIntoOutQueryForm* window = Open(CloseFind);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->KX3DLabel1->Caption(), "查找条件：不显示资料");
    EXPECT_EQ(window->FindCondition, "MONEY_RECORD_ID ='MONEY_RECORD_ID'");
    EXPECT_EQ(Results(window), QStringList({"支出 0/0/0", "收入 0/0/0"}));
    Select(window, "001");
    // The chosen subject keeps the condition, and a find keeps the subject.
    EXPECT_EQ(Results(window), QStringList({"销售 0/0/0", "利息 0/0/0"}));
    OnNextModal(AllData);
    window->button_find->click();
    EXPECT_EQ(window->FindCondition, "");
    EXPECT_EQ(Results(window), QStringList({"收入 5/0/5", "销售 121.5/10/111.5", "利息 0/0/0"}));
    test::CloseAndFree(window);
}

// The balance is no column of the records, so the find dialog never offers
// it: a condition on it could not run.
TEST_F(MoneyIntoOutQueryFormTest, FindDialogDoesNotOfferTheBalance) {
    QStringList offered;
    TMoneyIntoOutQueryForm* window = Open([&offered](QWidget* dialog) {
        auto* find = qobject_cast<TFindWindow*>(dialog);
        ASSERT_NE(find, nullptr);
        for (int i = 0; i < find->ComboBox1->count(); ++i)
            offered << find->ComboBox1->itemText(i);
        find->AllDataButton->click();
    });
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(offered.contains("借入金额")) << offered.join('|').toStdString();
    EXPECT_TRUE(offered.contains("状态"));
    EXPECT_FALSE(offered.contains("资金余额")) << offered.join('|').toStdString();
    test::CloseAndFree(window);
}

TEST_F(MoneyIntoOutQueryFormTest, FailedRunLeavesTheListAndTheTableAsBefore) {
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    const QStringList before = Results(window);
    ASSERT_EQ(before.size(), 2);
    window->FindCondition = QStringLiteral("(NO_SUCH_COLUMN = 1)");
    EXPECT_THROW(window->ComputeSubjectSums(), db::EDatabaseError);
    EXPECT_EQ(Results(window), before);
    EXPECT_EQ(SumTableRows(), "0");
    EXPECT_EQ(window->KXThread->Active, false);
    test::CloseAndFree(window);
}

// Opening, finding and closing leave the stored widths as they were.
TEST_F(MoneyIntoOutQueryFormTest, StoredColumnWidthsStayPutOverOpenings) {
    const auto stored = [] {
        return Value("SELECT group_concat(r, ' ') FROM (SELECT FIELD_NAME||'='||FIELD_WIDTH AS r "
                     "FROM SYS_MONEY_INTO_OUT_QUERY_TABLE ORDER BY FIELD_NAME)");
    };
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    TKXNDBGrid* grid = window->DBGrid1;
    const int shown = grid->VisibleColumns()->GetColumn(1)->Index();
    grid->SetColWidths(grid->DataToRawColumn(shown), 190);
    const int dragged = grid->Columns()->GetColumn(shown)->Width();
    test::CloseAndFree(window);
    const QString widths = stored();
    ASSERT_FALSE(widths.isEmpty());
    for (int opening = 1; opening <= 5; ++opening) {
        SCOPED_TRACE(opening);
        window = Open();
        ASSERT_NE(window, nullptr);
        Select(window, "001");
        EXPECT_NEAR(window->DBGrid1->Columns()->GetColumn(shown)->Width(), dragged, 1);
        test::CloseAndFree(window);
        ASSERT_EQ(stored().toStdString(), widths.toStdString());
    }
}

TEST_F(MoneyIntoOutQueryFormTest, DrillDownShowsTheRowsSubtreeUnderTheFindCondition) {
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    Select(window, "001");
    window->Query->First();
    window->Query->Next(); // 销售
    QStringList shown;
    QString label;
    OnNextModal([&](QWidget* dialog) {
        auto* detail = qobject_cast<TSelectShowIntoOutMoneyDetailForm*>(dialog);
        ASSERT_NE(detail, nullptr);
        label = detail->Label24->text();
        EXPECT_EQ(detail->DBGrid->EvenRowColor(), ui::TColor(0xE0FC98)) << "light green rows";
        for (detail->Query->First(); !detail->Query->Eof(); detail->Query->Next())
            shown << detail->Query->FieldByName("MONEY_ID")->AsString();
        EXPECT_EQ(test::ClippedTexts(*detail), QStringList());
        EXPECT_TRUE(detail->grab().save(ScreenFolder() + "/statisticsdrilldown.png"));
        detail->button_close->click();
    });
    window->SpeedButton4->click();
    EXPECT_EQ(label, "查找条件： 并且 资金借贷科目 等于 销售");
    EXPECT_EQ(shown, QStringList({"A2", "A3", "A5"}));
    EXPECT_TRUE(window->SpeedButton4->isEnabled());
    // The chosen subject's own row opens its whole subtree too.
    window->Query->First();
    shown.clear();
    OnNextModal([&](QWidget* dialog) {
        auto* detail = qobject_cast<TSelectShowIntoOutMoneyDetailForm*>(dialog);
        ASSERT_NE(detail, nullptr);
        for (detail->Query->First(); !detail->Query->Eof(); detail->Query->Next())
            shown << detail->Query->FieldByName("MONEY_ID")->AsString();
        detail->button_close->click();
    });
    window->SpeedButton4->click();
    EXPECT_EQ(shown, QStringList({"A1", "A2", "A3", "A5"}));
    test::CloseAndFree(window);
}

// The results print with their totals: the export's footer row carries the
// grid's total under each amount.
TEST_F(MoneyIntoOutQueryFormTest, PrintHandsTheResultsAndTheirTotalsToTheChooser) {
    AppDataFolder = Data.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->button_print->isVisible());
    ASSERT_TRUE(window->button_print->isEnabled());
    test::ChooserProbe probe(window->Query);
    test::PressKey(window, Qt::Key_F11);
    const test::ChooserSeen& seen = probe.Seen;
    ASSERT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.Ownerless);
    EXPECT_TRUE(seen.ListControlsDisabled);
    EXPECT_FALSE(window->Query->ControlsDisabled());
    EXPECT_EQ(seen.PrintIndex, "MoneyIntoOutQueryForm");
    EXPECT_EQ(seen.KindCaption1, "设置资金借贷数据统计报表(报表模版)");
    EXPECT_EQ(seen.TemplateKind, 1);
    EXPECT_EQ(seen.DataSetLine1, "M,MoneyIntoOutQueryForm.Query");
    EXPECT_EQ(seen.DataSetLine2, "D,MoneyIntoOutQueryForm.Query");
    EXPECT_EQ(test::BoundDataSet(seen.DataSetLine2), window->Query);
    EXPECT_EQ(seen.TemplateDir, Data.Folder.Path());
    EXPECT_EQ(seen.TemplateTable, "");
    EXPECT_EQ(seen.ReportDataSet, nullptr);
    EXPECT_EQ(seen.PrintFieldsM.size(), 10u);
    EXPECT_TRUE(seen.ExcelEnabled);
    EXPECT_TRUE(seen.ExcelNumberColumn);
    EXPECT_EQ(seen.ExcelDataSet, window->Query);
    EXPECT_EQ(seen.ReportName, "资金借贷数据统计报表");
    ASSERT_EQ(seen.ExcelFields.size(), 10);
    EXPECT_EQ(test::NamedColumns(seen.ExcelFields),
              QStringList({"MONEY_TYPE_NAME 账款类别", "MONEY_INTO_NUMBER 借入金额",
                           "MONEY_OUT_NUMBER 贷出金额", "MONEY_SUM_NUMBER 资金余额"}));
    ASSERT_EQ(seen.ExcelFooters.size(), 10);
    EXPECT_EQ(test::FieldNames(seen.ExcelFooters).mid(0, 5),
              QStringList({"", "126.5", "40", "86.5", ""}));
    EXPECT_TRUE(probe.Others.isEmpty());
    test::CloseAndFree(window);
}

// A cancelled find still lists the subjects, without records: the totals
// the export carries are zeros, not empty.
TEST_F(MoneyIntoOutQueryFormTest, PrintWithoutMatchingRecordsCarriesZeroTotals) {
    TMoneyIntoOutQueryForm* window = Open(CloseFind);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Results(window), QStringList({"支出 0/0/0", "收入 0/0/0"}));
    test::ChooserProbe probe(window->Query);
    window->button_print->click();
    EXPECT_TRUE(probe.Seen.Shown);
    EXPECT_EQ(test::FieldNames(probe.Seen.ExcelFooters).mid(0, 4),
              QStringList({"", "0", "0", "0"}));
    test::CloseAndFree(window);
}

// The drill-down prints master-detail: the result row as the master, bound
// by name to the statistics list, and the row's records as the detail.
TEST_F(MoneyIntoOutQueryFormTest, DrillDownPrintBindsTheResultRowAndItsRecords) {
    AppDataFolder = Data.Folder.Path();
    const auto restore = qScopeGuard([] { AppDataFolder.clear(); });
    TMoneyIntoOutQueryForm* window = Open();
    ASSERT_NE(window, nullptr);
    test::ChooserSeen seen;
    TPrintFieldsArray detailFields;
    db::TDataSet* records = nullptr;
    db::TDataSet* master = nullptr;
    db::TDataSet* detail = nullptr;
    OnNextModal([&](QWidget* dialog) {
        auto* drillDown = qobject_cast<TSelectShowIntoOutMoneyDetailForm*>(dialog);
        if (!drillDown) {
            dialog->close();
            return;
        }
        records = drillDown->Query;
        test::ChooserProbe probe(records, drillDown);
        test::PressKey(drillDown, Qt::Key_F11);
        seen = probe.Seen;
        detailFields = drillDown->PrintFields;
        master = test::BoundDataSet(seen.DataSetLine1);
        detail = test::BoundDataSet(seen.DataSetLine2);
        drillDown->button_close->click();
    });
    window->SpeedButton4->click();
    ASSERT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.ListControlsDisabled);
    EXPECT_EQ(seen.PrintIndex, "SelectShowIntoOutMoneyDetailForm");
    EXPECT_EQ(seen.KindCaption1, "设置资金借贷明细报表(主从报表模版)");
    EXPECT_EQ(seen.TemplateKind, 2);
    EXPECT_EQ(seen.DataSetLine1, "D,MoneyIntoOutQueryForm.Query");
    EXPECT_EQ(seen.DataSetLine2, "M,SelectShowIntoOutMoneyDetailForm.Query");
    EXPECT_EQ(master, window->Query);
    EXPECT_EQ(detail, records);
    EXPECT_EQ(seen.TemplateDir, Data.Folder.Path());
    EXPECT_EQ(seen.ReportDataSet, nullptr);
    EXPECT_TRUE(seen.PrintFieldsM.empty());
    ASSERT_EQ(seen.PrintFieldsMD.size(), 48u);
    // Entries 38 to 46 are the result row's fields, as master fields only.
    for (std::size_t i = 0; i < 9; ++i) {
        const TPrintFields& copy = seen.PrintFieldsMD[38 + i];
        EXPECT_EQ(copy.FieldName, window->PrintFields[i].FieldName) << i;
        EXPECT_EQ(copy.DataSetName, window->PrintFields[i].DataSetName) << i;
        EXPECT_EQ(copy.InMaster, window->PrintFields[i].InMaster) << i;
        EXPECT_FALSE(copy.InDetail) << i;
    }
    EXPECT_EQ(seen.PrintFieldsMD[38].FieldName, "MONEY_TYPE_NAME");
    EXPECT_EQ(seen.PrintFieldsMD[38].DataSetName, "D");
    EXPECT_EQ(seen.PrintFieldsMD[0].FieldName, detailFields[0].FieldName);
    EXPECT_TRUE(seen.ExcelEnabled);
    EXPECT_EQ(seen.ExcelDataSet, records);
    EXPECT_EQ(seen.ReportName, "资金借贷明细报表");
    ASSERT_EQ(seen.ExcelFields.size(), 38);
    EXPECT_EQ(seen.ExcelFields[0].FieldName, seen.PrintFieldsMD[0].FieldName);
    EXPECT_EQ(seen.ExcelFields[0].Caption, seen.PrintFieldsMD[0].Caption);
    EXPECT_TRUE(seen.ExcelFooters.isEmpty());
    test::CloseAndFree(window);
}

} // namespace
} // namespace kx::cashbook
