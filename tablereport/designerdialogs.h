#pragma once
// What the designer's small dialogs share.

#include <QColor>

#include <cstdint>

class QDialog;
class QDialogButtonBox;

namespace kx {

// "确定" accepts, "取消" rejects.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

// A cell colour (0x00BBGGRR) from a colour a dialog chose.
uint32_t ColorRefFromColor(const QColor& color);

} // namespace kx
