#include "grid/editors/cellbuttons.h"

#include "platform/db/variants.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QStyleHints>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace kx {
namespace {

const ui::TColor parentColor = ui::RGBColor(255, 0, 255);

QRgb Rgb(ui::TColor color) {
    return ui::ToQColor(color, QGuiApplication::palette()).rgb();
}

// An image of the parent colour with something painted on it.
QImage Render(int width, int height, const std::function<void(ui::TCanvas&)>& paint) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Rgb(parentColor));
    QPainter painter(&image);
    const QPalette palette = QGuiApplication::palette();
    ui::TCanvas canvas(painter, palette, QRegion(0, 0, width, height));
    paint(canvas);
    return image;
}

QImage Button(int width, int height, TCellButtonPaintStyleX style, int pressedPart, bool flat,
              bool active, bool enabled, TCheckBoxState checkState = cbUnchecked) {
    return Render(width, height, [&](ui::TCanvas& canvas) {
        PaintCellButton(canvas, {0, 0, width, height}, parentColor, style, pressedPart, flat,
                        active, enabled, checkState);
    });
}

bool RowIs(const QImage& image, int y, QRgb color) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != color)
            return false;
    return true;
}

class CellButtonsTest : public ::testing::Test {
protected:
    CellButtonsTest() { ResetButtonBitmaps(); }
    ~CellButtonsTest() override { SetButtonThemesEnabled(true); }
};

TEST_F(CellButtonsTest, FitCheckBoxRectPlacesTheBoxByAlignment) {
    const int w = SystemCheckWidth();
    const int h = SystemCheckHeight();
    struct Case {
        ui::TRect cell;
        int horz;
        int vert;
        ui::TRect expected;
    };
    const Case cases[] = {
        // centred in a wide cell of the box's height
        {{0, 0, 30, h}, 2, 1, {15 - w / 2, 0, 15 - w / 2 + w, h}},
        {{10, 5, 40, 5 + h}, 0, 0, {10, 5, 10 + w, 5 + h}},
        {{10, 5, 40, 5 + h}, 1, 0, {40 - w, 5, 40, 5 + h}},
        // narrower than the box: as wide as the cell from its left, whatever the alignment
        {{3, 0, 3 + w - 4, h}, 1, 0, {3, 0, 3 + w - 4, h}},
        {{3, 0, 3 + w - 4, h}, 2, 0, {3, 0, 3 + w - 4, h}},
        // bottom of a tall cell
        {{0, 0, w, 50}, 0, 2, {0, 50 - h, w, 50}},
        {{0, 0, w, 50}, 0, 1, {0, 25 - h / 2, w, 25 - h / 2 + h}},
    };
    for (const Case& c : cases) {
        const ui::TRect got = FitCheckBoxRect(c.cell, c.horz, c.vert);
        EXPECT_EQ(got, c.expected)
            << c.cell.Left << "," << c.cell.Right << " " << c.horz << "/" << c.vert << " got "
            << got.Left << "," << got.Top << "," << got.Right << "," << got.Bottom;
    }
}

TEST_F(CellButtonsTest, EachFaceIsPaintedOnceUntilTheCacheIsReset) {
    Button(16, 18, cpsEllipsisX, 0, false, false, true);
    Button(16, 18, cpsEllipsisX, 0, false, false, true);
    EXPECT_EQ(ButtonsBitmapCache().Count(), 1);
    Button(16, 18, cpsEllipsisX, 1, false, false, true);
    EXPECT_EQ(ButtonsBitmapCache().Count(), 2);
    ResetButtonBitmaps();
    EXPECT_EQ(ButtonsBitmapCache().Count(), 0);
    Button(16, 18, cpsEllipsisX, 0, false, false, true);
    EXPECT_EQ(ButtonsBitmapCache().Count(), 1);

    TButtonBitmapKey negative;
    negative.Width = -5;
    negative.Height = 4;
    EXPECT_EQ(ButtonsBitmapCache().BitmapFor(negative).width(), 0);
    TButtonBitmapKey zero = negative;
    zero.Width = 0;
    ButtonsBitmapCache().BitmapFor(zero);
    EXPECT_EQ(ButtonsBitmapCache().Count(), 2); // -5 was kept as 0
}

TEST_F(CellButtonsTest, UpDownSeparatorOnlyForOddHeightsOrFlatFrames) {
    SetButtonThemesEnabled(false);
    const QImage odd = Button(15, 17, cpsUpDownX, 0, false, false, true);
    EXPECT_TRUE(RowIs(odd, 8, Rgb(parentColor)));
    EXPECT_FALSE(RowIs(odd, 7, Rgb(parentColor)));
    const QImage even = Button(15, 16, cpsUpDownX, 0, false, false, true);
    EXPECT_FALSE(RowIs(even, 8, Rgb(parentColor)));
    EXPECT_FALSE(RowIs(even, 7, Rgb(parentColor)));
    // A flat button that is not hot: a frame and a 2-pixel band of the parent colour.
    const QImage flat = Button(15, 16, cpsUpDownX, 0, true, false, true);
    EXPECT_TRUE(RowIs(flat, 0, Rgb(parentColor)));
    EXPECT_TRUE(RowIs(flat, 7, Rgb(parentColor)));
    EXPECT_TRUE(RowIs(flat, 8, Rgb(parentColor)));
    EXPECT_TRUE(RowIs(flat, 15, Rgb(parentColor)));

    SetButtonThemesEnabled(true);
    const QImage themedHot = Button(15, 16, cpsUpDownX, 0, false, true, true);
    EXPECT_FALSE(RowIs(themedHot, 7, Rgb(parentColor)));
    EXPECT_FALSE(RowIs(themedHot, 8, Rgb(parentColor)));
}

TEST_F(CellButtonsTest, FlatButtonShowsNoBorderOfItsOwnUnlessHot) {
    SetButtonThemesEnabled(false);
    const QImage cold = Button(16, 16, cpsDropDownX, 0, true, false, true);
    EXPECT_TRUE(RowIs(cold, 0, Rgb(parentColor)));
    EXPECT_TRUE(RowIs(cold, 15, Rgb(parentColor)));
    EXPECT_NE(cold.pixel(1, 1), Rgb(parentColor));
    const QImage hot = Button(16, 16, cpsDropDownX, 0, true, true, true);
    EXPECT_EQ(hot.pixel(0, 0), Rgb(ui::clBtnHighlight)); // the raised thin edge
    EXPECT_EQ(hot.pixel(15, 15), Rgb(ui::clBtnShadow));
}

TEST_F(CellButtonsTest, EllipsisDotsSitWhereTheFormulaPutsThem) {
    SetButtonThemesEnabled(false);
    // 16 x 16 with a 3-D edge: the area is 12 x 12, dots of 2 pixels 2 apart,
    // the middle one at (2 + 6 - 1, 2 + 6 - 1).
    const QImage normal = Button(16, 16, cpsEllipsisX, 0, false, false, true);
    for (const int x : {3, 7, 11}) {
        EXPECT_EQ(normal.pixel(x, 7), Rgb(ui::clBtnText)) << x;
        EXPECT_EQ(normal.pixel(x + 1, 8), Rgb(ui::clBtnText)) << x;
        EXPECT_EQ(normal.pixel(x + 2, 7), Rgb(ui::clBtnFace)) << x;
    }
    const QImage pressed = Button(16, 16, cpsEllipsisX, 1, false, false, true);
    EXPECT_EQ(pressed.pixel(8, 8), Rgb(ui::clBtnText));
    EXPECT_EQ(pressed.pixel(7, 7), Rgb(ui::clBtnFace));
    const QImage disabled = Button(16, 16, cpsEllipsisX, 0, false, false, false);
    EXPECT_EQ(disabled.pixel(7, 7), Rgb(ui::clBtnShadow));
    EXPECT_EQ(disabled.pixel(9, 9), Rgb(ui::clBtnHighlight));
}

TEST_F(CellButtonsTest, PlusAndMinusBarsFollowTheParityRules) {
    SetButtonThemesEnabled(false);
    // 17 x 17 with a 3-D edge: area 13 x 13, bar 7 long and 2 thick; the
    // plus sign makes it 6 so that both bars share one centre.
    const QImage minus = Button(17, 17, cpsMinusX, 0, false, false, true);
    EXPECT_EQ(minus.pixel(5, 7), Rgb(ui::clBtnText));
    EXPECT_EQ(minus.pixel(11, 8), Rgb(ui::clBtnText));
    EXPECT_EQ(minus.pixel(12, 7), Rgb(ui::clBtnFace));
    EXPECT_EQ(minus.pixel(7, 6), Rgb(ui::clBtnFace));
    const QImage plus = Button(17, 17, cpsPlusX, 0, false, false, true);
    EXPECT_EQ(plus.pixel(5, 7), Rgb(ui::clBtnText));
    EXPECT_EQ(plus.pixel(10, 8), Rgb(ui::clBtnText));
    EXPECT_EQ(plus.pixel(11, 7), Rgb(ui::clBtnFace));
    EXPECT_EQ(plus.pixel(7, 5), Rgb(ui::clBtnText));
    EXPECT_EQ(plus.pixel(8, 10), Rgb(ui::clBtnText));
    EXPECT_EQ(plus.pixel(7, 4), Rgb(ui::clBtnFace));
    EXPECT_EQ(plus.pixel(7, 11), Rgb(ui::clBtnFace));
}

TEST_F(CellButtonsTest, CheckBoxIsSquareAndFramedWhenFlat) {
    SetButtonThemesEnabled(false);
    // 20 x 13: a 13-pixel square from x = 3 (the odd pixel off the right).
    const QImage box = Button(20, 13, cpsCheckboxX, 0, true, false, true, cbChecked);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(box.pixel(x, 6), Rgb(parentColor)) << x;
    for (int x = 16; x < 20; ++x)
        EXPECT_EQ(box.pixel(x, 6), Rgb(parentColor)) << x;
    EXPECT_EQ(box.pixel(3, 6), Rgb(parentColor));     // the flat frame, not hot
    EXPECT_EQ(box.pixel(4, 4), Rgb(ui::clBtnShadow)); // the flat face's own frame
    const QImage unchecked = Button(20, 13, cpsCheckboxX, 0, true, false, true, cbUnchecked);
    EXPECT_NE(box, unchecked);
}

TEST_F(CellButtonsTest, DottedLinesShareOneCheckerboard) {
    struct Case {
        QPoint start;
        int length;
        int phase;
        std::set<int> dots; // y of the painted pixels
    };
    const Case cases[] = {
        {{5, 0}, 10, 1, {0, 2, 4, 6, 8}},
        {{5, 0}, 10, 0, {1, 3, 5, 7, 9}},
        {{4, 0}, 5, 0, {0, 2, 4}},
        {{4, 0}, 1, 1, {}},
    };
    for (const Case& c : cases) {
        const QImage image = Render(12, 12, [&](ui::TCanvas& canvas) {
            canvas.SetPenColor(ui::clBlack);
            DrawDottedLine(canvas, c.start, c.length, c.phase, false);
        });
        std::set<int> painted;
        for (int y = 0; y < 12; ++y)
            if (image.pixel(c.start.x(), y) == qRgb(0, 0, 0))
                painted.insert(y);
        EXPECT_EQ(painted, c.dots) << c.start.y() << " " << c.length << " " << c.phase;
    }
}

TEST_F(CellButtonsTest, TreeSignsDrawBoxesSignsAndConnectors) {
    // A 17 x 17 cell at scale 1: centre (8, 8), box from (4, 4) to (13, 13).
    const auto sign = [](int kind) {
        return Render(17, 17, [kind](ui::TCanvas& canvas) {
            DrawTreeNodeSign(canvas, {0, 0, 17, 17}, kind, false, 1.0, 1.0, 0);
        });
    };
    const QImage plus = sign(3);
    EXPECT_EQ(plus.pixel(4, 8), Rgb(ui::clBtnShadow));  // box outline
    EXPECT_EQ(plus.pixel(7, 8), Rgb(ui::clWindowText)); // minus bar
    EXPECT_EQ(plus.pixel(8, 7), Rgb(ui::clWindowText)); // plus stem
    EXPECT_EQ(plus.pixel(8, 0), Rgb(ui::clBtnShadow));  // line up, phase 0 at (8, 0)
    const QImage minus = sign(2);
    EXPECT_EQ(minus.pixel(8, 6), Rgb(ui::clWindow));     // no stem
    EXPECT_EQ(minus.pixel(8, 0), Rgb(parentColor));      // no line up
    EXPECT_EQ(minus.pixel(8, 16), Rgb(ui::clBtnShadow)); // line down
    const QImage leaf = sign(9);
    EXPECT_EQ(leaf.pixel(8, 8), Rgb(ui::clBtnShadow));
    EXPECT_EQ(leaf.pixel(12, 8), Rgb(parentColor)); // no horizontal line
    EXPECT_EQ(sign(6).pixel(12, 8), Rgb(ui::clBtnShadow));
}

TEST_F(CellButtonsTest, SecondClickWithinTimeAndDistance) {
    const QStyleHints* hints = QGuiApplication::styleHints();
    const int interval = hints->mouseDoubleClickInterval();
    const int distance = hints->mouseDoubleClickDistance();
    EXPECT_TRUE(IsSecondClick({10, 10}, {10, 10}, interval));
    EXPECT_FALSE(IsSecondClick({10, 10}, {10, 10}, interval + 1));
    EXPECT_TRUE(IsSecondClick({10, 10}, {10 + distance, 10 - distance}, 0));
    EXPECT_FALSE(IsSecondClick({10, 10}, {10 + distance + 1, 10}, 0));
}

TEST_F(CellButtonsTest, VariantsMatchNeverRaises) {
    const QVariant null = db::NullVariant();
    struct Case {
        QVariant a;
        QVariant b;
        bool expected;
    };
    const Case cases[] = {
        {null, null, true},
        {QVariant(), null, false},
        {QVariant(), QVariant(), true},
        {QStringLiteral("abc"), 5, false},
        {5, 5.0, true},
        {QVariantList{}, QVariantList{}, false},
        {QVariantList{1, QStringLiteral("a")}, QVariantList{1, QStringLiteral("a")}, true},
        {QVariantList{1, 2}, QVariantList{1, 3}, false},
        {QVariantList{1}, QVariantList{1, 2}, false},
        {QVariantList{1}, 1, false},
    };
    int index = 0;
    for (const Case& c : cases)
        EXPECT_EQ(VariantsMatch(c.a, c.b), c.expected) << "case " << index++;
}

TEST_F(CellButtonsTest, EditButtonSizes) {
    EXPECT_EQ(EditButtonHeightFor(11, true), 16); // 16.5 to even
    EXPECT_EQ(EditButtonHeightFor(13, true), 20); // 19.5 to even
    EXPECT_EQ(EditButtonHeightFor(11, false), 11);
    EXPECT_EQ(FlatButtonWidth() % 2, 1);
    EXPECT_EQ(FlatEditButtonWidth(), FlatButtonWidth());
}

// Every style in every state, classic and themed, flat and raised, on one
// sheet written beside the test for a look; each button must have painted
// at least two colours of its own besides the parent colour around it.
TEST_F(CellButtonsTest, GalleryPaintsEveryStyleAndState) {
    struct State {
        int pressedPart;
        bool active;
        bool enabled;
    };
    const State states[] = {{0, false, true}, {1, false, true}, {2, false, true},
                            {0, true, true},  {1, true, true},  {0, false, false}};
    const TCellButtonPaintStyleX styles[] = {cpsDropDownX, cpsEllipsisX, cpsUpDownX,
                                             cpsPlusX,     cpsMinusX,    cpsCheckboxX};
    const int cell = 24;
    const int columns = 6 * 3; // states, plus the check states for check boxes
    QImage sheet(columns * cell, 4 * 6 * cell, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    int row = 0;
    for (const bool themed : {false, true}) {
        SetButtonThemesEnabled(themed);
        for (const bool flat : {false, true}) {
            for (const TCellButtonPaintStyleX style : styles) {
                int column = 0;
                for (const TCheckBoxState check : {cbUnchecked, cbChecked, cbGrayed}) {
                    if (style != cpsCheckboxX && check != cbUnchecked)
                        break;
                    for (const State& s : states) {
                        const QImage button = Button(cell - 6, cell - 5, style, s.pressedPart, flat,
                                                     s.active, s.enabled, check);
                        std::set<QRgb> colours;
                        for (int y = 0; y < button.height(); ++y)
                            for (int x = 0; x < button.width(); ++x)
                                colours.insert(button.pixel(x, y));
                        colours.erase(Rgb(parentColor));
                        EXPECT_GE(colours.size(), 2u)
                            << "themed " << themed << " flat " << flat << " style " << int(style)
                            << " state " << column;
                        QPainter(&sheet).drawImage(column * cell + 3, row * cell + 2, button);
                        ++column;
                    }
                }
                ++row;
            }
        }
    }
    // Kept in the temporary folder for a look by eye.
    const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
    QDir().mkpath(folder);
    EXPECT_TRUE(sheet.save(folder + QStringLiteral("/cellbuttons_gallery.png")));
}

} // namespace
} // namespace kx
