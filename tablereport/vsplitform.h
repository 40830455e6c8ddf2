#pragma once
// Asks into how many parts a cell is split.

#include <QDialog>

class QSpinBox;

namespace kx {

class TVSplitForm : public QDialog {
public:
    explicit TVSplitForm(QWidget* parent = nullptr);

    QSpinBox* CountEdit;
};

} // namespace kx
