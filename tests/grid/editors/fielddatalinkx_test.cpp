#include "grid/editors/fielddatalinkx.h"

#include "platform/db/database.h"
#include "platform/db/datasource.h"
#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "tests/platform/db/dbfixture.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using db::TQuery;

// Counts what the link tells its control.
struct TControlLog {
    int dataChanges = 0;
    int editingChanges = 0;
    int updates = 0;
    void Attach(TFieldDataLinkX& link) {
        link.OnDataChange = [this](TFieldDataLinkX*) { ++dataChanges; };
        link.OnEditingChange = [this](TFieldDataLinkX*) { ++editingChanges; };
        link.OnUpdateData = [this](TFieldDataLinkX*) { ++updates; };
    }
};

TEST(FieldDataLinkX, WithoutSourceAndNameItKeepsTheValueItself) {
    TFieldDataLinkX link;
    TControlLog log;
    log.Attach(link);
    EXPECT_TRUE(link.DataIndependent());
    EXPECT_TRUE(link.IsActive());
    EXPECT_TRUE(link.CanModify());
    EXPECT_TRUE(db::VarIsNull(link.DataIndependentValue()));

    link.SetText(QStringLiteral("abc"));
    EXPECT_EQ(link.DataIndependentValue(), QVariant(QStringLiteral("abc")));
    EXPECT_EQ(log.dataChanges, 1);
    link.SetValue(42);
    EXPECT_EQ(link.DataIndependentValue().metaType(), QMetaType::fromType<int>());
    EXPECT_EQ(link.DataIndependentValue(), QVariant(42));

    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(log.editingChanges, 1);
    link.Modified();
    link.UpdateRecord();
    EXPECT_EQ(log.updates, 1);
    EXPECT_FALSE(link.Editing());
    EXPECT_FALSE(link.IsModified());
    link.UpdateRecord(); // nothing modified: nothing to write
    EXPECT_EQ(log.updates, 1);

    link.SetReadOnly(true);
    EXPECT_FALSE(link.Edit());
    EXPECT_EQ(log.editingChanges, 1);
}

class BoundLinkTest : public db::test::DbTest {
protected:
    BoundLinkTest() {
        TQuery create;
        create.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        create.SQL().SetText(QStringLiteral("CREATE TABLE LINK_TEST (A INTEGER, B VARCHAR(8))"));
        create.ExecSQL();
        create.SQL().SetText(QStringLiteral("INSERT INTO LINK_TEST VALUES (1, 'x')"));
        create.ExecSQL();
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM LINK_TEST"));
        query_.Open();
        source_.SetDataSet(&query_);
    }

    TQuery query_;
    db::TDataSource source_;
};

TEST_F(BoundLinkTest, SeveralFieldsTakeAListOrNull) {
    TFieldDataLinkX link;
    link.SetMultiFields(true);
    link.SetDataSource(&source_);
    link.SetFieldName(QStringLiteral("A;B"));
    EXPECT_FALSE(link.DataIndependent());
    ASSERT_EQ(link.FieldsCount(), 2);
    EXPECT_TRUE(link.IsActive());
    query_.Edit();
    link.SetValue(QVariantList{7, QStringLiteral("y")});
    EXPECT_EQ(query_.FieldByName(QStringLiteral("A"))->AsInteger(), 7);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("B"))->AsString(), QStringLiteral("y"));
    link.SetValue(db::NullVariant());
    EXPECT_TRUE(query_.FieldByName(QStringLiteral("A"))->IsNull());
    EXPECT_TRUE(query_.FieldByName(QStringLiteral("B"))->IsNull());
    EXPECT_THROW(link.SetValue(5), db::EDatabaseError);
}

TEST_F(BoundLinkTest, OneFieldFollowsTheDataSet) {
    QWidget control;
    control.setObjectName(QStringLiteral("NameEdit"));
    TFieldDataLinkX link(&control);
    TControlLog log;
    log.Attach(link);
    link.SetDataSource(&source_);
    link.SetFieldName(QStringLiteral("B"));
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_TRUE(link.Edit());
    EXPECT_EQ(query_.State(), db::dsEdit);
    link.SetText(QStringLiteral("typed"));
    EXPECT_EQ(query_.FieldByName(QStringLiteral("B"))->AsString(), QStringLiteral("typed"));

    try {
        link.SetFieldName(QStringLiteral("NOPE"));
        ADD_FAILURE() << "an unknown field was bound";
    } catch (const db::EDatabaseError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("NameEdit: Field 'NOPE' not found"));
    }
    EXPECT_EQ(link.FieldsCount(), 1); // the fields stay as they were

    // Clearing source and name makes the link keep its own value again.
    link.SetDataSource(nullptr);
    link.SetFieldName(QString());
    EXPECT_TRUE(link.DataIndependent());
    EXPECT_TRUE(db::VarIsNull(link.DataIndependentValue()));
}

} // namespace
} // namespace kx
