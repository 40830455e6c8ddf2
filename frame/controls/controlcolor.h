#pragma once
// Background and text colours of input controls, kept as 0x00BBGGRR values
// and handed to the widget's palette.

#include "platform/ui/colors.h"

class QWidget;

namespace kx {

void SetControlColor(QWidget* control, ui::TColor color);
void SetControlFontColor(QWidget* control, ui::TColor color);

} // namespace kx
