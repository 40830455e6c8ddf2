#include "tablereport/repmessform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace kx {
namespace {

QLabel* Label(QWidget* parent, const QString& text, const QColor& color, bool bold, QRect place) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

} // namespace

TREPmessform::TREPmessform(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      CaptionLabel(Label(this, QStringLiteral("正在处理："), Qt::blue, true, {16, 12, 200, 20})),
      PageLabel(Label(this, QString(), Qt::red, true, {64, 48, 100, 20})) {
    setWindowTitle(QStringLiteral("提示"));
    setFixedSize(237, 91);
    Label(this, QStringLiteral("第"), Qt::darkYellow, false, {40, 48, 20, 20});
    Label(this, QStringLiteral("页"), Qt::darkYellow, false, {170, 48, 20, 20});
    PageLabel->setAlignment(Qt::AlignCenter);
}

void TREPmessform::ShowNow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    repaint();
}

void TREPmessform::ShowPage(int page) {
    PageLabel->setText(QString::number(page));
    if (isVisible())
        PageLabel->repaint();
}

} // namespace kx
