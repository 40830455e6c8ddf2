// Where the employee windows put their editors: the shared slot grid, the
// entry window's widening and note row, and the layout window's preview.

#include "frame/slots/slotgrid.h"
#include "staff/employeeslotlayout.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

TEmployeeFieldRow Row(double order, const char* column, const char* caption, const char* find) {
    TEmployeeFieldRow row;
    row.FieldName = QString::fromLatin1(column);
    row.DisplayName = QString::fromUtf8(caption);
    row.FindType = QString::fromLatin1(find);
    row.Order = order;
    return row;
}

TEST(SlotGrid, Geometry) {
    const struct {
        int slot;
        QRect entry;
        QRect preview;
        QRect button;
    } cases[] = {
        {1, {63, 10, 135, 20}, {63, 10, 135, 20}, {0, 10, 65, 20}},
        {3, {465, 10, 135, 20}, {466, 10, 135, 20}, {398, 10, 70, 20}},
        {5, {63, 30, 135, 20}, {63, 30, 135, 20}, {0, 30, 65, 20}},
        {14, {264, 70, 135, 20}, {264, 70, 135, 20}, {196, 70, 70, 20}},
        {20, {666, 90, 135, 20}, {668, 90, 135, 20}, {600, 90, 70, 20}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slotgrid::EntrySlotRect(c.slot), c.entry) << c.slot;
        EXPECT_EQ(slotgrid::PreviewSlotRect(c.slot), c.preview) << c.slot;
        EXPECT_EQ(slotgrid::SlotButtonRect(c.slot), c.button) << c.slot;
    }
    EXPECT_EQ(slotgrid::SlotButtonRect(21), QRect(0, 110, 65, 20));
    for (double order : {0.0, 2.5, 21.0, -1.0})
        EXPECT_EQ(slotgrid::WholeSlot(order), 0) << order;
    EXPECT_EQ(slotgrid::WholeSlot(20.0), 20);
}

// The note row moves up into the first empty row below the used ones.
TEST(SlotGrid, NoteRowTop) {
    const auto freeExcept = [](std::initializer_list<int> used) {
        slotgrid::TFreeSlots free;
        free.fill(true);
        for (int slot : used)
            free[static_cast<std::size_t>(slot)] = false;
        return free;
    };
    EXPECT_EQ(slotgrid::NoteRowTop(freeExcept({5, 9})), 70);  // rows 1, 2 used
    EXPECT_EQ(slotgrid::NoteRowTop(freeExcept({6, 18})), 50); // rows 1 and 4 used
    EXPECT_EQ(slotgrid::NoteRowTop(freeExcept({})), 30);      // no row used
    EXPECT_EQ(slotgrid::NoteRowTop(freeExcept({13})), 90);    // row 3 used
    EXPECT_EQ(slotgrid::NoteRowTop(freeExcept({5, 9, 13, 17})), 110);
    EXPECT_EQ(slotgrid::NoteRowTop(freeExcept({17})), 30); // rows 1 to 3 free: the first
}

TEST(EmployeeSlotLayout, PlacerRule) {
    const struct {
        const char* column;
        const char* find;
        const char* editor; // empty: no placer takes it
    } cases[] = {
        {"EMPLOYEE_DATE_FIELD1", "D", "KXDBComboEdit_EMPLOYEE_DATE_FIELD1"},
        {"EMPLOYEE_DATE_FIELD1", "T", ""},
        {"EMPLOYEE_TEXT_FIELD3", "DT", "KXDBComboEdit_EMPLOYEE_TEXT_FIELD3"},
        {"EMPLOYEE_TEXT_FIELD3", "T", "KXDBEdit_EMPLOYEE_TEXT_FIELD3"},
        {"EMPLOYEE_TEXT_FIELD3", "D", ""},
        {"EMPLOYEE_NUMBER_FIELD6", "T", "KXDBEdit_EMPLOYEE_NUMBER_FIELD6"},
        {"EMPLOYEE_NUMBER_FIELD6", "DT", ""},
        {"EMPLOYEE_ID", "T", ""},
        {"COMPANY_DEPT_NAME", "", ""},
    };
    for (const auto& c : cases) {
        const TEmployeeEditor* editor =
            SlotEditorFor(QString::fromLatin1(c.column), QString::fromLatin1(c.find));
        EXPECT_EQ(editor ? editor->Name : QString(), QString::fromLatin1(c.editor))
            << c.column << " " << c.find;
    }
}

TEST(EmployeeSlotLayout, EntryWindowWithTheDefaultRows) {
    const TEntryFieldLayout layout = LayoutEntryFields(DefaultEmployeeFieldRows());
    EXPECT_EQ(layout.Label(1).Caption, "员工编号");
    EXPECT_EQ(layout.Label(3).Caption, "性别");
    EXPECT_EQ(layout.Editor("KXDBComboEdit_EMPLOYEE_TEXT_FIELD1").Rect, QRect(465, 10, 135, 20));
    EXPECT_FALSE(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD1").InSight());
    EXPECT_EQ(layout.Editor("KXDBComboEdit_EMPLOYEE_DATE_FIELD1").Rect, QRect(666, 10, 135, 20));
    EXPECT_EQ(layout.Label(4).Caption, "出生日期");
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD2").Rect, QRect(63, 30, 135, 20));
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_NUMBER_FIELD2").Rect.topLeft(), QPoint(666, 50));
    // Rows 3 and 4 are free: the note moves into row 3.
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_NOTE").Rect, QRect(63, 70, 738, 20));
    EXPECT_EQ(layout.Label(21).Top, 74);
    EXPECT_EQ(layout.Label(21).Caption, "备注");
    for (int slot = 13; slot <= 20; ++slot)
        EXPECT_FALSE(layout.Label(slot).Visible) << slot;
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_ID").TabOrder, 0);
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_NAME").TabOrder, 1);
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_NOTE").TabOrder, 22);
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD6").TabOrder, 10);
    EXPECT_FALSE(layout.Editor("KXDBEdit_EMPLOYEE_NUMBER_FIELD3").Bound);
}

// A text editor grows over the free slots to its right; a used slot, the
// row's end, a date or a number stops it.
TEST(EmployeeSlotLayout, Widening) {
    const struct {
        std::vector<TEmployeeFieldRow> rows;
        const char* editor;
        int width;
    } cases[] = {
        {{Row(5, "EMPLOYEE_TEXT_FIELD1", "甲", "DT")}, "KXDBComboEdit_EMPLOYEE_TEXT_FIELD1", 738},
        {{Row(5, "EMPLOYEE_TEXT_FIELD1", "甲", "DT"), Row(7, "EMPLOYEE_TEXT_FIELD2", "乙", "T")},
         "KXDBComboEdit_EMPLOYEE_TEXT_FIELD1",
         336},
        {{Row(5, "EMPLOYEE_DATE_FIELD1", "甲", "D")}, "KXDBComboEdit_EMPLOYEE_DATE_FIELD1", 135},
        {{Row(6, "EMPLOYEE_NUMBER_FIELD1", "甲", "T")}, "KXDBEdit_EMPLOYEE_NUMBER_FIELD1", 135},
        {{Row(18, "EMPLOYEE_TEXT_FIELD4", "甲", "T")}, "KXDBEdit_EMPLOYEE_TEXT_FIELD4", 537},
        {{Row(8, "EMPLOYEE_TEXT_FIELD4", "甲", "T")}, "KXDBEdit_EMPLOYEE_TEXT_FIELD4", 135},
        {{Row(3, "EMPLOYEE_TEXT_FIELD4", "甲", "T")}, "KXDBEdit_EMPLOYEE_TEXT_FIELD4", 336},
        // A caption that reads "未定义" leaves its slot free.
        {{Row(9, "EMPLOYEE_TEXT_FIELD4", "甲", "T"),
          Row(10, "EMPLOYEE_TEXT_FIELD5", "未定义", "T")},
         "KXDBEdit_EMPLOYEE_TEXT_FIELD4",
         738},
    };
    for (const auto& c : cases) {
        const TEntryFieldLayout layout =
            LayoutEntryFields(TEmployeeFieldRows(c.rows.begin(), c.rows.end()));
        EXPECT_EQ(layout.Editor(QString::fromLatin1(c.editor)).Rect.width(), c.width) << c.editor;
    }
}

TEST(EmployeeSlotLayout, EntryLabelsAndOutOfRangeSlots) {
    const TEmployeeFieldRows rows = {
        Row(3, "EMPLOYEE_TEXT_FIELD1", "甲", "T"), Row(13, "EMPLOYEE_TEXT_FIELD2", "乙", "T"),
        Row(14, "EMPLOYEE_TEXT_FIELD3", "丙", "T"), Row(2.5, "EMPLOYEE_TEXT_FIELD4", "丁", "T"),
        Row(0, "EMPLOYEE_TEXT_NOTE", "备注", "T")};
    const TEntryFieldLayout layout = LayoutEntryFields(rows);
    // Captions end 2 pixels left of the editor, 3 in columns 0, 2 and 3 of
    // the last two rows.
    EXPECT_EQ(layout.Label(3).Right, 463);
    EXPECT_EQ(layout.Label(13).Right, 60);
    EXPECT_EQ(layout.Label(14).Right, 262);
    EXPECT_EQ(layout.Label(19).Right, 462);
    EXPECT_EQ(layout.Label(13).Top, 74);
    // A fraction places nothing but still binds the editor.
    EXPECT_TRUE(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD4").Bound);
    EXPECT_FALSE(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD4").InSight());
    // The note is placed by its column, whatever its order; row 4 is free.
    EXPECT_EQ(layout.Editor("KXDBEdit_EMPLOYEE_TEXT_NOTE").Rect, QRect(63, 90, 738, 20));
    EXPECT_EQ(layout.Label(1).Caption, "档案编号");
    EXPECT_EQ(layout.Label(2).Caption, "档案名称");
}

TEST(EmployeeSlotLayout, LayoutWindowWithTheDefaultRows) {
    const TSetupSlots view = LayoutSetupSlots(DefaultEmployeeFieldRows());
    const char* captions[] = {"员工编号", "员工姓名", "性别",     "出生日期",
                              "身份证号", "文化水平", "技术职称", "工作职务",
                              "任职日期", "联系电话", "养老保险", "医疗保险"};
    for (int slot = 1; slot <= 12; ++slot)
        EXPECT_EQ(view.Caption(slot), QString::fromUtf8(captions[slot - 1])) << slot;
    for (int slot = 13; slot <= 20; ++slot)
        EXPECT_EQ(view.Caption(slot), "未定义") << slot;
    EXPECT_EQ(view.Caption(21), "备注");
    EXPECT_EQ(view.Editor("KXDBComboEdit_EMPLOYEE_TEXT_FIELD1").Rect, QRect(466, 10, 135, 20));
    EXPECT_EQ(view.Editor("KXDBComboEdit_EMPLOYEE_DATE_FIELD1").Rect.topLeft(), QPoint(668, 10));
    EXPECT_EQ(view.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD2").Rect.topLeft(), QPoint(63, 30));
    EXPECT_EQ(view.Editor("KXDBEdit_EMPLOYEE_TEXT_NOTE").Rect, QRect(63, 109, 740, 20));
    for (const TEditorPlace& place : view.Editors) {
        if (place.InSight() && place.Slot > 0) {
            EXPECT_EQ(place.TabOrder, place.Slot) << place.Name.toStdString();
        }
    }
}

// A slot the dialog empties or gives another column shows no stale editor;
// a text column switched between its two editors shows only the new one.
TEST(EmployeeSlotLayout, LayoutWindowSlotChanges) {
    TSetupSlots view = LayoutSetupSlots(DefaultEmployeeFieldRows());
    view.ClearSlot(3);
    view.PlaceField("EMPLOYEE_TEXT_FIELD1", "T", 3, "性别");
    EXPECT_EQ(view.Editor("KXDBEdit_EMPLOYEE_TEXT_FIELD1").Rect.topLeft(), QPoint(466, 10));
    EXPECT_FALSE(view.Editor("KXDBComboEdit_EMPLOYEE_TEXT_FIELD1").InSight());

    view.ClearSlot(4);
    view.SetCaption(4, "未定义");
    EXPECT_FALSE(view.PlaceField({}, {}, 4, "未定义"));
    EXPECT_FALSE(view.Editor("KXDBComboEdit_EMPLOYEE_DATE_FIELD1").InSight());
    EXPECT_EQ(view.Caption(4), "未定义");

    // An order outside 3 to 20 is claimed but moves and captions nothing.
    EXPECT_TRUE(view.PlaceField("EMPLOYEE_NUMBER_FIELD5", "T", 22, "X"));
    EXPECT_FALSE(view.Editor("KXDBEdit_EMPLOYEE_NUMBER_FIELD5").InSight());
}

} // namespace
} // namespace kx::staff
