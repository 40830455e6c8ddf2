#include "frame/dialogs/selecteditform.h"

#include "core/sqlfunctions.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxedit.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/codelistsql.h"
#include "platform/db/field.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <QLabel>
#include <QPushButton>

namespace kx {
namespace {

const QString kTable = "KX_MONEY_TEXT_FIELD1_TABLE";
const QString kField = "MONEY_TEXT_FIELD1";

TEST(CodeListSql, TypedTextIsQuotedAndKeepsItsBlanksOnlyInThePicker) {
    const struct {
        QString typed;
        QString windowPattern;
        QString pickerPattern;
    } cases[] = {
        {"办公", "'%办公%'", "'%办公%'"},
        {"", "'%%'", "'%%'"},
        {" 差旅 ", "'%差旅%'", "'% 差旅 %'"},
        {"O'Brien", "'%O''Brien%'", "'%O''Brien%'"},
        {"x' OR '1'='1", "'%x'' OR ''1''=''1%'", "'%x'' OR ''1''=''1%'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodeListSearchSql(kTable, kField, c.typed),
                  "SELECT * FROM " + kTable + " WHERE " + kField + " LIKE " + c.windowPattern +
                      " ORDER BY " + kField);
        EXPECT_EQ(PickTextValueSql(kField, kTable, c.typed),
                  "SELECT " + kField + " FROM " + kTable + " WHERE " + kField + "  LIKE " +
                      c.pickerPattern + " ORDER BY " + kField);
    }
}

// The code-list window on the first in/out text field's list, shown as the
// entry windows show it but without waiting for it to close.
class SelectEditFormTest : public test::PickerTest {
protected:
    void SetUp() override {
        Exec({Insert("办公用品"), Insert("差旅费")});
        form_.SetupCodeList(kField, "摘要", kTable);
        form_.Query->OpenQuery();
        ASSERT_TRUE(test::ShowActive(form_));
    }

    static QString Insert(const QString& value) {
        return "INSERT INTO " + kTable + " (" + kField + ") VALUES ('" + value + "')";
    }

    QStringList Stored() {
        QStringList values;
        std::unique_ptr<db::TQuery> query(
            NewQuery("SELECT " + kField + " FROM " + kTable + " ORDER BY " + kField, nullptr));
        for (query->Open(); !query->Eof(); query->Next())
            values << query->Fields()[0]->AsString();
        return values;
    }

    QStringList Listed() {
        QStringList values;
        TKXQuery* query = form_.Query;
        const int recNo = query->RecNo();
        for (query->First(); !query->Eof(); query->Next())
            values << query->FieldByName(kField)->AsString();
        if (recNo > 0)
            query->SetRecNo(recNo);
        return values;
    }

    QString Value(const QString& column, const QString& key) {
        std::unique_ptr<db::TQuery> query(NewQuery("SELECT " + column + " FROM " + kTable +
                                                       " WHERE " + kField + " = " + QuotedStr(key),
                                                   nullptr));
        query->Open();
        return query->IsEmpty() ? QString() : query->Fields()[0]->AsString();
    }

    bool Locate(const QString& value) { return form_.Query->Locate(kField, value); }

    void Type(const QString& value) {
        form_.KXDBEdit1->setText(value);
        test::PressKey(&form_, Qt::Key_F8);
    }

    void Find(const QString& text) {
        test::FocusOn(form_.KXEdit1);
        form_.KXEdit1->setText(text);
        test::PressKey(&form_, Qt::Key_Return);
    }

    TSelectEditForm form_;
};

TEST_F(SelectEditFormTest, SetUpForOneListAndBrowsingWithTheSearchEditInFront) {
    EXPECT_EQ(form_.windowTitle(), "摘要数据选择编辑窗口");
    EXPECT_EQ(form_.Label1->text(), "按回车键进行查找");
    EXPECT_TRUE(form_.KXEdit1->isVisible());
    EXPECT_FALSE(form_.KXDBEdit1->isVisible());
    EXPECT_EQ(form_.Query->Text().trimmed(), "SELECT *  FROM " + kTable + " ORDER BY " + kField);
    EXPECT_EQ(Listed(), QStringList({"办公用品", "差旅费"}));
    EXPECT_EQ(form_.Query->Fields()[0]->DisplayLabel(), "摘要");
    EXPECT_EQ(form_.Query->Fields()[0]->DisplayWidth(), 60);
    EXPECT_EQ(form_.KXEdit1->text(), "办公用品") << "the search edit mirrors the current value";
    EXPECT_TRUE(form_.button_Ok->isEnabled());
    EXPECT_FALSE(form_.button_save->isEnabled());
}

TEST_F(SelectEditFormTest, AddsRenamesAndDeletesAValueHoldingAQuote) {
    test::PressKey(&form_, Qt::Key_F5);
    ASSERT_EQ(form_.Query->State(), db::dsInsert);
    EXPECT_EQ(form_.Label1->text(), "摘要");
    EXPECT_TRUE(form_.KXDBEdit1->isVisible());
    EXPECT_FALSE(form_.button_Ok->isEnabled());
    Type("O'Brien's 礼品");
    ASSERT_EQ(form_.Query->State(), db::dsBrowse) << messages_.texts.join('|').toStdString();
    EXPECT_EQ(Stored(), QStringList({"O'Brien's 礼品", "办公用品", "差旅费"}));
    EXPECT_EQ(form_.KXEdit1->text(), "O'Brien's 礼品");
    EXPECT_EQ(Value("CREATE_NAME", "O'Brien's 礼品"), "张会计");
    EXPECT_EQ(Value("CREATE_DATE", "O'Brien's 礼品"), "2007-03-05");

    ASSERT_TRUE(Locate("O'Brien's 礼品"));
    test::PressKey(&form_, Qt::Key_F6);
    ASSERT_EQ(form_.Query->State(), db::dsEdit);
    Type("O'Neil 'gift'");
    ASSERT_EQ(form_.Query->State(), db::dsBrowse) << messages_.texts.join('|').toStdString();
    EXPECT_EQ(Stored(), QStringList({"O'Neil 'gift'", "办公用品", "差旅费"}))
        << "the row found by its old value is renamed, no other";
    EXPECT_EQ(Value("EDIT_NAME", "O'Neil 'gift'"), "张会计");

    ASSERT_TRUE(Locate("O'Neil 'gift'"));
    test::PressKey(&form_, Qt::Key_F7);
    EXPECT_EQ(messages_.texts, QStringList({"请确认是否删除 ?"}));
    EXPECT_EQ(Stored(), QStringList({"办公用品", "差旅费"}));
    EXPECT_EQ(Listed(), QStringList({"办公用品", "差旅费"}));
}

TEST_F(SelectEditFormTest, ADuplicateOrEmptyValueIsRefusedAndNothingChanges) {
    Exec({Insert("O''Brien")});
    const struct {
        bool rename;
        QString typed;
        QString message;
    } cases[] = {{false, "差旅费", "摘要重复"},
                 {false, "O'Brien", "摘要重复"},
                 {false, "", "摘要必须有一个值"},
                 {true, "O'Brien", "摘要重复"},
                 {true, "", "摘要必须有一个值"}};
    for (const auto& c : cases) {
        form_.button_All->click();
        messages_.texts.clear();
        if (c.rename) {
            ASSERT_TRUE(Locate("办公用品"));
            test::PressKey(&form_, Qt::Key_F6);
        } else {
            test::PressKey(&form_, Qt::Key_F5);
        }
        Type(c.typed);
        EXPECT_EQ(messages_.texts, QStringList({c.message})) << c.typed.toStdString();
        EXPECT_NE(form_.Query->State(), db::dsBrowse) << "the value stays open for correction";
        test::PressKey(&form_, Qt::Key_F9);
        EXPECT_EQ(Stored(), QStringList({"O'Brien", "办公用品", "差旅费"}));
    }
    // A value longer than the column is cut to it, as typing cuts it.
    form_.button_All->click();
    messages_.texts.clear();
    test::PressKey(&form_, Qt::Key_F5);
    Type(QString(51, u'x'));
    EXPECT_EQ(messages_.texts, QStringList());
    EXPECT_EQ(Stored(), QStringList({"O'Brien", QString(50, u'x'), "办公用品", "差旅费"}));
}

TEST_F(SelectEditFormTest, EnterInTheSearchEditFindsValuesContainingTheTrimmedText) {
    Exec({Insert("O''Brien"), Insert("差旅补助")});
    const struct {
        QString text;
        QStringList found;
    } cases[] = {{"差旅", {"差旅补助", "差旅费"}},
                 {"  差旅  ", {"差旅补助", "差旅费"}},
                 {"'B", {"O'Brien"}},
                 {"x' OR '1'='1", {}},
                 {"", {"O'Brien", "办公用品", "差旅补助", "差旅费"}}};
    for (const auto& c : cases) {
        Find(c.text);
        EXPECT_EQ(Listed(), c.found) << c.text.toStdString();
        EXPECT_EQ(form_.focusWidget(), form_.KXEdit1);
    }
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join('|').toStdString();
    form_.button_All->click();
    EXPECT_EQ(Listed().size(), 4);
}

TEST_F(SelectEditFormTest, WhileEditingF3DoesNothingAndClosingIsRefused) {
    test::PressKey(&form_, Qt::Key_F5);
    test::PressKey(&form_, Qt::Key_F3);
    test::PressKey(&form_, Qt::Key_F12);
    form_.close();
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Rejected);
    EXPECT_EQ(messages_.texts,
              QStringList({"必须保存或取消新增、修改的数据", "必须保存或取消新增、修改的数据"}));
    test::PressKey(&form_, Qt::Key_F9);
    EXPECT_EQ(form_.Label1->text(), "按回车键进行查找");
    test::PressKey(&form_, Qt::Key_F3);
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Accepted);
}

TEST_F(SelectEditFormTest, OkNeedsAValueInTheList) {
    Find("没有这个");
    form_.button_Ok->click();
    EXPECT_EQ(messages_.texts, QStringList({"必须选择一个记录"}));
    EXPECT_TRUE(form_.isVisible());
}

TEST_F(SelectEditFormTest, TabGoesFromTheEditsToTheGridAndDownTheButtons) {
    QStringList chain;
    for (QWidget* widget = form_.nextInFocusChain(); widget != &form_;
         widget = widget->nextInFocusChain()) {
        if (widget->parentWidget() == &form_ && !widget->objectName().isEmpty())
            chain << widget->objectName();
    }
    EXPECT_EQ(chain, QStringList({"Label1", "KXDBEdit1", "KXEdit1", "DBGrid", "button_add",
                                  "button_edit", "button_delete", "button_save", "button_cancel",
                                  "button_All", "button_Ok", "button_close"}));
}

TEST_F(SelectEditFormTest, LooksRightWhileBrowsingAndEditing) {
    EXPECT_EQ(test::ClippedTexts(form_), QStringList());
    EXPECT_TRUE(test::SaveShot(form_, "selecteditform"));
    test::PressKey(&form_, Qt::Key_F5);
    EXPECT_EQ(test::ClippedTexts(form_), QStringList());
    EXPECT_TRUE(test::SaveShot(form_, "selecteditform_adding"));
    test::PressKey(&form_, Qt::Key_F9);
}

} // namespace
} // namespace kx
