#include "grid/dbgrid/celltextoutput.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/moneycells.h"
#include "grid/editors/cellbuttons.h"
#include "grid/editors/editbuttonx.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "tests/platform/db/dbfixture.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

// ---- Money digits, cell counts and rules ------------------------------------

TEST(MoneyCells, DigitsDropThePointAndCarryTheSign) {
    struct Case {
        QString text;
        QString digits;
        bool negative;
    };
    const Case cases[] = {
        {"1234.56", "123456", false}, {"-15.00", "1500", true},
        {"0.00", "000", false},       {"", "", false},
        {"- 7.50", "750", true},      {"1.2.3", "12.3", false},
    };
    for (const Case& c : cases) {
        const TMoneyDigits digits = MoneyDigitsOf(c.text);
        EXPECT_EQ(digits.Digits, c.digits) << c.text.toStdString();
        EXPECT_EQ(digits.Negative, c.negative) << c.text.toStdString();
    }
    EXPECT_EQ(MoneyValueText(1234.5), "1234.50");
    EXPECT_EQ(MoneyValueText(-15), "-15.00");
}

TEST(MoneyCells, FooterTextsLoseTheirCurrencySign) {
    EXPECT_EQ(FooterMoneyText(QStringLiteral("￥1,234.5")), "1234.50");
    EXPECT_EQ(MoneyDigitsOf(FooterMoneyText(QStringLiteral("￥1,234.5"))).Digits, "123450");
    EXPECT_EQ(FooterMoneyText({}), "");
    EXPECT_EQ(FooterMoneyText(QStringLiteral("￥")), "");
    EXPECT_EQ(FooterMoneyText(QStringLiteral("合计")), "0.00") << "not a number reads as 0";
}

TEST(MoneyCells, NumberFootersAreRoundedByTheirRule) {
    TFieldsData amount;
    amount.FieldName = QStringLiteral("AMOUNT");
    amount.TypeCode = QStringLiteral("N");
    amount.Decimals = QStringLiteral("1");
    TFieldsData text = amount;
    text.FieldName = QStringLiteral("NAME");
    text.TypeCode = QStringLiteral("C");
    const TFieldsDataArray rules{amount, text};
    struct Case {
        QString field, text, shown;
    };
    const Case cases[] = {
        {"AMOUNT", "1,234.56", "1234.6"}, {"amount", "￥2.25", "2.3"},
        {"AMOUNT", "合计", "合计"},       {"AMOUNT", "", ""},
        {"NAME", "1.26", "1.26"},         {"OTHER", "1.26", "1.26"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundedFooterText(rules, c.field, c.text), c.shown)
            << c.field.toStdString() << " " << c.text.toStdString();
}

TEST(MoneyCells, CellCountFollowsDigitsMinimumAndWidth) {
    struct Case {
        int digits, minDigits, width, cellWidth, cells;
    };
    const Case cases[] = {
        {3, 11, 60, 12, 5},    // whole cells only
        {3, 11, 71, 12, 5},    // a part cell is not drawn, so no digit is cut
        {10, 11, 108, 12, 9},  // 53274746.64 in 108 pixels: too few cells
        {10, 11, 108, 11, 9},  // a narrower font fits more
        {3, 11, 300, 12, 11},  // at least the minimum
        {13, 11, 300, 12, 13}, // one per digit beyond the minimum
        {0, 0, 100, 12, 0},    {4, 0, 5, 12, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MoneyCellCount(c.digits, c.minDigits, c.width, c.cellWidth), c.cells)
            << c.digits << " digits, min " << c.minDigits << ", width " << c.width << "/"
            << c.cellWidth;
}

TEST(MoneyCells, RulesAreGreenAtGroupsAndRedAtThePoint) {
    for (int place = 1; place <= 21; ++place) {
        const bool green =
            place == 1 || place == 6 || place == 9 || place == 12 || place == 15 || place == 18;
        const ui::TColor expected = green ? ui::clGreen : place == 3 ? ui::clRed : ui::clGrayText;
        EXPECT_EQ(MoneyRuleColor(place), expected) << place;
    }
}

// ---- Text shortening and placing ---------------------------------------------

// Every character 10 pixels wide, a dot 2.
int TenEach(const QString& text) {
    int width = 0;
    for (const char32_t ch : text.toUcs4())
        width += ch == U'.' ? 2 : 10;
    return width;
}

TEST(CellText, ShorteningCutsWholeCharacters) {
    EXPECT_EQ(ShortenText("ABCDEFGH", TenEach, 80), "ABCDEFGH") << "a text that fits stays";
    // One letter too narrow: first six letters and "...", which fits.
    EXPECT_EQ(ShortenText("ABCDEFGH", TenEach, 70), "ABCDEF...");
    EXPECT_EQ(ShortenText("ABCDEFGH", TenEach, 60), "ABCDE...") << "shortened further";
    EXPECT_EQ(ShortenText("ABCDEFGH", TenEach, 5), "...") << "never fits";
    // Chinese characters and a character outside the basic plane are never
    // split, whatever their byte length.
    EXPECT_EQ(ShortenText(QStringLiteral("现金日记账明细"), TenEach, 60),
              QStringLiteral("现金日记账..."));
    EXPECT_EQ(ShortenText(QStringLiteral("ab\U0001F600cd"), TenEach, 40),
              QStringLiteral("ab\U0001F600..."));
}

TEST(CellText, OneLineTextIsPlacedByAlignment) {
    const ui::TRect rect{10, 0, 110, 20};
    EXPECT_EQ(CellTextX(rect, 2, db::taLeftJustify, 30), 12);
    EXPECT_EQ(CellTextX(rect, 2, db::taRightJustify, 30), 110 - 30 - 3);
    EXPECT_EQ(CellTextX(rect, 2, db::taCenter, 30), 10 + 50 - 15);
    EXPECT_EQ(CellTextX({10, 0, 10, 20}, 2, db::taCenter, 30), 10) << "empty rectangle";
}

TEST(CellText, ImagesAreCutAtTheCellAndTheClipIsKept) {
    QImage target(60, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    ui::TCanvas canvas(painter, QApplication::palette(), QRegion(0, 0, 60, 40));
    const ui::TClip before = canvas.Clip();
    QImage picture(30, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    DrawCellImage(canvas, picture, db::taLeftJustify, 0, {10, 10, 25, 30});
    const ui::TClip after = canvas.Clip();
    painter.end();
    EXPECT_EQ(before.Active, after.Active);
    EXPECT_EQ(before.Region, after.Region);
    EXPECT_EQ(target.pixelColor(12, 20), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(26, 20), QColor(Qt::white)) << "cut at the right edge";
    EXPECT_EQ(target.pixelColor(12, 8), QColor(Qt::white)) << "cut at the top";
}

TEST(CellText, VerticalTextRunsUpFromTheBottomOrToTheTop) {
    const auto inkRows = [](TTextLayout layout, int& length) {
        QImage target(40, 200, QImage::Format_RGB32);
        target.fill(Qt::white);
        QPainter painter(&target);
        ui::TCanvas canvas(painter, QApplication::palette(), QRegion(0, 0, 40, 200));
        canvas.SetFontColor(ui::clBlack);
        const ui::TRect rect{0, 0, 40, 200};
        EXPECT_EQ(
            WriteVerticalText(canvas, rect, false, true, layout, db::taLeftJustify, "Title", 2, 2),
            canvas.TextWidth("Title"));
        length =
            WriteVerticalText(canvas, rect, false, false, layout, db::taLeftJustify, "Title", 2, 2);
        painter.end();
        std::pair<int, int> rows{200, -1};
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 40; ++x)
                if (target.pixelColor(x, y) != QColor(Qt::white)) {
                    rows.first = std::min(rows.first, y);
                    rows.second = std::max(rows.second, y);
                }
        return rows;
    };
    int length = 0;
    const auto bottom = inkRows(tlBottom, length);
    EXPECT_GT(bottom.first, 200 - 2 - length - 3);
    EXPECT_LE(bottom.second, 200 - 2);
    const auto top = inkRows(tlTop, length);
    EXPECT_GE(top.first, 0);
    EXPECT_LT(top.second, length + 3);
}

// ---- The grid ----------------------------------------------------------------

// Lets a test ask the grid which cells look raised.
class RaisedCellsGrid : public TCustomDBGridX {
public:
    using TCustomDBGridX::Cell3D;
};

TEST(GridCells, RaisedCellsFollowTheThreeDOptions) {
    RaisedCellsGrid grid;
    grid.SetFooterRowCount(1);
    struct Case {
        TDBGridOptionsX options;
        bool indicator, title, data, footer;
    };
    const Case cases[] = {
        {dghFixed3D, true, true, false, false},
        {dghFooter3D, false, false, false, true},
        {dghData3D, false, false, true, false},
        {0, false, false, false, false},
    };
    for (const Case& c : cases) {
        grid.SetOptionsX(c.options);
        EXPECT_EQ(grid.Cell3D(0, 1, cakIndicator), c.indicator) << c.options;
        EXPECT_EQ(grid.Cell3D(1, 0, cakTitle), c.title) << c.options;
        EXPECT_EQ(grid.Cell3D(1, 1, cakData), c.data) << c.options;
        EXPECT_EQ(grid.Cell3D(1, 2, cakFooter), c.footer) << c.options;
        EXPECT_FALSE(grid.Cell3D(1, 1, cakFilter)) << c.options;
    }
}

// Records the paint regions of the grid's client area.
class RecordingGrid : public TCustomDBGridX {
public:
    QRegion Painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        Painted += event->region();
        TCustomDBGridX::paintEvent(event);
    }
};

class DBGridPaintTest : public db::test::DbTest {
protected:
    DBGridPaintTest() {
        StartGridUnit();
        Exec({"CREATE TABLE PAINT_TEST (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), "
              "AMOUNT REAL)"});
    }
    ~DBGridPaintTest() override {
        grid_.hide();
        EndGridUnit();
    }

    void Rows(int count) {
        for (int i = 1; i <= count; ++i)
            Exec({QStringLiteral("INSERT INTO PAINT_TEST VALUES (%1, 'N%1', %2)")
                      .arg(i)
                      .arg(i * 100.25)});
    }

    // The grid over the table, AMOUNT ruled as money with minDigits places.
    RecordingGrid& OpenGrid(int minDigits = 11, int width = 600, int height = 300) {
        TFieldsData amount;
        amount.FieldName = QStringLiteral("AMOUNT");
        amount.MoneyCell = minDigits >= 0;
        amount.DigitCount = minDigits;
        grid_.SetFieldsData({amount});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SetRequestLive(true);
        query_.SQL().SetText(QStringLiteral("SELECT * FROM PAINT_TEST ORDER BY ID"));
        source_.SetDataSet(&query_);
        grid_.resize(width, height);
        grid_.SetDataSource(&source_);
        query_.Open();
        return grid_;
    }

    TColumnX* Column(const QString& fieldName) const {
        for (int i = 0; i < grid_.Columns()->Count(); ++i) {
            if (grid_.Columns()->GetColumn(i)->FieldName() == fieldName)
                return grid_.Columns()->GetColumn(i);
        }
        return nullptr;
    }

    ui::TRect Cell(const QString& fieldName, int dataRow) const {
        return grid_.CellRect(grid_.DataToRawColumn(Column(fieldName)->Index()),
                              dataRow + grid_.TitleOffset());
    }

    QImage Render() {
        QImage image(grid_.viewport()->size(), QImage::Format_RGB32);
        grid_.viewport()->render(&image);
        return image;
    }

    QColor Resolved(ui::TColor color) const { return ui::ToQColor(color, grid_.palette()); }

    // Pixels in a column of x that differ from background.
    static int InkInColumn(const QImage& image, int x, int top, int bottom, QColor background) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            ink += image.pixelColor(x, y) != background;
        return ink;
    }

    // Red ink (smoothed text included) within a rectangle.
    static int RedInk(const QImage& image, const ui::TRect& rect) {
        int count = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                count += pixel.red() > 150 && pixel.green() < 120 && pixel.blue() < 120;
            }
        return count;
    }

    // Pixels of a colour within a rectangle.
    static int Count(const QImage& image, const ui::TRect& rect, QColor color) {
        int count = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                count += image.pixelColor(x, y) == color;
        return count;
    }

    db::TQuery query_;
    db::TDataSource source_;
    RecordingGrid grid_;
};

TEST_F(DBGridPaintTest, MoneyCellsRuleTheAmountDigitByDigit) {
    Rows(1);
    OpenGrid(11);
    query_.Edit();
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetAsFloat(1234.56);
    query_.Post();
    Column(QStringLiteral("AMOUNT"))->SetWidth(200);
    grid_.show();
    const QImage image = Render();
    const ui::TRect cell = Cell(QStringLiteral("AMOUNT"), 0);
    const int w = QFontMetrics(grid_.font()).horizontalAdvance(u'0') + 4;
    const int middle = (cell.Top + cell.Bottom) / 2;
    // The rule after place i stands at right - (i - 1) * w - 1.
    const auto ruleAt = [&](int place) {
        return image.pixelColor(cell.Right - (place - 1) * w - 1, middle);
    };
    EXPECT_EQ(ruleAt(1), Resolved(ui::clGreen));
    EXPECT_EQ(ruleAt(2), Resolved(ui::clGrayText));
    EXPECT_EQ(ruleAt(3), Resolved(ui::clRed));
    EXPECT_EQ(ruleAt(6), Resolved(ui::clGreen));
    EXPECT_EQ(ruleAt(9), Resolved(ui::clGreen));
    EXPECT_EQ(ruleAt(11), Resolved(ui::clGrayText));
    // Six digits written, places 7 to 11 blank.
    const QColor paper = image.pixelColor(cell.Right - 2 * w + 1, cell.Top + 1);
    const auto inked = [&](int place) {
        int ink = 0;
        for (int x = cell.Right - place * w + 1; x < cell.Right - (place - 1) * w - 1; ++x)
            ink += InkInColumn(image, x, cell.Top + 1, cell.Bottom - 1, paper);
        return ink > 0;
    };
    for (int place = 1; place <= 6; ++place)
        EXPECT_TRUE(inked(place)) << place;
    for (int place = 7; place <= 11; ++place)
        EXPECT_FALSE(inked(place)) << place;
}

TEST_F(DBGridPaintTest, NegativeAmountsAreRedWithoutSignAndNullsBlank) {
    Rows(2);
    OpenGrid(11);
    query_.Edit();
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetAsFloat(-15);
    query_.Post();
    query_.Next();
    query_.Edit();
    query_.FieldByName(QStringLiteral("AMOUNT"))->Clear();
    query_.Post();
    Column(QStringLiteral("AMOUNT"))->SetWidth(200);
    grid_.show();
    const QImage image = Render();
    const int w = QFontMetrics(grid_.font()).horizontalAdvance(u'0') + 4;
    const ui::TRect negative = Cell(QStringLiteral("AMOUNT"), 0);
    const ui::TRect digits{negative.Right - 4 * w, negative.Top, negative.Right, negative.Bottom};
    EXPECT_GT(RedInk(image, {digits.Left, digits.Top, digits.Right - 1, digits.Bottom}), 10)
        << "1, 5, 0, 0 in red";
    const ui::TRect fifth{negative.Right - 5 * w + 1, negative.Top + 1, negative.Right - 4 * w - 1,
                          negative.Bottom - 1};
    EXPECT_EQ(RedInk(image, fifth), 0) << "no minus sign";
    const ui::TRect blank = Cell(QStringLiteral("AMOUNT"), 1);
    const QColor paper = image.pixelColor(blank.Right - 2, blank.Top + 1);
    int ink = 0;
    for (int place = 1; place <= 11; ++place)
        for (int x = blank.Right - place * w + 1; x < blank.Right - (place - 1) * w - 1; ++x)
            ink += InkInColumn(image, x, blank.Top + 1, blank.Bottom - 1, paper);
    EXPECT_EQ(ink, 0) << "a null amount shows empty digit cells";
    EXPECT_EQ(image.pixelColor(blank.Right - 1, (blank.Top + blank.Bottom) / 2),
              Resolved(ui::clGreen))
        << "with their rules";
}

TEST_F(DBGridPaintTest, AnAmountWiderThanItsCellShowsItOverflows) {
    Rows(1);
    OpenGrid(3);
    query_.Edit();
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetAsFloat(12345.67);
    query_.Post();
    Column(QStringLiteral("AMOUNT"))->SetWidth(60); // five digit cells for seven digits
    grid_.show();
    const QImage image = Render();
    const ui::TRect cell = Cell(QStringLiteral("AMOUNT"), 0);
    const int w = QFontMetrics(grid_.font()).horizontalAdvance(u'0') + 4;
    // Every digit cell is marked in red: no digit is dropped silently.
    for (int place = 1; place <= 5; ++place) {
        const ui::TRect digit{std::max(cell.Left, cell.Right - place * w + 1), cell.Top + 1,
                              cell.Right - (place - 1) * w - 1, cell.Bottom - 1};
        EXPECT_GT(RedInk(image, digit), 0) << place;
    }
    // Nothing spills into the column on the left.
    const ui::TRect left = Cell(QStringLiteral("NAME"), 0);
    EXPECT_EQ(
        Count(image, {left.Right - 4, left.Top, left.Right, left.Bottom}, Resolved(ui::clGrayText)),
        0);
}

// Room for nine whole digit cells and most of a tenth: ten digits do not
// fit, and the first is never cut to make another figure.
TEST_F(DBGridPaintTest, AnAmountOneDigitTooWideShowsTheOverflowMark) {
    Rows(1);
    OpenGrid(11);
    query_.Edit();
    query_.FieldByName(QStringLiteral("AMOUNT"))->SetAsFloat(53274746.64);
    query_.Post();
    const int w = QFontMetrics(grid_.font()).horizontalAdvance(u'0') + 4;
    Column(QStringLiteral("AMOUNT"))->SetWidth(10 * w - 2);
    grid_.show();
    const QImage image = Render();
    const ui::TRect cell = Cell(QStringLiteral("AMOUNT"), 0);
    ASSERT_EQ(cell.Width() / w, 9);
    for (int place = 1; place <= 9; ++place) {
        const ui::TRect digit{cell.Right - place * w + 1, cell.Top + 1,
                              cell.Right - (place - 1) * w - 1, cell.Bottom - 1};
        EXPECT_GT(RedInk(image, digit), 0) << place;
    }
}

TEST_F(DBGridPaintTest, EmptyRowsContinueTheRuledPaper) {
    Rows(2);
    grid_.ShowEmptyRows = true;
    OpenGrid(11);
    Column(QStringLiteral("AMOUNT"))->SetWidth(200);
    grid_.show();
    const QImage image = Render();
    const ui::TRect empty = Cell(QStringLiteral("AMOUNT"), 5);
    ASSERT_FALSE(empty.IsEmpty());
    const int middle = (empty.Top + empty.Bottom) / 2;
    EXPECT_EQ(image.pixelColor(empty.Right - 1, middle), Resolved(ui::clGreen));
    const int w = QFontMetrics(grid_.font()).horizontalAdvance(u'0') + 4;
    EXPECT_EQ(image.pixelColor(empty.Right - 2 * w - 1, middle), Resolved(ui::clRed));
    const ui::TRect name = Cell(QStringLiteral("NAME"), 5);
    EXPECT_EQ(
        Count(image, {name.Left, name.Top, name.Right - 1, name.Bottom}, Resolved(ui::clGrayText)),
        0)
        << "only money columns are ruled";

    // With the link inactive the data area shows only the column colour.
    query_.Close();
    const QImage closed = Render();
    const ui::TRect cell = grid_.CellRect(1, 3);
    EXPECT_EQ(Count(closed, {cell.Left, cell.Top, cell.Right, cell.Bottom},
                    Resolved(grid_.Columns()->GetColumn(0)->Color())),
              cell.Width() * cell.Height());
}

TEST_F(DBGridPaintTest, IndicatorShowsTheDataSetState) {
    Rows(3);
    OpenGrid();
    grid_.show();
    const auto indicator = [&](int dataRow) {
        const ui::TRect cell = grid_.CellRect(0, dataRow + grid_.TitleOffset());
        return Render().copy(cell.ToQRect());
    };
    const QImage browse = indicator(0);
    EXPECT_NE(browse, indicator(1)) << "the current record's picture";
    EXPECT_EQ(indicator(1), indicator(2)) << "no picture on other rows";
    query_.Edit();
    const QImage editing = indicator(0);
    EXPECT_NE(editing, browse);
    query_.Cancel();
    query_.Append();
    const int appended = grid_.Row() - grid_.TitleOffset();
    const QImage inserting = indicator(appended);
    EXPECT_NE(inserting, browse);
    EXPECT_NE(inserting, editing);
    query_.Cancel();
    EXPECT_EQ(indicator(grid_.Row() - grid_.TitleOffset()), browse);
}

// A footer's sum entry takes its kind and its field at once: one pass over
// the records for each footer set, however large the list.
TEST_F(DBGridPaintTest, AFooterTurnedToASumOrCountScansTheRecordsOnce) {
    Rows(3); // 100.25 + 200.5 + 300.75 = 601.5
    OpenGrid(6);
    grid_.SetFooterRowCount(1);
    grid_.SumList()->SetActive(true);
    int scans = 0;
    grid_.SumList()->OnRecalcAll = [&](TDBSumListProducer*) { ++scans; };
    TColumnFooterX* footer = Column(QStringLiteral("AMOUNT"))->Footer();
    footer->SetValueType(fvtSum);
    EXPECT_EQ(scans, 1);
    ASSERT_NE(footer->SumEntry(), nullptr);
    EXPECT_DOUBLE_EQ(footer->SumEntry()->Value(), 601.5);
    footer->SetValueType(fvtCount);
    EXPECT_EQ(scans, 2);
    EXPECT_DOUBLE_EQ(footer->SumEntry()->Value(), 3);
    footer->SetValueType(fvtSum);
    EXPECT_EQ(scans, 3);
    EXPECT_DOUBLE_EQ(footer->SumEntry()->Value(), 601.5);
}

TEST_F(DBGridPaintTest, FootersShowMoneyCellsAndEmptyOnesStayEmpty) {
    Rows(3); // 100.25 + 200.5 + 300.75 = 601.5
    OpenGrid(6);
    TFieldsDataArray rules = grid_.FieldsData();
    TFieldsData name;
    name.FieldName = QStringLiteral("NAME");
    name.FooterField = QStringLiteral("AMOUNT");
    rules.Append(name);
    grid_.SetFooterRowCount(1);
    grid_.SumList()->SetActive(true);
    Column(QStringLiteral("AMOUNT"))->Footer()->SetValueType(fvtSum);
    Column(QStringLiteral("NAME"))->Footer()->SetValueType(fvtStaticText);
    Column(QStringLiteral("NAME"))->Footer()->SetValue(QStringLiteral("合计"));
    Column(QStringLiteral("AMOUNT"))->SetWidth(150);
    int footerEvents = 0;
    grid_.OnDrawFooterCell = [&](TCustomDBGridX*, int, int row, TColumnX*, const ui::TRect&,
                                 TGridDrawState) {
        EXPECT_EQ(row, 0);
        ++footerEvents;
    };
    grid_.show();
    const QImage image = Render();
    const int footerRow = grid_.RowCount();
    const ui::TRect amount =
        grid_.CellRect(grid_.DataToRawColumn(Column(QStringLiteral("AMOUNT"))->Index()), footerRow);
    ASSERT_FALSE(amount.IsEmpty());
    const int w = QFontMetrics(grid_.font()).horizontalAdvance(u'0') + 4;
    const int middle = (amount.Top + amount.Bottom) / 2;
    EXPECT_EQ(image.pixelColor(amount.Right - 1, middle), Resolved(ui::clGreen));
    EXPECT_EQ(image.pixelColor(amount.Right - 1 - 2 * w, middle), Resolved(ui::clRed));
    EXPECT_EQ(image.pixelColor(amount.Right - 1 - 5 * w, middle), Resolved(ui::clGreen));
    const ui::TRect nameCell =
        grid_.CellRect(grid_.DataToRawColumn(Column(QStringLiteral("NAME"))->Index()), footerRow);
    const QColor paper = image.pixelColor(nameCell.Left + 1, nameCell.Top + 1);
    int ink = 0;
    for (int x = nameCell.Left + 1; x < nameCell.Right - 1; ++x)
        ink += InkInColumn(image, x, nameCell.Top + 1, nameCell.Bottom - 1, paper);
    EXPECT_EQ(ink, 0) << "a rule summing another field empties its own footer";
    EXPECT_GE(footerEvents, 3);
}

TEST_F(DBGridPaintTest, CellEventsFireInOrderAndMayChangeTheCell) {
    Rows(1);
    OpenGrid(-1);
    QStringList fired;
    TColumnX* name = Column(QStringLiteral("NAME"));
    const auto onlyName = [&](TColumnX* column) { return column == name; };
    grid_.OnGetCellParams = [&](TCustomDBGridX*, TColumnX* column, QFont&, ui::TColor& background,
                                TGridDrawState) {
        if (onlyName(column)) {
            fired << "grid params";
            background = ui::clYellow;
        }
    };
    name->OnGetCellParams = [&](TColumnX*, bool, TColCellParamsX& params) {
        fired << "column params";
        EXPECT_EQ(params.CellColor, ui::clYellow) << "the grid's event comes first";
        params.CellText = QStringLiteral("changed");
    };
    grid_.OnDrawDataCell = [&](TCustomDBGridX*, const ui::TRect&, db::TField* field,
                               TGridDrawState) {
        if (field && field->FieldName() == "NAME")
            fired << "data cell";
    };
    grid_.OnDrawColumnCell = [&](TCustomDBGridX*, const ui::TRect&, int, TColumnX* column,
                                 TGridDrawState) {
        if (onlyName(column))
            fired << "column cell";
    };
    int buttonParams = 0;
    grid_.OnGetBtnParams = [&](TCustomDBGridX*, TColumnX* column, QFont&, ui::TColor& background,
                               int&, bool) {
        if (onlyName(column)) {
            ++buttonParams;
            background = ui::clAqua;
        }
    };
    SetButtonThemesEnabled(false);
    const auto themes = qScopeGuard([] { SetButtonThemesEnabled(true); });
    grid_.show();
    const QImage image = Render();
    EXPECT_EQ(fired, QStringList({"grid params", "column params", "data cell", "column cell"}));
    EXPECT_EQ(buttonParams, 2) << "once before and once after the title font is set";
    const ui::TRect title = grid_.CellRect(grid_.DataToRawColumn(name->Index()), 0);
    EXPECT_EQ(image.pixelColor(title.Right - 3, title.Bottom - 3), Resolved(ui::clAqua));
    const ui::TRect cell = Cell(QStringLiteral("NAME"), 0);
    EXPECT_EQ(image.pixelColor(cell.Right - 3, cell.Bottom - 3), Resolved(ui::clYellow));
}

TEST_F(DBGridPaintTest, HiddenDuplicatesRequiredMarksAndEditButtons) {
    Rows(3);
    OpenGrid(-1);
    query_.Next();
    query_.Edit();
    query_.FieldByName(QStringLiteral("NAME"))->SetAsString(QStringLiteral("N1"));
    query_.Post();
    query_.First();
    TColumnX* name = Column(QStringLiteral("NAME"));
    name->SetHideDuplicates(true);
    grid_.show();
    const QImage image = Render();
    const auto ink = [&](const QImage& picture, const ui::TRect& cell) {
        const QColor paper = picture.pixelColor(cell.Right - 2, cell.Top + 1);
        int count = 0;
        for (int x = cell.Left + 1; x < cell.Right - 1; ++x)
            count += InkInColumn(picture, x, cell.Top + 1, cell.Bottom - 1, paper);
        return count;
    };
    EXPECT_GT(ink(image, Cell(QStringLiteral("NAME"), 0)), 0);
    EXPECT_EQ(ink(image, Cell(QStringLiteral("NAME"), 1)), 0) << "the same text as above";
    EXPECT_GT(ink(image, Cell(QStringLiteral("NAME"), 2)), 0);
    name->SetHideDuplicates(false);

    // A required field left empty while editing is marked in red dots.
    name->SetHighlightRequired(true);
    query_.FieldByName(QStringLiteral("NAME"))->SetRequired(true);
    query_.Edit();
    query_.FieldByName(QStringLiteral("NAME"))->Clear();
    const ui::TRect editing = Cell(QStringLiteral("NAME"), 0);
    const QImage marked = Render();
    EXPECT_GT(RedInk(marked, {editing.Left, editing.Bottom - 2, editing.Right, editing.Bottom}),
              editing.Width() / 4);
    EXPECT_EQ(RedInk(marked, {editing.Left, editing.Top, editing.Right, editing.Bottom - 2}), 0);
    query_.Cancel();

    // Edit buttons always shown take the right of the cell.
    const ui::TRect cell = Cell(QStringLiteral("NAME"), 2);
    const QImage plain = Render().copy(cell.ToQRect());
    name->SetAlwaysShowEditButton(true);
    name->EditButtons()->Add()->SetVisible(true);
    const QImage buttons = Render().copy(cell.ToQRect());
    const int width = name->EditButtonsWidth();
    ASSERT_GT(width, 0);
    EXPECT_NE(buttons.copy(cell.Width() - width, 0, width, cell.Height()),
              plain.copy(cell.Width() - width, 0, width, cell.Height()));
    EXPECT_EQ(buttons.copy(0, 0, cell.Width() / 2, cell.Height()),
              plain.copy(0, 0, cell.Width() / 2, cell.Height()));
}

TEST_F(DBGridPaintTest, RowSelectPaintsTheCurrentRowInSelectionColours) {
    Rows(3);
    OpenGrid(-1);
    grid_.SetOptions(grid_.Options() | dgRowSelect | dgAlwaysShowSelection);
    grid_.show();
    const QImage image = Render();
    const ui::TRect current = Cell(QStringLiteral("NAME"), 0);
    const ui::TRect other = Cell(QStringLiteral("NAME"), 1);
    // Without the focus: the style's inactive colours for the current row.
    EXPECT_EQ(image.pixelColor(current.Right - 3, current.Bottom - 3),
              Resolved(ui::clActiveCaption));
    EXPECT_EQ(image.pixelColor(other.Right - 3, other.Bottom - 3),
              Resolved(grid_.Columns()->GetColumn(0)->Color()));
    // With the focus: the highlight colours.
    grid_.activateWindow();
    grid_.setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(grid_.GridOrEditorFocused());
    const QImage focused = Render();
    EXPECT_EQ(focused.pixelColor(current.Right - 3, current.Bottom - 3), Resolved(ui::clHighlight));
}

TEST_F(DBGridPaintTest, SortMarkersAndTheirIndexesShowInTheTitles) {
    Rows(1);
    OpenGrid(-1);
    grid_.SetOptionsX(grid_.OptionsX() | dghMultiSortMarking);
    TColumnX* name = Column(QStringLiteral("NAME"));
    const ui::TRect title = grid_.CellRect(grid_.DataToRawColumn(name->Index()), 0);
    grid_.show();
    const QImage before = Render().copy(title.ToQRect());
    name->Title()->SetSortMarker(smDownX);
    const QImage marked = Render().copy(title.ToQRect());
    EXPECT_NE(before, marked);
    const QImage rightPart = marked.copy(title.Width() - 18, 0, 18, title.Height());
    const QImage rightBefore = before.copy(title.Width() - 18, 0, 18, title.Height());
    EXPECT_NE(rightPart, rightBefore) << "the marker stands at the right";
    Column(QStringLiteral("ID"))->Title()->SetSortMarker(smUpX);
    grid_.RebuildSortMarkedColumns();
    const QImage numbered = Render().copy(title.ToQRect());
    ASSERT_EQ(name->Title()->SortMarker(), smDownX);
    EXPECT_NE(numbered, marked) << "two marked columns show their sort indexes";
}

TEST_F(DBGridPaintTest, MultiLevelTitlesShareTheirGroupCaption) {
    Rows(1);
    OpenGrid(-1);
    Column(QStringLiteral("NAME"))->Title()->SetCaption(QStringLiteral("金额|名称"));
    Column(QStringLiteral("AMOUNT"))->Title()->SetCaption(QStringLiteral("金额|数目"));
    Column(QStringLiteral("AMOUNT"))->SetIndex(2);
    grid_.SetUseMultiTitle(true);
    grid_.show();
    const QImage image = Render();
    const ui::TRect left = grid_.CellRect(grid_.DataToRawColumn(1), 0);
    const ui::TRect right = grid_.CellRect(grid_.DataToRawColumn(2), 0);
    ASSERT_GT(left.Height(), QFontMetrics(grid_.font()).height() * 2 - 2);
    // The group's caption is centred over both columns, in the upper band.
    const QColor face = image.pixelColor(left.Left + 3, left.Top + 3);
    const int band = left.Top + left.Height() / 2 - 2;
    int ink = 0;
    long long weighted = 0;
    for (int x = left.Left + 2; x < right.Right - 2; ++x) {
        if (x >= left.Right - 3 && x < right.Left + 2)
            continue; // the cells' edges
        const int column = InkInColumn(image, x, left.Top + 3, band, face);
        ink += column;
        weighted += static_cast<long long>(column) * x;
    }
    ASSERT_GT(ink, 0);
    EXPECT_NEAR(static_cast<double>(weighted) / ink, (left.Left + right.Right) / 2.0, 4);
}

TEST_F(DBGridPaintTest, AFailingDrawEventLeavesThePaintAndRestoresTheRecord) {
    Rows(3);
    OpenGrid(-1);
    int reported = 0;
    ui::SetExceptionHandler([&](const std::exception_ptr&) { ++reported; });
    grid_.OnDrawColumnCell = [](TCustomDBGridX*, const ui::TRect&, int, TColumnX*, TGridDrawState) {
        throw Exception(QStringLiteral("cell"));
    };
    grid_.show();
    const int active = grid_.DataLink()->ActiveRecord();
    EXPECT_NO_THROW(Render());
    EXPECT_GT(reported, 0);
    EXPECT_EQ(grid_.DataLink()->ActiveRecord(), active);
    EXPECT_EQ(query_.RecNo(), 1);
    ui::SetExceptionHandler({});
}

TEST_F(DBGridPaintTest, ScrollingOneRecordRepaintsOneRowBandIndicatorsAndFooters) {
    Rows(60);
    grid_.SetFooterRowCount(1);
    OpenGrid(-1, 400, 300);
    grid_.SetOptions(grid_.Options() | dgRowSelect | dgAlwaysShowSelection);
    grid_.show();
    QCoreApplication::processEvents();
    const int visible = grid_.VisibleDataRowCount();
    ASSERT_GT(visible, 3);
    query_.MoveBy(grid_.DataLink()->RecordCount() - 1); // to the last row shown
    QCoreApplication::processEvents();
    const int lastRow = grid_.Row();
    grid_.Painted = {};
    query_.Next(); // the rows scroll up by one
    QCoreApplication::processEvents();
    ASSERT_EQ(grid_.Row(), lastRow);
    const QRegion painted = grid_.Painted;
    const int width = grid_.ClientWidth();
    const ui::TRect bottom = grid_.CellRect(1, lastRow);
    const ui::TRect above = grid_.CellRect(1, lastRow - 1);
    const ui::TRect footer = grid_.CellRect(1, grid_.RowCount());
    EXPECT_TRUE(painted.contains(QRect(0, bottom.Top, width, bottom.Height())));
    EXPECT_TRUE(painted.contains(QRect(1, footer.Top, width - 1, footer.Height())));
    // The row that left the highlight is painted again; the rows above it
    // only move.
    EXPECT_TRUE(painted.contains(QRect(0, above.Top, width, above.Height())));
    const ui::TRect middle = grid_.CellRect(1, grid_.TitleOffset() + 1);
    EXPECT_FALSE(
        painted.intersects(QRect(middle.Left, middle.Top, middle.Width(), middle.Height())));
    int area = 0;
    for (const QRect& rect : painted)
        area += rect.width() * rect.height();
    EXPECT_LT(area, width * (3 * (bottom.Height() + 1) + footer.Height() + 1))
        << "two row bands, the indicators and the footer, not the grid";
}

// Paging over a list whose last row shows in part: what the screen holds
// afterwards is what a full repaint draws, every record row included.
TEST_F(DBGridPaintTest, PagingLeavesNoRecordRowUnpainted) {
    Rows(60);
    grid_.ShowEmptyRows = true;
    OpenGrid(-1, 400, 300);
    grid_.show();
    QCoreApplication::processEvents();
    const int pitch = grid_.DefaultRowHeight() + grid_.GridLineWidth();
    const int wholeRows =
        grid_.CellRect(0, grid_.TitleOffset()).Top + grid_.VisibleDataRowCount() * pitch;
    // Half a row under the last whole one.
    grid_.resize(400, grid_.height() - (grid_.ClientHeight() - wholeRows) + pitch / 2);
    QCoreApplication::processEvents();
    ASSERT_GT(grid_.ClientHeight() - wholeRows, 0);
    grid_.setFocus();
    const auto onScreen = [this] {
        return grid_.screen()
            ->grabWindow(grid_.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_PageDown, Qt::NoModifier}, std::pair{Qt::Key_PageDown, Qt::NoModifier},
          std::pair{Qt::Key_PageUp, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::NoModifier}}) {
        QTest::keyClick(&grid_, key, modifiers);
        QCoreApplication::processEvents();
        const QImage shown = onScreen();
        const QImage drawn = grid_.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), drawn.size());
        const QRect records(0, grid_.CellRect(0, grid_.TitleOffset()).Top, grid_.ClientWidth(),
                            wholeRows - grid_.CellRect(0, grid_.TitleOffset()).Top);
        EXPECT_EQ(shown.copy(records), drawn.copy(records))
            << "key " << key << " at record " << query_.RecNo();
    }
}

} // namespace
} // namespace kx
