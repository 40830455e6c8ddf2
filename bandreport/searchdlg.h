#pragma once
// Asks the preview for the text to look for and whether case matters.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kx {

class TSearchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSearchDlg(QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QCheckBox* CheckBox1;
    QPushButton* SearchButton;
    QPushButton* CancelButton;
    // Stays true unless the user chose "Search".
    bool Cancelled = true;
};

} // namespace kx
