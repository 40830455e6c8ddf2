#pragma once
// Asks how many lines and columns a new table gets.

#include <QDialog>

class QLineEdit;

namespace kx {

class TfrmNewTable : public QDialog {
public:
    explicit TfrmNewTable(QWidget* parent = nullptr);

    QLineEdit* RowsEdit;
    QLineEdit* ColumnsEdit;

    // 0 for an empty edit.
    int Rows() const;
    int Columns() const;
};

} // namespace kx
