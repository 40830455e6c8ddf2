#include "cashbook/entrylayout.h"
#include "tests/cashbook/slotrows.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using test::FirstRunSlots;
using test::Slot;

const QString kSummaryEdit = "KXDBComboEdit_MONEY_TEXT_FIELD1";
const QString kNoteEdit = "KXDBEdit_MONEY_TEXT_NOTE";

const TEntryLabel& LabelOf(const TEntryLayout& layout, int slot) {
    return layout.Labels[static_cast<std::size_t>(slot - 1)];
}

TEST(EntryLayout, FirstRunRows) {
    const TEntryLayout layout = LayoutEntryFields(FirstRunSlots());
    const TEntryControlPlace& summary = layout.Control(kSummaryEdit);
    EXPECT_EQ(QRect(summary.Left, summary.Top, summary.Width, 20), QRect(465, 10, 336, 20));
    EXPECT_EQ(layout.Control("KXDBEdit_MONEY_TEXT_FIELD1").Top, kOutOfSightTop);
    EXPECT_FALSE(LabelOf(layout, 4).Visible);

    const TEntryControlPlace& account = layout.Control("KXDBComboEdit_MONEY_ACCOUNT_NAME");
    EXPECT_EQ(QRect(account.Left, account.Top, account.Width, 20), QRect(63, 30, 135, 20));
    EXPECT_TRUE(LabelOf(layout, 5).Blue);
    EXPECT_EQ(LabelOf(layout, 5).Caption, "资金账号");
    EXPECT_EQ(LabelOf(layout, 5).Right, 61);
    EXPECT_EQ(LabelOf(layout, 5).Top, 34);
    EXPECT_EQ(LabelOf(layout, 8).Right, 664);

    // Rows 3 to 5 are empty: the note takes row 3.
    const TEntryControlPlace& note = layout.Control(kNoteEdit);
    EXPECT_EQ(QRect(note.Left, note.Top, note.Width, 20), QRect(63, 50, 738, 20));
    EXPECT_EQ(LabelOf(layout, 21).Top, 54);
    EXPECT_EQ(LabelOf(layout, 21).Caption, "备注");
    for (int slot = 9; slot <= 20; ++slot)
        EXPECT_FALSE(LabelOf(layout, slot).Visible) << slot;

    QMap<int, QString> tabs;
    for (const TEntryControlPlace& control : layout.Controls)
        if (control.TabOrder > 0)
            tabs.insert(control.TabOrder, control.Name);
    EXPECT_EQ(tabs.keys(), QList<int>({1, 2, 3, 5, 6, 7, 8, 21}));
    EXPECT_EQ(tabs.value(6), "KXDBEdit_MONEY_INTO_NUMBER");
}

// A text or account input widens over the free slots to its right, up to
// the end of its row.
TEST(EntryLayout, WideningOverFreeSlots) {
    const struct {
        const char* order;
        const char* findType;
        int width;
    } cases[] = {
        {"17", "T", 738}, {"20", "T", 135}, {"18", "DT", 537}, {"19", "DT", 336}, {"5", "T", 738}};
    for (const auto& c : cases) {
        const TEntryLayout layout =
            LayoutEntryFields({Slot(c.order, "MONEY_TEXT_FIELD2", "用途", c.findType)});
        const QString name = QString(c.findType) == "T" ? "KXDBEdit_MONEY_TEXT_FIELD2"
                                                        : "KXDBComboEdit_MONEY_TEXT_FIELD2";
        EXPECT_EQ(layout.Control(name).Width, c.width) << c.order;
    }
    // A used slot stops the widening; a date never widens.
    const TEntryLayout layout = LayoutEntryFields({Slot("9", "MONEY_TEXT_FIELD2", "用途", "T"),
                                                   Slot("11", "MONEY_DATE_FIELD1", "到期", "D"),
                                                   Slot("13", "MONEY_DATE_FIELD2", "起始", "D")});
    EXPECT_EQ(layout.Control("KXDBEdit_MONEY_TEXT_FIELD2").Width, 336);
    EXPECT_EQ(layout.Control("KXDBComboEditMONEY_DATE_FIELD1").Width, 135);
    EXPECT_EQ(layout.Control("KXDBComboEditMONEY_DATE_FIELD2").Width, 135);
}

// A caption that reads "未定义" counts as a free slot.
TEST(EntryLayout, CaptionUndefinedCountsAsFree) {
    const TEntryLayout layout =
        LayoutEntryFields({Slot("9", "MONEY_TEXT_FIELD2", "用途", "T"),
                           Slot("10", "MONEY_TEXT_FIELD3", kFreeSlotCaption, "T")});
    EXPECT_FALSE(LabelOf(layout, 10).Visible);
    EXPECT_EQ(layout.Control("KXDBEdit_MONEY_TEXT_FIELD2").Width, 738);
}

TEST(EntryLayout, SlotNumbersMustBeWholeNumbersUpTo20) {
    const std::pair<const char*, int> cases[] = {{"5", 5}, {"5.0", 5}, {"20", 20}, {"5.5", 0},
                                                 {"0", 0}, {"21", 0},  {"22", 0},  {"五", 0},
                                                 {"", 0},  {"-5", 0}};
    for (const auto& [text, slot] : cases)
        EXPECT_EQ(EntrySlotNumber(text), slot) << text;
    for (const char* order : {"5.5", "0", "22", "x"}) {
        const TEntryLayout layout =
            LayoutEntryFields({Slot(order, "MONEY_DEPT_NAME", "部门", "DT")});
        const TEntryControlPlace& dept = layout.Control("KXDBComboEdit_MONEY_DEPT_NAME");
        EXPECT_TRUE(dept.Bound) << order;
        EXPECT_EQ(dept.Top, kOutOfSightTop) << order;
    }
}

TEST(EntryLayout, SlotOneTakesOnlyItsColumns) {
    TEntryLayout layout = LayoutEntryFields({Slot("1", "MONEY_DATE_FIELD1", "到期", "D")});
    EXPECT_TRUE(layout.Control("KXDBComboEditMONEY_DATE_FIELD1").Bound);
    EXPECT_EQ(layout.Control("KXDBComboEditMONEY_DATE_FIELD1").Top, kOutOfSightTop);
    EXPECT_EQ(LabelOf(layout, 1).Caption, "记录编号");

    layout = LayoutEntryFields({Slot("1", "MONEY_DEPT_NAME", "部门", "DT")});
    const TEntryControlPlace& dept = layout.Control("KXDBComboEdit_MONEY_DEPT_NAME");
    EXPECT_EQ(QPoint(dept.Left, dept.Top), QPoint(63, 10));
    EXPECT_EQ(LabelOf(layout, 1).Caption, "部门");
}

// An input mode the column does not offer places nothing.
TEST(EntryLayout, UnofferedModesPlaceNothing) {
    const TEntryLayout layout = LayoutEntryFields(
        {Slot("2", "MONEY_DATE", "日期", "T"), Slot("3", "MONEY_INTO_NUMBER", "收入", "DT"),
         Slot("5", "MONEY_ACCOUNT_NAME", "账号", "T"), Slot("6", "MONEY_ID", "编号", "DT")});
    for (const TEntryControlPlace& control : layout.Controls)
        EXPECT_FALSE(control.Bound) << control.Name.toStdString();
    for (int slot : {3, 5, 6})
        EXPECT_FALSE(LabelOf(layout, slot).Visible);
    EXPECT_TRUE(LabelOf(layout, 2).Visible);
}

TEST(EntryLayout, TypedTextColumnUsesThePlainEdit) {
    const TEntryLayout layout = LayoutEntryFields({Slot("3", "MONEY_TEXT_FIELD1", "摘要", "T")});
    EXPECT_EQ(layout.Control("KXDBEdit_MONEY_TEXT_FIELD1").Top, 10);
    EXPECT_EQ(layout.Control("KXDBEdit_MONEY_TEXT_FIELD1").Width, 336);
    EXPECT_EQ(layout.Control(kSummaryEdit).Top, kOutOfSightTop);
    EXPECT_FALSE(layout.Control(kSummaryEdit).Bound);
}

TEST(EntryLayout, NoteRowMovesUpOnlyWhenDefined) {
    TEntryLayout layout = LayoutEntryFields({Slot("1", "MONEY_ID", "记录编号", "T")});
    EXPECT_FALSE(LabelOf(layout, 21).Visible);
    EXPECT_FALSE(layout.Control(kNoteEdit).Bound);
    EXPECT_EQ(LabelOf(layout, 21).Top, 114);

    layout = LayoutEntryFields(
        {Slot("1", "MONEY_ID", "记录编号", "T"), Slot("21", "MONEY_TEXT_NOTE", "备注", "T")});
    EXPECT_EQ(layout.Control(kNoteEdit).Top, 30);
    EXPECT_EQ(LabelOf(layout, 21).Top, 34);
    EXPECT_EQ(layout.Control(kNoteEdit).TabOrder, 21);

    const struct {
        const char* lastSlot;
        int noteTop;
    } cases[] = {{"5", 50}, {"9", 70}, {"13", 90}, {"17", 30}};
    for (const auto& c : cases) {
        layout = LayoutEntryFields({Slot(c.lastSlot, "MONEY_NUMBER_FIELD1", "件数", "T", "Float"),
                                    Slot("21", "MONEY_TEXT_NOTE", "备注", "T")});
        EXPECT_EQ(layout.Control(kNoteEdit).Top, c.noteTop) << c.lastSlot;
    }
}

TEST(EntryLayout, SetUpPreviewGeometry) {
    EXPECT_EQ(PreviewSlotRect(2), QRect(264, 10, 135, 20));
    EXPECT_EQ(PreviewSlotRect(7), QRect(466, 30, 135, 20));
    EXPECT_EQ(PreviewSlotRect(20), QRect(668, 90, 135, 20));
    EXPECT_EQ(EntrySlotRect(20), QRect(666, 90, 135, 20));
    EXPECT_EQ(SlotButtonRect(1), QRect(0, 10, 65, 20));
    EXPECT_EQ(SlotButtonRect(8), QRect(600, 30, 70, 20));
    EXPECT_EQ(SlotButtonRect(21), QRect(0, 110, 65, 20));

    const struct {
        const char* column;
        const char* findType;
        const char* control;
    } cases[] = {{"MONEY_DATE", "D", "KXDBComboEdit_MONEY_DATE"},
                 {"MONEY_TEXT_FIELD4", "DT", "KXDBComboEdit_MONEY_TEXT_FIELD4"},
                 {"MONEY_TEXT_FIELD4", "T", "KXDBEdit_MONEY_TEXT_FIELD4"},
                 {"MONEY_OUT_NUMBER", "T", "KXDBEdit_MONEY_OUT_NUMBER"},
                 {"MONEY_EMPLOYEE_NAME", "DT", "KXDBComboEdit_MONEY_EMPLOYEE_NAME"},
                 {"MONEY_ID", "T", ""},
                 {"MONEY_TEXT_NOTE", "T", ""},
                 {"MONEY_DATE", "T", ""},
                 {"", "", ""}};
    for (const auto& c : cases) {
        const TEntryControlRule* rule = PreviewControlFor(c.column, c.findType);
        EXPECT_EQ(rule ? rule->Name : QString(), c.control) << c.column << " " << c.findType;
    }
}

} // namespace
} // namespace kx
