#pragma once
// The message window: a read-only list of lines that the user can save to a
// text file.

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace kx {

class TErrorMsgForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorMsgForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1;
    QPushButton* Button_Save;
    QPushButton* Button_Close;
    // The save dialog's starting file name.
    QString DefaultFileName;
    // The file the lines go to; empty when the user cancels.
    std::function<QString()> ChooseSaveFile;

    void AddLine(const QString& line);
    QStringList Lines() const;

private:
    void Button_SaveClick();
};

} // namespace kx
