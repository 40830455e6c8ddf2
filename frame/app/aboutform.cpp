#include "frame/app/aboutform.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace kx {
namespace {

constexpr int kPictureHeight = 110;

} // namespace

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(354, 220);
    auto* version = new QLabel(QStringLiteral("V1.02 单机版"), this);
    version->setGeometry(16, kPictureHeight + 8, 322, 20);
    auto* contact =
        new QLabel(QStringLiteral("岚衡软件有限公司\n技术支持：请与软件供应商联系"), this);
    contact->setGeometry(16, kPictureHeight + 30, 322, 40);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setGeometry(139, 182, 76, 27);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0, QColor(0, 64, 128));
    sky.setColorAt(1, QColor(0, 128, 192));
    const QRect picture(0, 0, width(), kPictureHeight);
    painter.fillRect(picture, sky);
    QFont title = font();
    title.setPixelSize(24);
    title.setBold(true);
    painter.setFont(title);
    const QString caption = QStringLiteral("岚衡出纳记账管理系统");
    painter.setPen(Qt::black);
    painter.drawText(picture.translated(2, 2), Qt::AlignCenter, caption);
    painter.setPen(Qt::white);
    painter.drawText(picture, Qt::AlignCenter, caption);
}

} // namespace kx

#include "moc_aboutform.cpp"
