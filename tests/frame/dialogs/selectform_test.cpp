#include "frame/dialogs/selectform.h"

#include "frame/controls/kxndbgrid.h"
#include "grid/dbgrid/columntitlex.h"
#include "platform/db/field.h"
#include "tests/frame/controlsfixture.h"

#include <QPushButton>
#include <QTest>

namespace kx {
namespace {

TEST(FitDisplayWidths, GrowsOrShrinksTowardsATotalOf102) {
    EXPECT_EQ(FitDisplayWidths({10, 20, 30}), QList<int>({23, 33, 43}));
    EXPECT_EQ(FitDisplayWidths({50, 60, 20}), QList<int>({34, 44, 20}));
    // A half goes to the even neighbour: (102 - 99) / 2 - 1 = 0.5 gives 0.
    EXPECT_EQ(FitDisplayWidths({49, 50}), QList<int>({49, 50}));
    // Just over the total, every width grows by four.
    EXPECT_EQ(FitDisplayWidths({30, 33, 40}), QList<int>({34, 37, 44}));
    EXPECT_TRUE(FitDisplayWidths({}).isEmpty());
}

class SelectFormTest : public test::ControlsDbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME, ORDER_ID) "
              "VALUES ('01', '现金', 1)",
              "INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME, ORDER_ID) "
              "VALUES ('02', '工商银行', 2)"});
        form_.Query_Select->SetDatabaseName(test::kDatabaseName);
        form_.Query_Select->SQL().SetText(
            "SELECT MONEY_ACCOUNT_NAME,MONEY_ACCOUNT_ID,ORDER_ID FROM "
            "KX_MONEY_ACCOUNT_TABLE ORDER BY ORDER_ID");
        form_.Query_Select->Open();
        form_.Query_Select->Fields()[0]->SetDisplayLabel("资金账号");
        form_.Query_Select->Fields()[1]->SetVisible(false);
        form_.Query_Select->Fields()[2]->SetVisible(false);
    }

    TSelectForm form_;
};

TEST_F(SelectFormTest, TheChosenLineIsTheQuerysCurrentRow) {
    test::OnNextModal([this](QWidget*) {
        TKXNDBGrid* grid = form_.DBGrid;
        ASSERT_EQ(grid->Columns()->Count(), 1) << "hidden fields show no column";
        EXPECT_EQ(grid->Columns()->GetColumn(0)->Title()->Caption(), "资金账号");
        EXPECT_TRUE(grid->hasFocus());
        form_.Query_Select->Next();
        EXPECT_EQ(grid->Row(), 2) << "the grid follows the query's current row";
        test::PressKey(&form_, Qt::Key_Return);
    });
    ASSERT_EQ(form_.exec(), QDialog::Accepted);
    EXPECT_EQ(form_.Query_Select->FieldByName("MONEY_ACCOUNT_ID")->AsString(), "02");
}

TEST_F(SelectFormTest, ADoubleClickOnTheListChoosesOnlyWhenItHasRows) {
    test::OnNextModal([this](QWidget*) {
        QTest::mouseDClick(form_.DBGrid->viewport(), Qt::LeftButton, {}, QPoint(60, 30));
        if (form_.isVisible())
            test::PressKey(&form_, Qt::Key_F12);
    });
    EXPECT_EQ(form_.exec(), QDialog::Accepted);

    Exec({"DELETE FROM KX_MONEY_ACCOUNT_TABLE"});
    form_.Query_Select->Close();
    form_.Query_Select->Open();
    test::OnNextModal([this](QWidget*) {
        QTest::mouseDClick(form_.DBGrid->viewport(), Qt::LeftButton, {}, QPoint(60, 30));
        EXPECT_TRUE(form_.isVisible());
        test::PressKey(&form_, Qt::Key_F12);
    });
    EXPECT_EQ(form_.exec(), QDialog::Rejected);
}

TEST_F(SelectFormTest, F12Cancels) {
    test::OnNextModal([this](QWidget*) { test::PressKey(&form_, Qt::Key_F12); });
    EXPECT_EQ(form_.exec(), QDialog::Rejected);
}

} // namespace
} // namespace kx
