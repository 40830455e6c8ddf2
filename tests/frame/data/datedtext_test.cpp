// Text that happens to read like a month/day/year date is saved, checked and
// found again as the text it is.

#include "platform/db/field.h"
#include "tests/frame/kxqueryfixture.h"

namespace kx::test {
namespace {

TEST_F(KXQueryTest, SubjectNamedLikeADateIsRefusedAsADuplicateName) {
    TKXQuery* query = SubjectQuery("G001");
    TCheckData sameName;
    sameName.BaseSelect = "SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
    sameName.Links[0] = {"MONEY_TYPE_NAME", "MONEY_TYPE_NAME", "", "", "C"};
    sameName.NumberField = "MONEY_TYPE_NAME";
    sameName.MustNotExist = true;
    sameName.Message = "科目名称重复";
    query->CheckData().Append(sameName);
    query->OpenQuery();
    for (int i = 0; i < 2; ++i) {
        query->AppendRecord();
        query->FieldByName("MONEY_TYPE_NAME")->SetAsString("3/5/2007");
        if (i == 0)
            query->PostRecord();
    }
    EXPECT_THROW(query->PostRecord(), EAbort);
    EXPECT_EQ(messages_.Texts(), QStringList{"科目名称重复"});
    EXPECT_EQ(Column("SELECT MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE"),
              QStringList{"3/5/2007"});
}

TEST_F(KXQueryTest, TextKeyLikeADateSavesAndEditsAgain) {
    TKXQuery* query =
        NewQuery("KX_MONEY_TEXT_FIELD1_TABLE",
                 {"MONEY_TEXT_FIELD1", "EDIT_NAME", "EDIT_DATE", "CREATE_NAME", "CREATE_DATE"},
                 {"MONEY_TEXT_FIELD1"});
    query->SetEditData({{"EDIT_DATE", "", "2007-03-06"}});
    query->OpenQuery();
    query->AppendRecord();
    query->FieldByName("MONEY_TEXT_FIELD1")->SetAsString("12/31/2007");
    query->FieldByName("CREATE_DATE")->SetAsString("2007-03-05");
    query->PostRecord();
    EXPECT_TRUE(query->Saved);
    query->EditRecord();
    query->FieldByName("CREATE_NAME")->SetAsString("李四");
    query->PostRecord();
    EXPECT_TRUE(query->Saved);
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join(u'\n').toStdString();
    EXPECT_EQ(Column("SELECT MONEY_TEXT_FIELD1 || '/' || CREATE_NAME || '/' || CREATE_DATE || '/' "
                     "|| EDIT_DATE FROM KX_MONEY_TEXT_FIELD1_TABLE"),
              QStringList{"12/31/2007/李四/2007-03-05/2007-03-06"});
}

} // namespace
} // namespace kx::test
