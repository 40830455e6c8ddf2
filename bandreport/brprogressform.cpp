#include "bandreport/brprogressform.h"

#include "bandreport/brprinter.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

namespace {

constexpr int kProgressStep = 5;

} // namespace

TBRProgressForm::TBRProgressForm(TBRPrinter* printer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), printer_(printer),
      gauge_(new QProgressBar(this)), info_(new QLabel(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("Printing progress"));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setTextVisible(false);
    info_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gauge_);
    layout->addWidget(info_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (printer_)
            printer_->RequestCancel();
    });
}

bool TBRProgressForm::event(QEvent* event) {
    if (event->type() != TBRPrinterEvent::Progress)
        return QDialog::event(event);
    ShowProgress();
    return true;
}

void TBRProgressForm::ShowProgress() {
    if (!printer_)
        return;
    const int percent = printer_->Progress();
    if (percent % kProgressStep != 0)
        return;
    gauge_->setValue(qBound(0, percent, 100));
    info_->setText(QString::number(percent) + QStringLiteral("% ") + QStringLiteral(" Completed"));
    QCoreApplication::processEvents();
}

} // namespace kx
