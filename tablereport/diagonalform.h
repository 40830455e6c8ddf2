#pragma once
// The diagonal strokes of the selected cells.

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;

namespace kx {

class TDiagonalForm : public QDialog {
public:
    explicit TDiagonalForm(QWidget* parent = nullptr);

    // 左斜线1..3, then 右斜线1..3.
    std::array<QCheckBox*, 6> Boxes{};

    int32_t Diagonal() const;
};

} // namespace kx
