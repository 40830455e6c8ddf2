#include "grid/editors/dbcheckboxx.h"

#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "platform/sys/exception.h"
#include "tests/platform/db/dbfixture.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

class CheckBoxTest : public db::test::DbTest {
protected:
    CheckBoxTest() {
        Exec({"CREATE TABLE CB_TEST (ID INTEGER PRIMARY KEY, FLAG VARCHAR(5), OK BOOLEAN)"});
    }

    // The box over FLAG (or OK) of the only record.
    TDBCheckBoxX& Bind(const QString& flag, const QString& field = QStringLiteral("FLAG")) {
        Exec({QStringLiteral("INSERT INTO CB_TEST VALUES (1, %1, NULL)").arg(flag)});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM CB_TEST"));
        source_.SetDataSet(&query_);
        box_.SetValueChecked(QStringLiteral("Yes;Y"));
        box_.SetValueUnchecked(QStringLiteral("No;N"));
        box_.SetDataSource(&source_);
        box_.SetDataField(field);
        query_.Open();
        return box_;
    }

    db::TQuery query_;
    db::TDataSource source_;
    TDBCheckBoxX box_;
};

TEST_F(CheckBoxTest, FieldTextsMapToStatesWhateverTheirCase) {
    const struct {
        const char* stored;
        TCheckBoxState state;
    } cases[] = {{"'yes'", cbChecked}, {"'y'", cbChecked},    {"'NO'", cbUnchecked},
                 {"'n'", cbUnchecked}, {"'maybe'", cbGrayed}, {"''", cbGrayed},
                 {"NULL", cbGrayed}};
    for (const auto& c : cases) {
        Exec({"DELETE FROM CB_TEST"});
        query_.Close();
        Bind(QString::fromLatin1(c.stored));
        EXPECT_EQ(box_.GetFieldState(), c.state) << c.stored;
        EXPECT_EQ(box_.State(), c.state) << c.stored;
    }
}

TEST_F(CheckBoxTest, WritingAStateWritesTheFirstTextAtOnce) {
    Bind(QStringLiteral("'No'"));
    box_.SetChecked(true);
    EXPECT_EQ(query_.State(), db::dsEdit);
    EXPECT_EQ(query_.FieldByName(QStringLiteral("FLAG"))->AsString(), QStringLiteral("Yes"));
    box_.SetState(cbGrayed);
    EXPECT_TRUE(query_.FieldByName(QStringLiteral("FLAG"))->IsNull());
    box_.SetChecked(false);
    query_.Post();
    EXPECT_EQ(Column(QStringLiteral("SELECT FLAG FROM CB_TEST")), QStringList{"No"});
}

TEST_F(CheckBoxTest, ABooleanFieldTakesTheStateItself) {
    Bind(QStringLiteral("NULL"), QStringLiteral("OK"));
    EXPECT_EQ(box_.State(), cbGrayed);
    box_.SetChecked(true);
    EXPECT_TRUE(query_.FieldByName(QStringLiteral("OK"))->AsBoolean());
    query_.Post();
    EXPECT_EQ(box_.State(), cbChecked);
}

TEST_F(CheckBoxTest, AStateTheFieldRefusesShowsTheFieldAgain) {
    Exec({"INSERT INTO CB_TEST VALUES (1, 'No', NULL)"});
    query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    query_.SQL().SetText(QStringLiteral("SELECT * FROM CB_TEST"));
    source_.SetDataSet(&query_);
    box_.SetValueChecked(QStringLiteral("Yes"));
    box_.SetValueUnchecked(QStringLiteral("No"));
    box_.SetDataSource(&source_);
    box_.SetDataField(QStringLiteral("FLAG"));
    query_.Open();
    EXPECT_THROW(box_.SetChecked(true), Exception) << "the query is not live";
    EXPECT_EQ(box_.State(), cbUnchecked);
}

// The user's toggling: through grayed only where allowed; a grayed box
// always goes to checked.
TEST_F(CheckBoxTest, ToggleCycles) {
    Bind(QStringLiteral("'n'"));
    const auto cycle = [this](int clicks) {
        std::vector<TCheckBoxState> states;
        for (int i = 0; i < clicks; ++i) {
            box_.Click();
            states.push_back(box_.State());
        }
        return states;
    };
    EXPECT_EQ(cycle(2), (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
    box_.AllowGrayed = true;
    EXPECT_EQ(cycle(3), (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    box_.AllowGrayed = false;
    box_.SetState(cbGrayed);
    EXPECT_EQ(cycle(1), (std::vector<TCheckBoxState>{cbChecked}));
}

TEST_F(CheckBoxTest, TheUsersChangeReachesTheFieldWhenTheRecordIsUpdated) {
    Bind(QStringLiteral("'Y'"));
    box_.Click();
    EXPECT_EQ(query_.FieldByName(QStringLiteral("FLAG"))->AsString(), QStringLiteral("Y"));
    query_.Post();
    EXPECT_EQ(Column(QStringLiteral("SELECT FLAG FROM CB_TEST")), QStringList{"No"});
}

TEST_F(CheckBoxTest, AReadOnlyLinkIgnoresTheUser) {
    Bind(QStringLiteral("'Y'"));
    box_.SetReadOnly(true);
    box_.Click();
    EXPECT_EQ(box_.State(), cbChecked);
    EXPECT_EQ(query_.State(), db::dsBrowse);
}

TEST(CheckBoxUnbound, HoldsItsOwnStateStartingUnchecked) {
    TDBCheckBoxX box;
    EXPECT_EQ(box.State(), cbUnchecked);
    EXPECT_EQ(box.DataLink()->DataIndependentValue(), QVariant(false));
    box.SetState(cbGrayed);
    EXPECT_TRUE(db::VarIsNull(box.DataLink()->DataIndependentValue()));
    box.SetChecked(true);
    EXPECT_EQ(box.DataLink()->DataIndependentValue(), QVariant(true));
    int clicks = 0;
    box.OnClick = [&clicks](QObject*) { ++clicks; };
    box.Click();
    EXPECT_EQ(box.State(), cbUnchecked);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(QSize(box.width(), box.height()), QSize(97, 17));
}

// A press on a box that cannot take the focus is dropped; once focused,
// the mouse and Space toggle it.
TEST(CheckBoxUnbound, MouseAndSpaceToggleOnlyWithTheFocus) {
    QWidget window;
    window.resize(200, 60);
    auto* box = new TDBCheckBoxX(&window);
    box->SetCaption(QStringLiteral("&Match case"));
    box->move(10, 10);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(box->State(), cbUnchecked) << "the window is not active";

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->State(), cbChecked);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(box->State(), cbUnchecked);
}

} // namespace
} // namespace kx::test
