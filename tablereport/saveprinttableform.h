#pragma once
// Asks the title under which the designer saves a template into the
// catalogue; after OK the caller reads TitleEdit.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kx {

class TSavePrintTableForm : public QDialog {
    Q_OBJECT
public:
    explicit TSavePrintTableForm(QWidget* parent = nullptr);

    QLineEdit* TitleEdit;
    QPushButton* button_Ok;
    QPushButton* button_close;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void button_OkClick();
};

} // namespace kx
