#include "frame/dialogs/showpictureform.h"

#include "core/messages.h"
#include "frame/dialogs/picturegeometry.h"
#include "platform/ui/application.h"
#include "platform/ui/picturefile.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

namespace kx {

TShowPictureForm::TShowPictureForm(QWidget* parent)
    : QDialog(parent), Panel2(new QFrame(this)), Image1(new QLabel(Panel2)),
      Label1(new QLabel(Panel2)) {
    setWindowTitle(QStringLiteral("图片浏览"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(798, 570);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->hide();
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMouseTracking(true);
    Label1->raise();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel2);
    Panel2->installEventFilter(this);
    Label1->installEventFilter(this);
}

bool TShowPictureForm::LoadPicture(const QString& FileName, const QString& TypeName) {
    const QByteArray format = PictureFormatOf(TypeName);
    if (format.isEmpty())
        return true;
    // The type is the picture's name's, whatever the content looks like.
    const QImage image = ui::ReadPictureFile(FileName, format);
    if (image.isNull()) {
        ShowPromptMessage(QStringLiteral("图形文件装载过程发生错误"));
        return false;
    }
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->resize(image.size());
    Image1->show();
    CentreImage();
    return true;
}

void TShowPictureForm::CentreImage() {
    Image1->move(CentredOffset(Panel2->width(), Image1->width()),
                 CentredOffset(Panel2->height(), Image1->height()));
}

bool TShowPictureForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel2 && event->type() == QEvent::Resize) {
        Label1->setGeometry(Panel2->rect());
        if (centred_)
            CentreImage();
        return false;
    }
    if (watched != Label1)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            MousePressed(mouse->position().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        MouseMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

void TShowPictureForm::MousePressed(QPoint at) {
    if (!Image1->isVisible() || !Image1->geometry().contains(at))
        return;
    centred_ = false;
    pressedAt_ = at;
    topLeftAtPress_ = Image1->pos();
    dragging_ = true;
}

void TShowPictureForm::MouseMoved(QPoint at) {
    const bool over = Image1->isVisible() && Image1->geometry().contains(at);
    Label1->setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (dragging_)
        Image1->move(DraggedTopLeft(at, pressedAt_, topLeftAtPress_));
}

void ShowPictureFile(const QString& Caption, const QString& FileName, const QString& TypeName) {
    TShowPictureForm form;
    form.setWindowTitle(Caption);
    if (!form.LoadPicture(FileName, TypeName)) {
        ShowPromptMessage(QStringLiteral("图片文件打开错误"));
        return;
    }
    form.setWindowState(Qt::WindowMaximized);
    ForceForegroundFocus(&form);
    ui::ExecModal(form);
}

} // namespace kx

#include "moc_showpictureform.cpp"
