// The grid demo's editing mode, driven by keys and the mouse over a fresh
// data folder: every column kind is edited in place and posted, cells are
// copied into the second grid, and the grid is exported in each format.

#include "grid/dbgrid/dbgridinplaceedit.h"
#include "grid/dbgrid/dblookupgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/editors/editbuttoncontrolx.h"
#include "tests/platform/db/dbfixture.h"
#include "tools/griddemo/editgrid.h"

#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/griddatalinkx.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

class GridDemoEditTest : public db::test::DbTest {
protected:
    GridDemoEditTest() {
        StartGridUnit();
        Exec({"INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
              "MONEY_ACCOUNT_NAME) VALUES ('01', '', '现金账户')",
              "INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
              "MONEY_ACCOUNT_NAME) VALUES ('02', '', '银行账户')",
              "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
              "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_NUMBER_FIELD1, "
              "MONEY_TEXT_FIELD1, MONEY_TEXT_NOTE, STATUS) VALUES ('R1', '202601000001', 'T1', "
              "'01', '2026-01-05', 100, 2, '现金', '备用金', '未审核')",
              "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
              "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_NUMBER_FIELD1, "
              "MONEY_TEXT_FIELD1, MONEY_TEXT_NOTE, STATUS) VALUES ('R2', '202601000002', 'T1', "
              "'02', '2026-01-06', 50, 1, '支票', '货款', '未审核')"});
        demo_ = std::make_unique<TEditGridDemo>(folder_.Path());
        demo_->resize(1100, 600);
        demo_->show();
        demo_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(demo_.get()));
        demo_->Grid().setFocus();
    }
    ~GridDemoEditTest() override {
        demo_.reset();
        EndGridUnit();
    }

    // Leaves the cell as a move to another column does: the edited text
    // reaches the record.
    void LeaveCell() {
        TCustomDBGridX& grid = demo_->Grid();
        grid.SetEditorMode(false);
        if (grid.DataLink()->EditorChanged())
            grid.DataLink()->UpdateRecord();
    }

    TDBGridInplaceEdit* EditCell(const char* field) {
        TCustomDBGridX& grid = demo_->Grid();
        LeaveCell();
        grid.SetCol(grid.DataToRawColumn(demo_->ColumnOf(QString::fromLatin1(field))->Index()));
        grid.SetEditorMode(true);
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid.InplaceEditor());
        if (editor)
            editor->setFocus();
        return editor;
    }

    void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(widget, key, modifiers);
    }

    QString StoredOfFirst(const char* column) {
        return Column(QStringLiteral("SELECT %1 || '' FROM KX_INTO_OUT_MONEY_TABLE "
                                     "WHERE MONEY_RECORD_ID = 'R1'")
                          .arg(QLatin1String(column)))
            .value(0);
    }

    void Post() {
        demo_->Grid().SetEditorMode(false);
        demo_->Records().Post();
    }

    std::unique_ptr<TEditGridDemo> demo_;
};

TEST_F(GridDemoEditTest, EveryColumnKindIsEditedInPlaceAndPosted) {
    TDBGridInplaceEdit* editor = EditCell("MONEY_TEXT_NOTE");
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->EditStyle(), gesEllipsis);
    Key(editor, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(demo_->Status().text(), "编辑按钮: 备用金");

    editor = EditCell("MONEY_TEXT_FIELD1");
    EXPECT_EQ(editor->EditStyle(), gesPickList);
    editor->selectAll();
    // Chinese text arrives as a key event with the text and no key code.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("转"));
    QApplication::sendEvent(editor, &typed);
    EXPECT_EQ(editor->Text(), "转账");

    editor = EditCell("ACCOUNT_NAME");
    EXPECT_EQ(editor->EditStyle(), gesLookup);
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    Key(editor, Qt::Key_Down);
    Key(editor, Qt::Key_Return);
    EXPECT_EQ(editor->Text(), "银行账户");

    editor = EditCell("MONEY_DATE");
    EXPECT_EQ(editor->EditStyle(), gesDate);
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    Key(editor, Qt::Key_Right);
    Key(editor, Qt::Key_Return);

    editor = EditCell("MONEY_NUMBER_FIELD1");
    EXPECT_EQ(editor->EditStyle(), gesUpDown);
    TEditButtonControlX* button = editor->ButtonAt(0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, 2));

    editor = EditCell("MONEY_INTO_NUMBER");
    EXPECT_EQ(editor->EditStyle(), gesDropDown);
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClicks(editor, QStringLiteral("+23="));
    Key(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());

    LeaveCell();
    TCustomDBGridX& grid = demo_->Grid();
    grid.SetCol(grid.DataToRawColumn(demo_->ColumnOf(QStringLiteral("STATUS"))->Index()));
    QTest::keyClick(&grid, Qt::Key_Space);
    Post();

    EXPECT_EQ(StoredOfFirst("MONEY_TEXT_FIELD1"), "转账");
    EXPECT_EQ(StoredOfFirst("MONEY_ACCOUNT_ID"), "02");
    EXPECT_EQ(StoredOfFirst("MONEY_DATE"), "2026-01-06");
    EXPECT_EQ(StoredOfFirst("MONEY_NUMBER_FIELD1"), "3.0");
    EXPECT_EQ(StoredOfFirst("MONEY_INTO_NUMBER"), "123.0");
    EXPECT_EQ(StoredOfFirst("STATUS"), "已审核");
    EXPECT_EQ(demo_->AccountGrid().DisplayText(), "银行账户")
        << "the lookup grid follows the record";
}

TEST_F(GridDemoEditTest, CopiedCellsPasteIntoTheSecondGrid) {
    TCustomDBGridX& grid = demo_->Grid();
    grid.Selection().Columns().Clear();
    grid.Selection().Columns().Select(demo_->ColumnOf(QStringLiteral("MONEY_TEXT_NOTE")), false);
    demo_->CopyFromGrid();
    TCustomDBGridX& target = demo_->PasteGrid();
    target.setFocus();
    target.SetCol(target.DataToRawColumn(3));
    demo_->PasteIntoSecondGrid();
    EXPECT_EQ(Column("SELECT MONEY_TEXT_NOTE FROM KX_INTO_OUT_MONEY_TABLE ORDER BY MONEY_ID"),
              QStringList({"货款", "备用金"}))
        << "the second grid lists the records the other way round";
}

TEST_F(GridDemoEditTest, ExportsEachFormat) {
    QTemporaryDir dir;
    const struct {
        TGridExportFormat format;
        const char* file;
        const char* begins;
    } cases[] = {{TGridExportFormat::Text, "grid.txt", ""},
                 {TGridExportFormat::Csv, "grid.csv", ""},
                 {TGridExportFormat::Rtf, "grid.rtf", "{\\rtf"},
                 {TGridExportFormat::VCLDBIF, "grid.dbif", ""}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.file));
        demo_->ExportTo(c.format, path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.isEmpty()) << c.file;
        EXPECT_TRUE(bytes.startsWith(c.begins)) << c.file;
        EXPECT_TRUE(demo_->Status().text().endsWith(path)) << c.file;
    }
}

// Not a check: a picture of the editing mode with a list open, for a look.
TEST_F(GridDemoEditTest, PictureWithAnOpenList) {
    TDBGridInplaceEdit* editor = EditCell("MONEY_TEXT_FIELD1");
    ASSERT_TRUE(editor);
    Key(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    const QString out = qEnvironmentVariable("KX_DEMO_PICTURE");
    if (out.isEmpty())
        return;
    QPixmap picture = demo_->grab();
    {
        QPainter painter(&picture);
        QWidget* list = editor->ActiveList();
        painter.drawPixmap(demo_->mapFromGlobal(list->mapToGlobal(QPoint(0, 0))), list->grab());
    }
    picture.save(out);
}

} // namespace
} // namespace kx::test
