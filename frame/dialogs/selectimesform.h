#pragma once
// The input-method chooser of the main window's "设置输入法" command.

#include <QDialog>

class QPushButton;

namespace kx {

class TKXComboBox;

class TSelectImesForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectImesForm(QWidget* parent = nullptr);

    // Its text is the chosen input method.
    TKXComboBox* KXComboBox1;
    QPushButton* SureButton;
    QPushButton* CloseButton;
};

} // namespace kx
