#pragma once
// The chooser with a close button, kept on top: SelectOneOfTwo asks with it
// which of two ways a command should take.

#include "frame/dialogs/selectitemform.h"

namespace kx {

class TSelectItemQueryForm : public TSelectItemForm {
    Q_OBJECT
public:
    explicit TSelectItemQueryForm(QWidget* parent = nullptr);

    QPushButton* CloseButton;
};

// 1 or 2 for the item chosen, 0 when closed.
int SelectOneOfTwo(const QString& item1, const QString& item2, const QString& caption);

} // namespace kx
