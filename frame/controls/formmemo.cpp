#include "frame/controls/formmemo.h"

#include "frame/controls/dbimage.h"
#include "frame/controls/dbmemo.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStackedLayout>

namespace kx {

TFormMemo::TFormMemo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      DBMemo1(new TDBMemo(this)), DBImage1(new TDBImage(this)) {
    setObjectName(QStringLiteral("Memofield"));
    setWindowTitle(QStringLiteral("Memofield"));
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBImage1->setObjectName(QStringLiteral("DBImage1"));
    auto* layout = new QStackedLayout(this);
    layout->setStackingMode(QStackedLayout::StackAll);
    layout->addWidget(DBMemo1);
    layout->addWidget(DBImage1);
    DBImage1->hide();
    setTabOrder(DBMemo1, DBImage1);
    resize(461, 161);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kx
