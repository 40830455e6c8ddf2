// The data-aware grid over the in/out records of a fresh data folder.

#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/headtreenode.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "tests/frame/kxqueryfixture.h"

#include <QFontMetrics>

namespace kx {
namespace {

class KXQueryGridTest : public test::KXQueryTest {
protected:
    KXQueryGridTest() { StartGridUnit(); }
    ~KXQueryGridTest() override { EndGridUnit(); }

    TColumnX* Column(const TCustomDBGridX& grid, const QString& fieldName) {
        for (int i = 0; i < grid.Columns()->Count(); ++i) {
            if (grid.Columns()->GetColumn(i)->FieldName() == fieldName)
                return grid.Columns()->GetColumn(i);
        }
        ADD_FAILURE() << "no column " << fieldName.toStdString();
        return grid.Columns()->GetColumn(0);
    }
};

TEST_F(KXQueryGridTest, MoneyRecordsWithTitlesAndFootersThatFollowTheData) {
    AddMoneyRecord("1", "200703000001", "001", 10, "未审核");
    AddMoneyRecord("2", "200703000002", "001", 20.5, "未审核");
    TKXQuery* query = MoneyQuery();
    db::TDataSource source;
    source.SetDataSet(query);
    TCustomDBGridX grid(&window_);
    grid.resize(900, 300);
    grid.SetFooterRowCount(1);
    grid.SumList()->SetActive(true);
    grid.SetDataSource(&source);
    query->OpenQuery();

    TColumnX* in = Column(grid, "MONEY_INTO_NUMBER");
    const db::TField* inField = query->FieldByName("MONEY_INTO_NUMBER");
    EXPECT_EQ(in->Title()->Caption(), QStringLiteral("借入金额"));
    EXPECT_EQ(in->Width(),
              QFontMetrics(grid.font()).horizontalAdvance(u'0') * inField->DisplayWidth() + 4);

    in->Footer()->SetValueType(fvtSum);
    Column(grid, "MONEY_ID")->Footer()->SetValueType(fvtCount);
    grid.SumList()->RecalculateSums();
    const auto footers = [&] {
        return QStringList{grid.GetFooterText(0, in),
                           grid.GetFooterText(0, Column(grid, "MONEY_ID"))};
    };
    EXPECT_EQ(footers(), QStringList({"30.5", "2"}));

    query->AppendRecord();
    query->FieldByName("MONEY_TYPE_ID")->SetAsString("001");
    query->FieldByName("MONEY_DATE")->SetAsString("2007-3-5");
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(12.5);
    query->PostRecord();
    EXPECT_EQ(footers(), QStringList({"43", "3"}));

    query->First();
    query->EditRecord();
    query->FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(100);
    query->PostRecord();
    EXPECT_EQ(footers(), QStringList({"133", "3"}));

    query->DeleteRecord();
    EXPECT_EQ(footers(), QStringList({"33", "2"}));

    // Two levels: both amounts under one cell "金额".
    query->FieldByName("MONEY_INTO_NUMBER")->SetDisplayLabel("金额|借入");
    query->FieldByName("MONEY_OUT_NUMBER")->SetDisplayLabel("金额|贷出");
    const int oneLevel = grid.GetRowHeights(0);
    grid.SetUseMultiTitle(true);
    const THeadTreeNode* inLeaf = grid.LeafCols()[in->Index()].Leaf;
    const THeadTreeNode* outLeaf = grid.LeafCols()[Column(grid, "MONEY_OUT_NUMBER")->Index()].Leaf;
    ASSERT_NE(inLeaf->Parent(), nullptr);
    EXPECT_EQ(inLeaf->Parent(), outLeaf->Parent());
    EXPECT_EQ(inLeaf->Parent()->Caption, QStringLiteral("金额"));
    EXPECT_GT(grid.GetRowHeights(0), oneLevel);
}

} // namespace
} // namespace kx
