#include "frame/controls/kxdbedit.h"

#include "core/exceptionhandler.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "platform/db/field.h"
#include "tests/frame/controlsfixture.h"

#include <QVBoxLayout>

namespace kx {
namespace {

using test::FocusOn;

// Data-aware boxes over one department row, as an entry window binds them.
class DataBoxesTest : public test::ControlsDbTest {
protected:
    void SetUp() override {
        ui::SetExceptionHandler(HandleApplicationException);
        Exec({"INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID, "
              "EDIT_DATE) VALUES ('G001001', 'G001', '财务部', 1, '2007-03-05')"});
        query_ = NewQuery("SELECT * FROM SYS_COMPANY_TABLE", &form_);
        query_->Open();
        source_ = new db::TDataSource(&form_);
        source_->SetAutoEdit(false);
        source_->SetDataSet(query_);

        auto* layout = new QVBoxLayout(&form_);
        name_ = new TKXDBEdit(&form_);
        date_ = new TKXDBComboEdit(&form_);
        note_ = new TKXDBComboBox(&form_);
        other_ = new QLineEdit(&form_);
        for (QWidget* w : std::initializer_list<QWidget*>{name_, date_, note_, other_})
            layout->addWidget(w);
        name_->SetDataSource(source_);
        name_->SetDataField("COMPANY_NAME");
        date_->SetDataSource(source_);
        date_->SetDataField("EDIT_DATE");
        note_->SetDataSource(source_);
        note_->SetDataField("NOTE");
        ASSERT_TRUE(test::ShowActive(form_));
        FocusOn(other_);
    }
    void TearDown() override { ui::SetExceptionHandler(nullptr); }

    void TypeAtEnd(QLineEdit* edit, const QString& text) {
        FocusOn(edit);
        edit->deselect();
        edit->end(false);
        test::TypeText(edit, text);
    }

    QString Stored(const QString& field) { return query_->FieldByName(field)->AsString(); }

    QWidget form_;
    db::TQuery* query_;
    db::TDataSource* source_;
    TKXDBEdit* name_;
    TKXDBComboEdit* date_;
    TKXDBComboBox* note_;
    QLineEdit* other_;
};

TEST_F(DataBoxesTest, ShowTheFieldAndTakeItsSizeAsByteCap) {
    EXPECT_EQ(name_->text(), "财务部");
    EXPECT_EQ(name_->MaxLength(), 40);
    EXPECT_EQ(date_->text(), "2007-03-05");
    EXPECT_EQ(note_->Text(), "");
}

TEST_F(DataBoxesTest, BrowseStateTakesNoTyping) {
    TypeAtEnd(name_, "x");
    TypeAtEnd(date_, "1");
    FocusOn(note_);
    test::TypeText(note_, "y");
    EXPECT_EQ(name_->text(), "财务部");
    EXPECT_EQ(date_->text(), "2007-03-05");
    EXPECT_EQ(note_->Text(), "");
    EXPECT_EQ(query_->State(), db::dsBrowse);
}

TEST_F(DataBoxesTest, LeavingWritesTheTextIntoTheField) {
    query_->Edit();
    TypeAtEnd(name_, "一科");
    EXPECT_EQ(Stored("COMPANY_NAME"), "财务部");
    FocusOn(note_);
    EXPECT_EQ(Stored("COMPANY_NAME"), "财务部一科");
    test::TypeText(note_, "备注");
    FocusOn(other_);
    EXPECT_EQ(Stored("NOTE"), "备注");
    query_->Post();
    EXPECT_EQ(name_->text(), "财务部一科");
}

TEST_F(DataBoxesTest, ABytesCapStopsChineseTextAtTheColumnSize) {
    query_->Edit();
    name_->SetMaxLength(8);
    TypeAtEnd(name_, "一二");
    EXPECT_EQ(name_->text(), "财务部一");
}

TEST_F(DataBoxesTest, EscapeShowsTheFieldValueAgain) {
    query_->Edit();
    TypeAtEnd(name_, "xx");
    QTest::keyClick(name_, Qt::Key_Escape);
    EXPECT_EQ(name_->text(), "财务部");
    TypeAtEnd(date_, "9");
    QTest::keyClick(date_, Qt::Key_Escape);
    EXPECT_EQ(date_->text(), "2007-03-05");
}

TEST_F(DataBoxesTest, ARefusedValueKeepsTheUserInTheBoxAndSaysWhy) {
    query_->Edit();
    FocusOn(date_);
    date_->selectAll();
    test::TypeText(date_, "abc");
    FocusOn(other_);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), date_);
    ASSERT_EQ(messages_.texts.size(), 1);
    EXPECT_TRUE(messages_.texts[0].contains("YYYY-MM-DD")) << messages_.texts[0].toStdString();
    EXPECT_EQ(Stored("EDIT_DATE"), "2007-03-05");

    date_->selectAll();
    test::TypeText(date_, "2008-01-02");
    FocusOn(other_);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), other_);
    EXPECT_EQ(Stored("EDIT_DATE"), "2008-01-02");
}

TEST_F(DataBoxesTest, ReadOnlyFollowsTheDataSetState) {
    EXPECT_TRUE(date_->isReadOnly());
    query_->Edit();
    EXPECT_FALSE(date_->isReadOnly());
    query_->Cancel();
    EXPECT_TRUE(date_->isReadOnly());
}

TEST_F(DataBoxesTest, RebindingDropsTheOldFieldsCap) {
    EXPECT_EQ(date_->MaxLength(), 0);
    date_->SetDataField("COMPANY_ID");
    EXPECT_EQ(date_->MaxLength(), 16);
    date_->SetDataField("COMPANY_NAME");
    EXPECT_EQ(date_->MaxLength(), 40);
    EXPECT_EQ(date_->text(), "财务部");
}

} // namespace
} // namespace kx
