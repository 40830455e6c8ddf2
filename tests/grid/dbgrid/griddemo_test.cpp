// The grid demo's tree and filter-row modes driven as a user would, with
// real mouse and key events on an offscreen window.

#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "grid/editors/popuplistboxx.h"
#include "platform/db/field.h"
#include "tools/griddemo/filterrowdemo.h"
#include "tools/griddemo/treedemo.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

template <typename Demo> class DemoTest : public ::testing::Test {
protected:
    DemoTest() {
        StartGridUnit();
        demo_ = std::make_unique<Demo>();
        demo_->resize(760, 300);
        demo_->show();
        demo_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(demo_.get()));
        Grid().setFocus();
        QApplication::processEvents();
    }
    ~DemoTest() override {
        demo_.reset();
        EndGridUnit();
    }

    TCustomDBGridX& Grid() { return demo_->Grid(); }
    QWidget* Viewport() { return Grid().viewport(); }
    QPoint CellPoint(int col, int dataRow, int x = -1) {
        const ui::TRect rect = Grid().CellRect(col, dataRow + Grid().TitleOffset());
        return {x < 0 ? (rect.Left + rect.Right) / 2 : rect.Left + x, (rect.Top + rect.Bottom) / 2};
    }
    QString Name(int viewIndex) {
        auto& data = demo_->Data();
        data.BeginReadRecord(viewIndex);
        const QString name = data.Fields().Fields(0)->AsString();
        data.EndReadRecord();
        return name;
    }

    std::unique_ptr<Demo> demo_;
};

using TreeDemoTest = DemoTest<TTreeGridDemo>;
using FilterDemoTest = DemoTest<TFilterRowDemo>;

TEST_F(TreeDemoTest, ExpandScrollAndDragARecordToAnotherPlaceAndLevel) {
    TMemTreeDataSet& data = demo_->Data();
    const int shown = data.ViewRecordCount();
    // "Bank accounts" is the second branch, collapsed: its sign is in the
    // first slot of its row.
    int bank = -1;
    for (int i = 0; i < shown; ++i)
        if (Name(i) == "Bank accounts")
            bank = i;
    ASSERT_GE(bank, 0);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellPoint(1, bank, 9));
    EXPECT_EQ(data.ViewRecordCount(), shown + 4);
    EXPECT_EQ(Name(bank + 1), "Bank accounts, part 1");
    EXPECT_EQ(data.RecNo(), 1);

    // The wheel scrolls the rows; the current record stays.
    const int top = Grid().TopRow();
    QWheelEvent wheel(QPointF(CellPoint(2, 2)), Viewport()->mapToGlobal(QPointF(CellPoint(2, 2))),
                      {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
    EXPECT_EQ(Grid().TopRow(), top + 1);
    EXPECT_EQ(data.RecNo(), 1);
    Grid().ScrollDataRowsTo(top);

    // "Bank accounts, part 1" dragged by its indicator onto "Cash" and to the
    // right: it becomes the first child of Cash.
    const QPoint from = CellPoint(0, bank + 1);
    const QPoint to = CellPoint(1, 1, 2 * 18 + 4);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Viewport(), to);
    EXPECT_TRUE(Grid().MoveMarkerShown());
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(Name(1), "Bank accounts, part 1");
    EXPECT_EQ(data.NodeLevels()[1], 2);
    EXPECT_EQ(data.FieldByName(QStringLiteral("NAME"))->AsString(), "Bank accounts, part 1");
    EXPECT_FALSE(Grid().grab().isNull());
}

TEST_F(TreeDemoTest, ACutNoteShowsWholeInATipAtOnce) {
    // The detail lines carry notes longer than the note column.
    TMemTreeDataSet& data = demo_->Data();
    int detail = -1;
    for (int i = 0; i < data.ViewRecordCount() && detail < 0; ++i)
        if (Name(i).endsWith(QStringLiteral("detail")))
            detail = i;
    ASSERT_GE(detail, 0);
    QTest::mouseMove(Viewport(), CellPoint(4, detail, 10));
    EXPECT_TRUE(Grid().ToolTipShown());
    QTest::mouseMove(Viewport(), CellPoint(3, detail));
    EXPECT_FALSE(Grid().ToolTipShown());
}

TEST_F(FilterDemoTest, ChooseEmptyPressEnterAndTheRowsAreFiltered) {
    // A press on the city filter cell's button opens the editor with its
    // list dropped down.
    const ui::TRect cell = Grid().CellRect(2, Grid().TitleOffset() - 1);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {},
                      QPoint(cell.Right - 4, (cell.Top + cell.Bottom) / 2));
    TInplaceFilterEditX* editor = Grid().FilterEditor();
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_EQ(Grid().FilterColumn(), 1);
    ASSERT_TRUE(editor->ListVisible());
    TPopupListboxX* list = editor->PopupList();
    const QString dir = qEnvironmentVariable("KX_SCREENSHOT_DIR");
    // Set KX_SCREENSHOT_DIR to look at the picture.
    if (!dir.isEmpty()) {
        QImage shot(demo_->width(), demo_->height(), QImage::Format_RGB32);
        QPainter painter(&shot);
        painter.drawPixmap(0, 0, demo_->grab());
        painter.drawPixmap(demo_->mapFromGlobal(list->pos()), list->grab());
        shot.save(QDir(dir).filePath(QStringLiteral("filterrow.png")));
    }
    // "(Empty)" is the last special entry, before the cities.
    QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(list->currentItem()->text(), "(Empty)");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "=Null");
    EXPECT_EQ(demo_->Data().ViewRecordCount(), 24);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(demo_->Data().ViewRecordCount(), 6);
    EXPECT_EQ(Grid().RowCount(), 6 + Grid().TitleOffset());
}

} // namespace
} // namespace kx::test
