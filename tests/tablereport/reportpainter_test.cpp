#include "tablereport/reportpainter.h"

#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportcontrol.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace kx {
namespace {

class ReportPainterTest : public ::testing::Test {
protected:
    ReportPainterTest() {
        control.NewTable(2, 2);
        Cell(0, 1)->SetRightLine(false);
        Cell(0, 1)->SetBottomLine(false);
        Cell(1, 0)->Diagonal = DiagonalLeftToCorner;
        Cell(1, 1)->SetBackColor(0x0000FF); // red
    }
    TReportCell* Cell(int line, int cell) { return control.Lines[line]->Cells[cell].get(); }

    QImage Paint() {
        QImage image(control.PageWidth, control.PageHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintPage(painter, control, {0, 0, control.PageWidth, control.PageHeight});
        return image;
    }
    static int Middle(int a, int b) { return (a + b) / 2; }
    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

    FakeMeasurer measurer;
    TReportControl control{&measurer};
};

TEST_F(ReportPainterTest, DesignLookShowsGuidesWherePaperShowsNothing) {
    const TRect right = Cell(0, 1)->CellRect;
    const int y = right.Top + 10;
    const QImage design = Paint();
    EXPECT_EQ(At(design, Cell(0, 0)->CellRect.Right, y), 0x000000u);
    EXPECT_EQ(At(design, right.Right, y), 0xC0C0C0u);
    control.PreviewLook = true;
    const QImage paper = Paint();
    EXPECT_EQ(At(paper, right.Right, y), 0xFFFFFFu);
    EXPECT_EQ(At(paper, Cell(0, 0)->CellRect.Right, y), 0x000000u);
}

TEST_F(ReportPainterTest, DiagonalBackgroundMarginsAndSelection) {
    const TRect diagonal = Cell(1, 0)->CellRect;
    const TRect filled = Cell(1, 1)->CellRect;
    control.SelectCell(Cell(0, 0));
    const QImage image = Paint();
    // the stroke from the top-left to the bottom-right corner crosses the
    // middle of the cell
    const int midX = Middle(diagonal.Left, diagonal.Right);
    const int midY = Middle(diagonal.Top, diagonal.Bottom);
    EXPECT_TRUE(At(image, midX, midY - 1) == 0 || At(image, midX, midY) == 0 ||
                At(image, midX, midY + 1) == 0);
    EXPECT_EQ(At(image, midX, diagonal.Bottom - 3), 0xFFFFFFu);
    EXPECT_EQ(At(image, filled.Left + 20, filled.Top + 10), 0xFF0000u);
    EXPECT_EQ(At(image, control.LeftMarginPx - 10, control.TopMarginPx), 0x808080u);
    const TRect selected = Cell(0, 0)->CellRect;
    EXPECT_EQ(At(image, selected.Left + 50, selected.Top + 10), 0x000000u); // white inverted
    control.PreviewLook = true;
    EXPECT_EQ(At(Paint(), selected.Left + 50, selected.Top + 10), 0xFFFFFFu);
}

TEST_F(ReportPainterTest, TextIsDrawnInsideItsBoxInItsColour) {
    Cell(0, 0)->SetCellText(QStringLiteral("汉字"));
    Cell(0, 0)->SetTextColor(0xFF0000); // blue
    control.UpdateLines();
    control.PreviewLook = true;
    const QImage image = Paint();
    const TRect& box = Cell(0, 0)->TextRect;
    int inked = 0;
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = box.Left; x < box.Right; ++x)
            inked += qBlue(image.pixel(x, y)) > qRed(image.pixel(x, y)) + 64 ? 1 : 0;
    EXPECT_GT(inked, 10);
}

TEST(ReportPainterTextTest, TextThatFittedWhenMeasuredKeepsItsLastCharacter) {
    TQtTextMeasurer measurer;
    TReportControl control(&measurer);
    const QString text = QStringLiteral("过时数据删除");
    const int textWidth =
        int(std::ceil(QFontMetricsF(FontFromLogFont(TLogFont::Default())).horizontalAdvance(text)));
    TReportLine* line = control.AppendLine();
    line->CreateCells(0, 1, textWidth + 10);
    TReportCell& cell = *line->Cells[0];
    cell.SetCellText(text);
    control.UpdateLines();
    ASSERT_EQ(line->Height(), measurer.TextHeight(cell.LogFont(), QStringLiteral("汉"), 100) + 4);
    control.PreviewLook = true;
    QImage image(control.PageWidth, control.PageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, control, {0, 0, control.PageWidth, control.PageHeight});
    painter.end();
    // the last character is drawn at the end of the only line
    const TRect& box = cell.TextRect;
    int inked = 0;
    for (int x = box.Left + textWidth - 12; x < box.Left + textWidth; ++x)
        for (int y = box.Top; y < box.Bottom; ++y)
            inked += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(inked, 10);
}

TEST(ReportPainterTextTest, OneLineTextsFollowTheirAlignment) {
    TQtTextMeasurer measurer;
    for (const int align : {0, 1, 2}) {
        SCOPED_TRACE(align);
        TReportControl control(&measurer);
        TReportLine* line = control.AppendLine();
        line->CreateCells(0, 1, 300);
        TReportCell& cell = *line->Cells[0];
        cell.SetCellText(QStringLiteral("金额"));
        cell.HorzAlign = align;
        control.UpdateLines();
        control.PreviewLook = true;
        QImage image(control.PageWidth, control.PageHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintCell(painter, cell, true);
        painter.end();
        const TRect& box = cell.TextRect;
        int first = box.Right;
        int last = box.Left;
        for (int x = box.Left; x < box.Right; ++x)
            for (int y = box.Top + 1; y < box.Bottom - 1; ++y)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        ASSERT_LT(first, last);
        const int middle = (box.Left + box.Right) / 2;
        if (align == 0)
            EXPECT_LT(first, box.Left + 4);
        else if (align == 1)
            EXPECT_NEAR((first + last) / 2, middle, 4);
        else
            EXPECT_GT(last, box.Right - 6);
    }
}

TEST(ReportPainterTextTest, MeasuredHeightsFollowTheWidth) {
    TQtTextMeasurer measurer;
    const TLogFont font = TLogFont::Default();
    const QString text = QStringLiteral("资金借贷记录报表资金借贷记录报表");
    const int wide = measurer.TextHeight(font, text, 1000);
    const int narrow = measurer.TextHeight(font, text, 40);
    EXPECT_GT(narrow, 3 * wide);
    EXPECT_EQ(measurer.TextHeight(font, text, 1000), wide);
    TLogFont large = font;
    large.SetHeight(-32);
    EXPECT_GT(measurer.TextHeight(large, text, 1000), wide);
}

} // namespace
} // namespace kx
