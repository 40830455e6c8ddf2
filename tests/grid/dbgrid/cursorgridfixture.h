#pragma once
// A data-aware grid over the in-memory tree data set of the grid demo, for
// the tests of record-cursor mode, tree rows and record moving.

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "tools/griddemo/memtreedataset.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace kx::test {

class CursorGrid : public TCustomDBGridX {
public:
    using TCustomDBGridX::MouseDown;
    using TCustomDBGridX::MouseMove;
    using TCustomDBGridX::MouseUp;
    using TCustomDBGridX::ScrollAction;
    using TCustomDBGridX::TimerFired;
};

class CursorGridTest : public ::testing::Test {
protected:
    CursorGridTest() { StartGridUnit(); }
    ~CursorGridTest() override {
        grid_.SetDataSource(nullptr);
        EndGridUnit();
    }

    // Nodes by (level, name, expanded), in tree order.
    void Fill(const std::vector<std::tuple<int, QString, bool>>& nodes) {
        data_.DefineFields({{QStringLiteral("NAME"), db::ftString, 40}});
        for (const auto& [level, name, expanded] : nodes)
            data_.AddNode(level, {name}, expanded);
    }

    // A: A1, A2 (collapsed: A2x); B (collapsed: B1); C.
    void FillSmallTree() {
        Fill({{1, QStringLiteral("A"), true},
              {2, QStringLiteral("A1"), true},
              {2, QStringLiteral("A2"), false},
              {3, QStringLiteral("A2x"), true},
              {1, QStringLiteral("B"), false},
              {2, QStringLiteral("B1"), true},
              {1, QStringLiteral("C"), true}});
    }

    void FillFlat(int count) {
        std::vector<std::tuple<int, QString, bool>> nodes;
        for (int i = 1; i <= count; ++i)
            nodes.emplace_back(1, QStringLiteral("N%1").arg(i), true);
        Fill(nodes);
    }

    CursorGrid& Open(int width = 400, int height = 200) {
        TColumnX* column = grid_.Columns()->Add();
        column->SetFieldName(QStringLiteral("NAME"));
        column->Title()->SetCaption(QStringLiteral("N"));
        column->SetWidth(200);
        source_.SetDataSet(&data_);
        grid_.resize(width, height);
        grid_.SetDataSource(&source_);
        data_.Open();
        return grid_;
    }

    // The names the view shows, in order.
    QStringList ViewNames() {
        QStringList names;
        for (int i = 0; i < data_.ViewRecordCount(); ++i) {
            data_.BeginReadRecord(i);
            names.append(data_.FieldByName(QStringLiteral("NAME"))->AsString());
            data_.EndReadRecord();
        }
        return names;
    }

    QString CurrentName() const { return data_.FieldByName(QStringLiteral("NAME"))->AsString(); }

    // A point in the middle of the tree slot of a data row (slot from 1).
    QPoint SlotPoint(int dataRow, int slot) const {
        const ui::TRect rect = grid_.CellRect(1, dataRow + grid_.TitleOffset());
        return {rect.Left + (slot - 1) * TCustomDBGridX::TreeLevelWidth + 9,
                (rect.Top + rect.Bottom) / 2};
    }

    void Click(QPoint point, ui::TShiftState shift = 0) {
        grid_.MouseDown(ui::TMouseButton::mbLeft, shift, point.x(), point.y());
        grid_.MouseUp(ui::TMouseButton::mbLeft, shift, point.x(), point.y());
    }

    TMemTreeDataSet data_;
    db::TDataSource source_;
    CursorGrid grid_;
};

} // namespace kx::test
