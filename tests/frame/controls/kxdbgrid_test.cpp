// The plain data grid over a table with a memo and a picture, and its memo
// window.

#include "frame/controls/kxdbgrid.h"

#include "frame/controls/dbimage.h"
#include "frame/controls/dbmemo.h"
#include "frame/controls/fieldcelltext.h"
#include "frame/controls/formmemo.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "tests/frame/controlsfixture.h"

#include <QBuffer>
#include <QImage>

namespace kx {
namespace {

TEST(ShortenedMemoText, DropsAtLeastOneCharacterAndCutsUntilTheTextFits) {
    const auto tenEach = [](const QString& text) { return 10 * int(text.size()); };
    struct Case {
        QString Text;
        int Room;
        QString Expected;
    };
    for (const Case& c : {
             Case{"A", 100, ""},             // one character: "..." alone
             Case{"AB", 100, "A"},           // fits, but one goes all the same
             Case{"ABCDEFGHIJ", 50, "ABCD"}, // below the room, not at it
             Case{"ABCDEFGHIJ", 2, ""},      // no room at all
             Case{QString("a") + QChar(0xD83D) + QChar(0xDE00), 100, "a"}, // a whole pair
         }) {
        EXPECT_EQ(ShortenedMemoText(c.Text, c.Room, tenEach), c.Expected) << c.Text.toStdString();
    }
}

class TestGrid : public TKXDBGrid {
public:
    using TKXDBGrid::FireCellClick;
    using TKXDBGrid::TKXDBGrid;
};

class KXDBGridTest : public test::ControlsDbTest {
protected:
    KXDBGridTest() {
        StartGridUnit();
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        picture.save(&png, "PNG");
        Exec({"CREATE TABLE MEMO_TEST (ID INTEGER, NAME VARCHAR(20), NOTE MEMO, PIC BLOB)",
              "INSERT INTO MEMO_TEST VALUES (1, '甲', '第一条备注', NULL)",
              "INSERT INTO MEMO_TEST VALUES (2, '乙', '第二条备注', X'" + png.data().toHex() +
                  "')"});
        query_ = NewQuery("SELECT * FROM MEMO_TEST ORDER BY ID", &window_);
        source_.SetDataSet(query_);
        grid_->SetDataSource(&source_);
        grid_->resize(600, 200);
    }
    ~KXDBGridTest() override { EndGridUnit(); }

    TColumnX* Column(const QString& fieldName) const {
        for (int i = 0; i < grid_->Columns()->Count(); ++i) {
            if (grid_->Columns()->GetColumn(i)->FieldName() == fieldName)
                return grid_->Columns()->GetColumn(i);
        }
        ADD_FAILURE() << "no column " << fieldName.toStdString();
        return grid_->Columns()->GetColumn(0);
    }

    QWidget window_;
    db::TQuery* query_ = nullptr;
    db::TDataSource source_;
    TestGrid* grid_ = new TestGrid(&window_);
};

TEST_F(KXDBGridTest, TheRulesNameSizeAndShowTheColumnsOncePerOpen) {
    TFieldsDataArray rules;
    const auto rule = [&](const char* name, const char* label, int width, bool visible) {
        TFieldsData data;
        data.FieldName = name;
        data.DisplayLabel = label;
        data.DisplayWidth = width;
        data.Visible = visible;
        rules.Append(data);
    };
    rule("NAME", "名称", 30, true);
    rule("PIC", "照片", 0, false);
    grid_->SetFieldsData(rules);
    query_->Open();
    grid_->ApplyFieldsData();
    EXPECT_EQ(Column("NAME")->Title()->Caption(), "名称");
    EXPECT_EQ(query_->FieldByName("NAME")->DisplayWidth(), 30);
    EXPECT_FALSE(Column("PIC")->Visible());

    // Laid out already: a second call changes nothing until the mark goes.
    rules[0].DisplayLabel = "姓名";
    grid_->ApplyFieldsData();
    EXPECT_EQ(Column("NAME")->Title()->Caption(), "名称");
    grid_->ClearLaidOut();
    grid_->ApplyFieldsData();
    EXPECT_EQ(Column("NAME")->Title()->Caption(), "姓名");

    // A grid of one column keeps it as it is.
    query_->Close();
    query_->SQL().SetText("SELECT NAME FROM MEMO_TEST");
    query_->Open();
    grid_->ClearLaidOut();
    rules[0].DisplayLabel = "名称";
    grid_->ApplyFieldsData();
    EXPECT_EQ(Column("NAME")->Title()->Caption(), "NAME");
}

TEST_F(KXDBGridTest, MemoAndPictureCellsOpenOneWindowThatClosesWithTheData) {
    query_->Open();
    query_->FieldByName("NOTE")->SetDisplayLabel("备注");
    grid_->FireCellClick(Column("NOTE"));
    ASSERT_TRUE(FormMemo);
    TFormMemo* form = FormMemo;
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "备注");
    EXPECT_EQ(form->DBMemo1->toPlainText(), "第一条备注");
    EXPECT_TRUE(form->DBMemo1->isEnabled());

    query_->Next();
    grid_->MemoEditable = false;
    grid_->FireCellClick(Column("NOTE"));
    EXPECT_EQ(FormMemo, form) << "the window is reused";
    EXPECT_EQ(form->DBMemo1->toPlainText(), "第二条备注");
    EXPECT_FALSE(form->DBMemo1->isEnabled());

    grid_->FireCellClick(Column("PIC"));
    EXPECT_TRUE(form->DBMemo1->isHidden());
    EXPECT_FALSE(form->DBImage1->isHidden());
    EXPECT_EQ(form->DBImage1->pixmap().toImage().pixelColor(1, 1), QColor(Qt::red));

    query_->Close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->DBMemo1->DataField().isEmpty());
    EXPECT_TRUE(form->DBImage1->DataField().isEmpty());
}

TEST_F(KXDBGridTest, AnOrdinaryCellClickReachesTheWindow) {
    query_->Open();
    TColumnX* clicked = nullptr;
    grid_->OnCellClick = [&](TColumnX* column) { clicked = column; };
    grid_->FireCellClick(Column("NAME"));
    EXPECT_EQ(clicked, Column("NAME"));
    EXPECT_FALSE(FormMemo);
}

} // namespace
} // namespace kx
