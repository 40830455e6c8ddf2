#include "frame/controls/kxdblookupcombobox.h"

#include "frame/controls/kxdblookuplistbox.h"
#include "platform/db/field.h"
#include "tests/frame/controlsfixture.h"

#include <QVBoxLayout>

namespace kx {
namespace {

// An employee's department chosen by name from the department list.
class LookupBoxesTest : public test::ControlsDbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) VALUES "
              "('G001001', 'G001', '财务部')",
              "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) VALUES "
              "('G001002', 'G001', '销售部')",
              "INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
              "EMPLOYEE_NAME) VALUES ('G001002', 'R1', 'E1', '张三')"});
        companies_ = NewQuery("SELECT COMPANY_ID, COMPANY_NAME FROM SYS_COMPANY_TABLE ORDER BY "
                              "COMPANY_ID",
                              &form_);
        employees_ = NewQuery("SELECT * FROM KX_EMPLOYEE_TABLE", &form_);
        companies_->Open();
        employees_->Open();
        listSource_ = new db::TDataSource(&form_);
        listSource_->SetDataSet(companies_);
        source_ = new db::TDataSource(&form_);
        source_->SetAutoEdit(false);
        source_->SetDataSet(employees_);

        auto* layout = new QVBoxLayout(&form_);
        combo_ = new TKXDBLookupComboBox(&form_);
        list_ = new TKXDBLookupListBox(&form_);
        layout->addWidget(combo_);
        layout->addWidget(list_);
        combo_->SetListSource(listSource_);
        combo_->SetKeyField("COMPANY_ID");
        combo_->SetListField("COMPANY_NAME");
        combo_->SetDataSource(source_);
        combo_->SetDataField("COMPANY_ID");
        list_->SetListSource(listSource_);
        list_->SetKeyField("COMPANY_ID");
        list_->SetListField("COMPANY_NAME");
        list_->SetDataSource(source_);
        list_->SetDataField("COMPANY_ID");
    }

    QString Department() { return employees_->FieldByName("COMPANY_ID")->AsString(); }

    QWidget form_;
    db::TQuery* companies_;
    db::TQuery* employees_;
    db::TDataSource* listSource_;
    db::TDataSource* source_;
    TKXDBLookupComboBox* combo_;
    TKXDBLookupListBox* list_;
};

TEST_F(LookupBoxesTest, ShowTheNameOfTheStoredKey) {
    EXPECT_EQ(combo_->count(), 2);
    EXPECT_EQ(combo_->currentText(), "销售部");
    EXPECT_EQ(list_->currentItem()->text(), "销售部");
}

TEST_F(LookupBoxesTest, ChoosingWritesTheKeyOnlyWhileEditing) {
    emit combo_->activated(0);
    EXPECT_EQ(Department(), "G001002");
    EXPECT_EQ(combo_->currentText(), "销售部");

    employees_->Edit();
    emit combo_->activated(0);
    EXPECT_EQ(Department(), "G001001");
    EXPECT_EQ(list_->currentItem()->text(), "财务部");
    list_->setCurrentRow(1);
    EXPECT_EQ(Department(), "G001002");
    EXPECT_EQ(combo_->currentText(), "销售部");
}

TEST_F(LookupBoxesTest, ListRowsFollowTheListDataSet) {
    Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) VALUES "
          "('G001003', 'G001', '后勤部')"});
    companies_->Close();
    companies_->Open();
    EXPECT_EQ(combo_->count(), 3);
    EXPECT_EQ(list_->count(), 3);
    EXPECT_EQ(companies_->RecNo(), 1);
}

} // namespace
} // namespace kx
