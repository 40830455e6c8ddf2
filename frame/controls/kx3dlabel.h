#pragma once
// The program's 3-D label: TCustomExtLabel as the windows place it.

#include "frame/controls/customextlabel.h"

namespace kx {

class TKX3DLabel : public TCustomExtLabel {
    Q_OBJECT
public:
    explicit TKX3DLabel(QWidget* parent = nullptr);
};

} // namespace kx
