#include "frame/controls/dbimage.h"

#include "platform/db/field.h"

#include <QPixmap>

namespace kx {

TDBImage::TDBImage(QWidget* parent) : QLabel(parent) {
    setScaledContents(true);
    link_.OnDataChange = [this] { ShowField(); };
}

void TDBImage::ShowField() {
    QPixmap picture;
    if (const db::TField* field = link_.Field())
        picture.loadFromData(field->AsBytes());
    setPixmap(picture);
}

} // namespace kx
