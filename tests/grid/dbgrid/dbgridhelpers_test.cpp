#include "grid/dbgrid/dbgridhelpers.h"

#include "grid/base/invalidgridoperationx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridxstyle.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "tests/platform/db/dbfixture.h"

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace kx {
namespace {

using db::TQuery;

class FieldAsIntegerTest : public db::test::DbTest {
protected:
    FieldAsIntegerTest() {
        Exec({"CREATE TABLE INT_TEST (I INTEGER, S SMALLINT, B BIGINT, F REAL, C MONEY, "
              "N VARCHAR(10))"});
        Exec({"INSERT INTO INT_TEST VALUES (7, -3, 5000000000, 2147483648, 300000, '12')"});
        Exec({"INSERT INTO INT_TEST VALUES (NULL, NULL, -12, -2147483648.4, 2.5, NULL)"});
        Exec({"INSERT INTO INT_TEST VALUES (1, 2, 3, NULL, NULL, 'x')"});
        query_.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_.SQL().SetText(QStringLiteral("SELECT * FROM INT_TEST"));
        query_.Open();
    }

    TQuery query_;
};

TEST_F(FieldAsIntegerTest, ReadsIntegersInRangeAndTheDefaultOtherwise) {
    struct Case {
        int row;
        const char* field;
        int expected;
    };
    const Case cases[] = {
        {0, "I", 7},      {0, "S", -3},          {0, "B", -1}, // beyond 32 bits
        {0, "F", -1},                                          // 2147483648 is one too many
        {0, "C", 300000},                        // a currency amount that fits is its value
        {0, "N", -1},                            // a text field is no number
        {1, "I", 0},                             // null integers read as 0
        {1, "B", -12},    {1, "F", -2147483648}, // rounded to the lowest 32-bit value
        {1, "C", 2},                             // halves round to even
        {1, "N", -1},     {2, "F", 0},           // a null float reads as 0
        {2, "C", 0},
    };
    for (const Case& c : cases) {
        query_.First();
        query_.MoveBy(c.row);
        EXPECT_EQ(FieldAsIntegerOrDefault(query_.FieldByName(QString::fromLatin1(c.field)), -1),
                  c.expected)
            << "row " << c.row << " field " << c.field;
    }
    EXPECT_EQ(FieldAsIntegerOrDefault(nullptr, 9), 9);
}

TEST(DbGridHelpers, FindListPrefixMatchesWholeOrByPrefixIgnoringCase) {
    const QStringList list{QStringLiteral("Alpha"), QStringLiteral("beta"),
                           QStringLiteral("Betamax"), QStringLiteral("现金")};
    struct Case {
        QString text;
        int options;
        int expected;
    };
    const Case cases[] = {
        {QString(), flpPrefix, 0}, // an empty prefix finds the first string
        {QString(), 0, -1},
        {QStringLiteral("BETA"), 0, 1},
        {QStringLiteral("betam"), 0, -1}, // whole strings only without the option
        {QStringLiteral("betam"), flpPrefix, 2},
        {QStringLiteral("现"), flpPrefix, 3},
        {QStringLiteral("gamma"), flpPrefix, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindListPrefix(list, c.text, c.options), c.expected) << c.text.toStdString();
}

TEST(DbGridHelpers, SmallRoutines) {
    ui::TRect rect{10, 20, 40, 30};
    RotateRectSize(rect);
    EXPECT_EQ(rect, (ui::TRect{10, 20, 20, 50}));

    EXPECT_TRUE(IsControlCharText(QStringLiteral("\x1b")));
    EXPECT_TRUE(IsControlCharText(QStringLiteral("\r")));
    EXPECT_FALSE(IsControlCharText(QStringLiteral("\b")));
    EXPECT_FALSE(IsControlCharText(QStringLiteral("a")));
    EXPECT_FALSE(IsControlCharText(QStringLiteral("\r\n")));
    EXPECT_FALSE(IsControlCharText(QString()));

    EXPECT_THROW(RaiseGridError(QStringLiteral("no")), EInvalidGridOperationX);
    EXPECT_TRUE(AllFieldsModifiable({}));
}

TEST(DbGridHelpers, TextOverflowsCellAgainstWidthHeightAndWrap) {
    QImage image(200, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    const QPalette palette;
    ui::TCanvas canvas(painter, palette, QRegion(0, 0, 200, 200));
    const int lineHeight = canvas.FontMetrics().height();
    const QString words = QStringLiteral("one two three four five six");
    const int wordsWidth = canvas.TextWidth(words);
    const ui::TRect oneLine{0, 0, wordsWidth + 2, lineHeight};
    const ui::TRect narrowTall{0, 0, wordsWidth / 2, lineHeight * 6};
    int height = 0;
    int width = 0;
    EXPECT_FALSE(TextOverflowsCell(0, canvas, 0, height, width, false, oneLine, words, 0));
    EXPECT_EQ(width, wordsWidth);
    // One pixel of right indent leaves too little room.
    EXPECT_TRUE(TextOverflowsCell(0, canvas, 1, height, width, false, oneLine, words, 0));
    EXPECT_TRUE(TextOverflowsCell(0, canvas, 0, height, width, false, narrowTall, words, 0));
    EXPECT_FALSE(TextOverflowsCell(0, canvas, 0, height, width, true, narrowTall, words, 0));
    EXPECT_GT(height, lineHeight);
    // Wrapped into a cell of one line the text is too tall.
    const ui::TRect narrowLow{0, 0, wordsWidth / 2, lineHeight};
    EXPECT_TRUE(TextOverflowsCell(0, canvas, 0, height, width, true, narrowLow, words, 0));
}

TEST(DbGridXStyle, BlendColor) {
    const QPalette palette;
    struct Case {
        ui::TColor color;
        ui::TColor glass;
        bool ungray;
        ui::TColor expected;
    };
    const Case cases[] = {
        {ui::clWhite, ui::clWhite, false, ui::RGBColor(237, 237, 237)},
        {ui::clWhite, ui::clWhite, true, ui::RGBColor(255, 255, 255)}, // 265.75 clamped
        {ui::clBlack, ui::clWhite, false, ui::RGBColor(186, 186, 186)},
        {ui::clBlack, ui::clWhite, true, ui::RGBColor(202, 202, 202)},
        {ui::clBlack, ui::clBlack, false, ui::RGBColor(135, 135, 135)},
        {ui::clRed, ui::clBlack, false, ui::RGBColor(186, 135, 135)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TDBGridXStyle::BlendColor(c.color, c.glass, c.ungray, palette), c.expected)
            << std::hex << c.color << " " << c.glass << " " << c.ungray;
}

TEST(DbGridXStyle, DataCellHighlightRules) {
    const QPalette palette;
    TDBGridXStyle style;
    ASSERT_TRUE(style.RichColorDisplay());
    const ui::TColor background = ui::clWhite;
    const ui::TColor blendedHighlight =
        TDBGridXStyle::BlendColor(background, ui::clHighlight, true, palette);
    const ui::TColor blendedShadow =
        TDBGridXStyle::BlendColor(background, ui::clBtnShadow, false, palette);
    struct Case {
        const char* name;
        TDataCellHighlightQuery cell;
        bool highlighted;
        ui::TColor background;
        ui::TColor font;
    };
    TDataCellHighlightQuery focusedSelected;
    focusedSelected.Selected = true;
    focusedSelected.Focused = true;
    focusedSelected.OptionsX = dghHighlightFocus;
    TDataCellHighlightQuery current = focusedSelected;
    current.CurrentRow = true;
    current.CurrentColumn = true;
    TDataCellHighlightQuery unfocusedCurrent = current;
    unfocusedCurrent.Focused = false;
    unfocusedCurrent.Options = dgAlwaysShowSelection;
    TDataCellHighlightQuery unfocusedOther = unfocusedCurrent;
    unfocusedOther.CurrentColumn = false;
    TDataCellHighlightQuery unfocusedHidden = current;
    unfocusedHidden.Focused = false;
    TDataCellHighlightQuery rowHighlight;
    rowHighlight.CurrentRow = true;
    rowHighlight.OptionsX = dghRowHighlight;
    TDataCellHighlightQuery held = focusedSelected;
    held.UpdateHeld = true;
    TDataCellHighlightQuery heldRowSelect = current;
    heldRowSelect.UpdateHeld = true;
    heldRowSelect.Options = dgRowSelect;
    heldRowSelect.CurrentColumn = false;
    TDataCellHighlightQuery bookmarked;
    bookmarked.InSelection = true;
    bookmarked.Focused = true;
    const Case cases[] = {
        {"plain", {}, false, background, ui::clWindowText},
        {"focused current", current, true, ui::clHighlight, ui::clHighlightText},
        {"focused other", focusedSelected, true, blendedHighlight, ui::clWindowText},
        {"unfocused current", unfocusedCurrent, true, ui::clActiveCaption, ui::clHighlightText},
        {"unfocused other", unfocusedOther, true, blendedShadow, ui::clWindowText},
        {"unfocused, not always shown", unfocusedHidden, false, background, ui::clWindowText},
        {"row highlight, unfocused", rowHighlight, true, blendedShadow, ui::clWindowText},
        {"update held", held, false, background, ui::clWindowText},
        {"update held, row select", heldRowSelect, true, ui::clHighlight, ui::clHighlightText},
        {"in the bookmark selection", bookmarked, true, blendedHighlight, ui::clWindowText},
    };
    for (const Case& c : cases) {
        TCellColors colors{background, ui::clWindowText};
        EXPECT_EQ(style.DataCellHighlight(c.cell, colors, palette), c.highlighted) << c.name;
        EXPECT_EQ(colors.Background, c.background) << c.name;
        EXPECT_EQ(colors.FontColor, c.font) << c.name;
    }
    style.SetLuminateSelection(false);
    TCellColors colors{background, ui::clWindowText};
    EXPECT_TRUE(style.DataCellHighlight(focusedSelected, colors, palette));
    EXPECT_EQ(colors.Background, ui::clHighlight);
}

TEST(DbGridXStyle, AreaCellHighlightRules) {
    const QPalette palette;
    TDBGridXStyle style;
    const ui::TColor dark = ui::RGBColor(64, 64, 64);
    struct Case {
        bool focused;
        bool selected;
        int area;
        int subKind;
        ui::TColor background;
    };
    const ui::TColor face = ui::clBtnFace;
    const Case cases[] = {
        {true, false, 0, 0, face},
        {true, true, 0, 0, dark},
        {true, true, 0, 3, TDBGridXStyle::BlendColor(face, ui::clHighlight, true, palette)},
        {false, true, 1, 1, dark},
        {false, true, 1, 2, TDBGridXStyle::BlendColor(face, ui::clBtnShadow, false, palette)},
    };
    for (const Case& c : cases) {
        TCellColors colors{face, ui::clBtnText};
        EXPECT_EQ(
            style.AreaCellHighlight(c.focused, c.selected, c.area, c.subKind, colors, palette),
            c.selected);
        EXPECT_EQ(colors.Background, c.background) << c.area << "/" << c.subKind;
    }
}

class RecordingUser : public TDBGridXStyleUser {
public:
    RecordingUser(std::vector<int>& log, int id) : log_(log), id_(id) {}
    void DropStyle() override { log_.push_back(id_); }

private:
    std::vector<int>& log_;
    int id_;
};

TEST(DbGridXStyle, DestroyedStyleTellsItsGridsLastFirstAndLeavesNoDefault) {
    std::vector<int> dropped;
    RecordingUser first(dropped, 1);
    RecordingUser second(dropped, 2);
    RecordingUser third(dropped, 3);
    CreateDefaultGridStyle();
    TDBGridXStyle* style = DefaultGridStyle();
    ASSERT_NE(style, nullptr);
    style->RegisterGrid(&first);
    style->RegisterGrid(&second);
    style->RegisterGrid(&first); // once only
    style->RegisterGrid(&third);
    style->UnregisterGrid(&third);
    EXPECT_FALSE(style->HasGrid(&third));
    DestroyDefaultGridStyle();
    EXPECT_EQ(dropped, (std::vector<int>{2, 1}));
    EXPECT_EQ(DefaultGridStyle(), nullptr);
}

} // namespace
} // namespace kx
