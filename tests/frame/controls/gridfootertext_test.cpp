// The footer totals a list grid hands to its printouts: which column is
// read, and when there is nothing to read.

#include "frame/controls/gridfootertext.h"

#include "frame/controls/kxndbgrid.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "tests/frame/kxqueryfixture.h"

namespace kx {
namespace {

TFieldsData Rule(const char* name, const char* type, const char* footer) {
    TFieldsData data;
    data.FieldName = name;
    data.DisplayLabel = name;
    data.TypeCode = type;
    data.FooterValue = footer;
    data.Visible = true;
    return data;
}

class GetFooterTextTest : public test::KXQueryTest {
protected:
    GetFooterTextTest() {
        StartGridUnit();
        // 0.1 + 0.2 is not 0.3 in binary: the text must still say 0.3.
        AddMoneyRecord("1", "200703000001", "001", 0.1, "未审核");
        AddMoneyRecord("2", "200703000002", "001", 0.2, "已审核");
    }
    ~GetFooterTextTest() override { EndGridUnit(); }

    // A grid over the records with one column per rule.
    TKXNDBGrid* Grid(const TFieldsDataArray& rules) {
        auto* query = new TKXQuery(&window_);
        query->SetDatabaseName(kDatabaseName);
        query->SetTableName("KX_INTO_OUT_MONEY_TABLE");
        query->SetFieldsData(rules);
        auto* source = new db::TDataSource(&window_);
        source->SetDataSet(query);
        auto* grid = new TKXNDBGrid(&window_);
        grid->SetFieldsData(rules);
        grid->SetFooterRowCount(1);
        grid->SumList()->SetActive(true);
        grid->SetDataSource(source);
        query->SetDBNGride(grid);
        query->SQL().SetText(QString("SELECT * FROM KX_INTO_OUT_MONEY_TABLE"));
        query->OpenQuery();
        return grid;
    }
};

TEST_F(GetFooterTextTest, ReadsTheTotalOfTheColumnBoundToTheField) {
    TFieldsDataArray rules;
    rules.Append(Rule("MONEY_ID", "C", "@Count"));
    rules.Append(Rule("MONEY_INTO_NUMBER", "N", "@Sum"));
    rules.Append(Rule("MONEY_TEXT_NOTE", "C", "合计"));
    const TKXNDBGrid* grid = Grid(rules);

    const struct {
        const char* field;
        const char* text;
    } cases[] = {
        {"MONEY_INTO_NUMBER", "0.3"}, // general form, 15 significant digits
        {"MONEY_ID", "2"},            // a count reads as a number too
        {"MONEY_TEXT_NOTE", ""},      // a fixed text is no total
        {"money_into_number", ""},    // names match exactly
        {"MONEY_OUT_NUMBER", ""},     // no column bound to it
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFooterText(*grid, c.field), QString::fromUtf8(c.text)) << c.field;
}

TEST_F(GetFooterTextTest, AGridOfOneColumnHasNoTotals) {
    TFieldsDataArray rules;
    rules.Append(Rule("MONEY_INTO_NUMBER", "N", "@Sum"));
    const TKXNDBGrid* grid = Grid(rules);
    ASSERT_EQ(grid->Columns()->Count(), 1);
    EXPECT_EQ(GetFooterText(*grid, "MONEY_INTO_NUMBER"), QString());
}

} // namespace
} // namespace kx
