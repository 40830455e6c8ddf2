#pragma once
// The text and background colours of the selected cells, with a sample.

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

namespace kx {

class TColorForm : public QDialog {
public:
    explicit TColorForm(QWidget* parent = nullptr);

    QLabel* Sample;
    QPushButton* TextButton;
    QPushButton* BackButton;
    uint32_t TextColor = 0;
    uint32_t BackColor = 0xFFFFFF;

    void SetColors(uint32_t text, uint32_t back);

private:
    void Pick(uint32_t& color);
};

} // namespace kx
