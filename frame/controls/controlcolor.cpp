#include "frame/controls/controlcolor.h"

#include <QComboBox>
#include <QWidget>

namespace kx {

void SetControlColor(QWidget* control, ui::TColor color) {
    QPalette palette = control->palette();
    const QColor background = ui::ToQColor(color, palette);
    palette.setColor(QPalette::Base, background);
    // A drop-down list draws its face with the button colour.
    if (qobject_cast<QComboBox*>(control))
        palette.setColor(QPalette::Button, background);
    control->setPalette(palette);
}

void SetControlFontColor(QWidget* control, ui::TColor color) {
    QPalette palette = control->palette();
    const QColor text = ui::ToQColor(color, palette);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::WindowText, text);
    control->setPalette(palette);
}

} // namespace kx
