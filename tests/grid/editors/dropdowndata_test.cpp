#include "grid/editors/extrarowx.h"
#include "grid/editors/fieldnamelists.h"
#include "grid/editors/mrulistx.h"

#include "platform/db/database.h"
#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "tests/platform/db/dbfixture.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(MRUListX, AddTextKeepsOneOfEachNewestLast) {
    TMRUListX list;
    list.SetLimit(3);
    struct Step {
        QString text;
        QStringList after;
    };
    const Step steps[] = {
        {QStringLiteral("alpha"), {QStringLiteral("alpha")}},
        {QStringLiteral("   "), {QStringLiteral("alpha")}},
        {QStringLiteral("Beta"), {QStringLiteral("alpha"), QStringLiteral("Beta")}},
        // a known text moves to the end with its own letter case
        {QStringLiteral("ALPHA"), {QStringLiteral("Beta"), QStringLiteral("alpha")}},
        {QStringLiteral("gamma"),
         {QStringLiteral("Beta"), QStringLiteral("alpha"), QStringLiteral("gamma")}},
        // at the limit the oldest goes
        {QStringLiteral(" delta"),
         {QStringLiteral("alpha"), QStringLiteral("gamma"), QStringLiteral(" delta")}},
    };
    for (const Step& step : steps) {
        list.AddText(step.text);
        EXPECT_EQ(list.Items(), step.after) << step.text.toStdString();
    }
    list.SetCaseSensitive(true);
    list.AddText(QStringLiteral("GAMMA"));
    EXPECT_EQ(list.Items().size(), 3);
    EXPECT_EQ(list.Items().last(), QStringLiteral("GAMMA"));
    list.SetLimit(1);
    EXPECT_EQ(list.Items(), QStringList{QStringLiteral("GAMMA")});
}

TEST(MRUListX, CopyMatchingByPrefixAndFilter) {
    TMRUListX list;
    list.SetItems({QStringLiteral("现金"), QStringLiteral("现金日记"), QStringLiteral("Bank"),
                   QStringLiteral("bank fee")});
    QStringList target{QStringLiteral("old")};
    list.CopyMatching(target, QString());
    EXPECT_EQ(target, list.Items());
    list.CopyMatching(target, QStringLiteral("BAN"));
    EXPECT_EQ(target, (QStringList{QStringLiteral("Bank"), QStringLiteral("bank fee")}));
    list.SetCaseSensitive(true);
    list.CopyMatching(target, QStringLiteral("ban"));
    EXPECT_EQ(target, QStringList{QStringLiteral("bank fee")});
    list.OnItemFilter = [](const TMRUListX*, const QString& item, bool& accept) {
        accept = accept && item.size() == 2;
    };
    list.CopyMatching(target, QStringLiteral("现"));
    EXPECT_EQ(target, QStringList{QStringLiteral("现金")});
}

TEST(MRUListX, ActivityChangeOnlyOnAChange) {
    TMRUListX list;
    int changes = 0;
    list.OnActivityChange = [&changes](TMRUListX*) { ++changes; };
    list.SetActive(false);
    list.SetActive(true);
    list.SetActive(true);
    EXPECT_EQ(changes, 1);
    TMRUListX copy;
    copy.Assign(list);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.Limit(), 100);
    EXPECT_EQ(copy.Rows(), 7);
}

TEST(SpecRowX, SplitCellsText) {
    struct Case {
        QString text;
        QStringList cells;
    };
    const Case cases[] = {
        {QStringLiteral("a;\"b;c\";;d"),
         {QStringLiteral("a"), QStringLiteral("b;c"), QString(), QStringLiteral("d")}},
        {QStringLiteral("a;b;"), {QStringLiteral("a"), QStringLiteral("b")}},
        {QStringLiteral("\t\x01 x ;\"say \"\"hi\"\"\""),
         {QStringLiteral(" x "), QStringLiteral("say \"hi\"")}},
        {QStringLiteral("\"open"), {QStringLiteral("open")}},
        {QString(), {}},
        {QStringLiteral("全部;（无）"), {QStringLiteral("全部"), QStringLiteral("（无）")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCellsText(c.text), c.cells) << c.text.toStdString();
}

TEST(SpecRowX, WritersNotifyOnlyOnChangesAndOnceInABracket) {
    QWidget owner;
    TSpecRowX row(&owner);
    int changes = 0;
    row.OnChanged = [&changes](TSpecRowX*) { ++changes; };
    EXPECT_TRUE(db::VarIsNull(row.Value()));
    EXPECT_EQ(row.ShortCut(), QKeyCombination(Qt::AltModifier, Qt::Key_Delete));
    EXPECT_TRUE(row.ShowIfNotInKeyList());
    EXPECT_EQ(row.Font(), owner.font());

    row.SetCellsText(QStringLiteral("全部;x"));
    row.SetCellsText(QStringLiteral("全部;x"));
    row.SetValue(db::NullVariant());
    row.SetVisible(false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(row.CellTextAt(1), QStringLiteral("x"));
    EXPECT_EQ(row.CellTextAt(2), QString());
    EXPECT_EQ(row.CellTextAt(-1), QString());

    row.BeginUpdate();
    row.SetVisible(true);
    row.SetValue(-1);
    row.SetColor(ui::clYellow);
    EXPECT_EQ(changes, 1);
    row.EndUpdate();
    EXPECT_EQ(changes, 2);

    TSpecRowX copy;
    int copyChanges = 0;
    copy.OnChanged = [&copyChanges](TSpecRowX*) { ++copyChanges; };
    copy.Assign(row);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.CellsText(), row.CellsText());
    EXPECT_EQ(copy.Color(), ui::clYellow);
    EXPECT_FALSE(copy.FontAssigned());
    EXPECT_EQ(copy.Value(), QVariant(-1));
    EXPECT_TRUE(copy.Visible());
}

class FieldNameListsTest : public db::test::DbTest {
protected:
    FieldNameListsTest() {
        db::TQuery create;
        create.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        create.SQL().SetText(
            QStringLiteral("CREATE TABLE FN_TEST (ID INTEGER, NAME VARCHAR(10), AMOUNT REAL)"));
        create.ExecSQL();
        create.SQL().SetText(QStringLiteral("INSERT INTO FN_TEST VALUES (1, 'a', 2.5)"));
        create.ExecSQL();
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM FN_TEST"));
        query_.Open();
    }

    db::TQuery query_;
};

TEST_F(FieldNameListsTest, NamesResolveInOrderAndAnUnknownOneIsRefused) {
    const TFieldsArrX fields = FieldListToArray(query_, nullptr, QStringLiteral(" AMOUNT ; ID;;"));
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields.at(0)->FieldName(), QStringLiteral("AMOUNT"));
    EXPECT_EQ(fields.at(1)->FieldName(), QStringLiteral("ID"));

    QObject component;
    component.setObjectName(QStringLiteral("Column1"));
    TFieldsArrX list;
    try {
        FieldsByNameList(&list, query_, &component, QStringLiteral("ID;NOPE;NAME"));
        ADD_FAILURE() << "an unknown field was accepted";
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Column1: Field 'NOPE' not found"));
    }
    EXPECT_EQ(list.size(), 1);
}

TEST_F(FieldNameListsTest, SetFieldValuesWritesOrClears) {
    query_.Edit();
    SetFieldValues(query_, QStringLiteral("NAME;AMOUNT"), QVariantList{QStringLiteral("b"), 7.25});
    EXPECT_EQ(query_.FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("b"));
    EXPECT_EQ(query_.FieldByName(QStringLiteral("AMOUNT"))->AsFloat(), 7.25);
    SetFieldValues(query_, QStringLiteral("ID"), 9);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("ID"))->AsInteger(), 9);
    SetFieldValues(query_, QStringLiteral("NAME;AMOUNT;ID"), db::NullVariant());
    for (const char* name : {"NAME", "AMOUNT", "ID"})
        EXPECT_TRUE(query_.FieldByName(QString::fromLatin1(name))->IsNull()) << name;
    EXPECT_THROW(SetFieldValues(query_, QStringLiteral("NAME;AMOUNT"), QStringLiteral("x")),
                 db::EDatabaseError);
}

} // namespace
} // namespace kx
