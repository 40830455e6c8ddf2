#include "frame/dialogs/picturegeometry.h"

#include "platform/sys/rounding.h"

#include <QFileInfo>

namespace kx {

QByteArray PictureFormatOf(const QString& typeName) {
    const QString extension = QFileInfo(typeName).suffix().toUpper();
    if (extension == u"BMP")
        return QByteArrayLiteral("BMP");
    if (extension == u"JPG" || extension == u"JPEG")
        return QByteArrayLiteral("JPEG");
    return {};
}

int CentredOffset(int room, int size) {
    const int offset = static_cast<int>(sys::RoundHalfEven((room - size) / 2.0));
    return offset > 0 ? offset : 0;
}

QPoint DraggedTopLeft(QPoint mouse, QPoint pressedAt, QPoint topLeftAtPress) {
    return mouse + topLeftAtPress - pressedAt;
}

} // namespace kx
