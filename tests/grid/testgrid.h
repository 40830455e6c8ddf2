#pragma once
// A grid for tests: records every cell it draws and keeps edited texts, and
// opens the protected steps of the grid base to the tests.

#include "grid/base/customgridx.h"
#include "grid/base/inplaceedit.h"

#include <QApplication>
#include <QHash>
#include <QTest>

#include <memory>
#include <vector>

namespace kx::test {

struct DrawnCell {
    int col;
    int row;
    ui::TRect rect;
    TGridDrawState state;
};

class TTestGrid : public TCustomGridX {
public:
    explicit TTestGrid(QWidget* parent = nullptr) : TCustomGridX(parent) {}

    using TCustomGridX::CalcSizingState;
    using TCustomGridX::ChangeContraSize;
    using TCustomGridX::SizingDistance;

    std::vector<DrawnCell> drawn;
    QHash<quint64, QString> texts;
    int editLimit = 0;

    static quint64 Key(int col, int row) { return quint64(quint32(col)) << 32 | quint32(row); }
    QString Text(int col, int row) const { return texts.value(Key(col, row)); }

protected:
    void DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) override {
        drawn.push_back({col, row, rect, state});
    }
    QString GetEditText(int col, int row) override { return Text(col, row); }
    void SetEditText(int col, int row, const QString& value) override {
        texts.insert(Key(col, row), value);
    }
    int GetEditLimit() override { return editLimit; }
};

// A grid shown in its own window without border or scroll bars, so that its
// client area is exactly width by height pixels; it has the focus.
inline std::unique_ptr<TTestGrid> ShownGrid(int width, int height,
                                            ui::TScrollStyle bars = ui::TScrollStyle::ssNone) {
    auto grid = std::make_unique<TTestGrid>();
    grid->SetBorderStyle(ui::TBorderStyle::bsNone);
    grid->SetScrollBars(bars);
    grid->resize(width, height);
    grid->show();
    grid->activateWindow();
    if (!QTest::qWaitForWindowActive(grid.get()))
        return nullptr;
    grid->setFocus();
    QApplication::processEvents();
    return grid;
}

} // namespace kx::test
