#pragma once
// A plain grid of 30 columns with a frozen column, two title rows under which
// come the rows asked for, sizing, moving and editing switched on: each cell
// shows its own "column,row" until it is edited.

#include "grid/base/customgridx.h"

#include <QHash>

namespace kx {

class TDemoGrid : public TCustomGridX {
    Q_OBJECT
public:
    static constexpr int kTitleRows = 2;
    static constexpr int kDefaultRows = 10000;

    explicit TDemoGrid(int rows = kDefaultRows, QWidget* parent = nullptr);

    QString CellText(int col, int row) const;

protected:
    void DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& value) override;
    int GetEditLimit() override { return 40; }

private:
    QHash<quint64, QString> edited_;
};

} // namespace kx
