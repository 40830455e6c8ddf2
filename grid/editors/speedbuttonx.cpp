#include "grid/editors/speedbuttonx.h"

namespace kx {

TSpeedButtonX::TSpeedButtonX(QWidget* parent) : TEditButtonControlX(parent) {}

} // namespace kx

#include "moc_speedbuttonx.cpp"
