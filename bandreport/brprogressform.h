#pragma once
// The small window that shows how far printing has come and lets the user
// cancel it.

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kx {

class TBRPrinter;

class TBRProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TBRProgressForm(TBRPrinter* printer, QWidget* parent = nullptr);

    QProgressBar* Gauge() const { return gauge_; }
    QLabel* Info() const { return info_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    bool event(QEvent* event) override;

private:
    void ShowProgress();

    QPointer<TBRPrinter> printer_;
    QProgressBar* gauge_;
    QLabel* info_;
    QPushButton* cancel_;
};

} // namespace kx
