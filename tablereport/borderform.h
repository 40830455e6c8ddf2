#pragma once
// The four borders of the selected cells: on or off, one or two pixels wide.

#include "tablereport/reportcell.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QSpinBox;

namespace kx {

class TBorderForm : public QDialog {
public:
    explicit TBorderForm(QWidget* parent = nullptr);

    // Left, top, right, bottom.
    std::array<QCheckBox*, 4> LineBoxes{};
    std::array<QSpinBox*, 4> WidthEdits{};

    void SetBorders(const TReportCell& cell);
    TBorder Border(int side) const;
    void CheckAll(bool on);
};

} // namespace kx
