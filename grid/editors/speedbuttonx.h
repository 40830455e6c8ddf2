#pragma once
// A stand-alone button with the look of the edit buttons, for placing on a
// form (the calculator's keys are made of it).

#include "grid/editors/editbuttoncontrolx.h"

namespace kx {

class TSpeedButtonX : public TEditButtonControlX {
    Q_OBJECT
public:
    explicit TSpeedButtonX(QWidget* parent = nullptr);
};

} // namespace kx
