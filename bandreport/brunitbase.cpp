#include "bandreport/brunitbase.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <cmath>

namespace kx {

namespace {

bool IsHorizontal(int pageIndex) {
    return pageIndex >= TBRPage::WidthIndex;
}

} // namespace

int ScreenPixelsPerInch() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

bool LocaleMeasuresInInches() {
    return QLocale().measurementSystem() != QLocale::MetricSystem;
}

long double CharacterWidthMM(long double fontSize) {
    return 80.0L / fontSize / 2.54L;
}

long double CharacterHeightMM(long double fontSize) {
    return 145.3L / fontSize / 2.54L;
}

TBRUnitBase::TBRUnitBase()
    : units_(LocaleMeasuresInInches() ? TBRUnit::Inches : TBRUnit::MM), pushedUnits_(units_),
      resolution_(ScreenPixelsPerInch()) {}

void TBRUnitBase::SetUnits(TBRUnit units) {
    units_ = units;
}

void TBRUnitBase::SetZoom(int zoom) {
    if (zoom == 0)
        return;
    zoom_ = zoom;
    Changed();
}

long double TBRUnitBase::FromNative(TBRUnit units, bool horizontal, long double value) const {
    const long double fontSize = FontSize ? std::fabs(FontSize()) : 10.0L;
    switch (units) {
    case TBRUnit::MM:
        return value / 10;
    case TBRUnit::Inches:
        return value / 254;
    case TBRUnit::Pixels:
        return value / (254.0L / resolution_) * zoom_ / 100;
    case TBRUnit::Characters:
        return value / (horizontal ? CharacterWidthMM(fontSize) : CharacterHeightMM(fontSize)) / 10;
    case TBRUnit::Native:
        break;
    }
    return value;
}

long double TBRUnitBase::ToNative(TBRUnit units, bool horizontal, long double value) const {
    const long double fontSize = FontSize ? std::fabs(FontSize()) : 10.0L;
    switch (units) {
    case TBRUnit::MM:
        return value * 10;
    case TBRUnit::Inches:
        return value * 254;
    case TBRUnit::Pixels:
        return value * (254.0L / resolution_) / zoom_ * 100;
    case TBRUnit::Characters:
        return value * (horizontal ? CharacterWidthMM(fontSize) : CharacterHeightMM(fontSize)) * 10;
    case TBRUnit::Native:
        break;
    }
    return value;
}

void TBRUnitBase::PushPixels() {
    pushedUnits_ = units_;
    units_ = TBRUnit::Pixels;
}

void TBRUnitBase::PopUnits() {
    units_ = pushedUnits_;
}

void TBRUnitBase::Changed() const {
    if (OnChanged)
        OnChanged();
}

long double TBRBandSize::GetDimension(int index) const {
    return FromNative(Units(), index == 1, native_[std::size_t(index)]);
}

void TBRBandSize::SetDimension(int index, long double value) {
    native_[std::size_t(index)] = ToNative(Units(), index == 1, value);
    Changed();
}

TBRValues TBRBandSize::Values() const {
    return {native_[0], native_[1]};
}

void TBRBandSize::SetValues(const TBRValues& values) {
    for (qsizetype i = 0; i < values.size() && i < 2; ++i)
        native_[std::size_t(i)] = values.at(i);
    Changed();
}

TBRPage::TBRPage()
    : paperSize_(LocaleMeasuresInInches() ? TBRPaperSize::Letter : TBRPaperSize::A4) {
    const long double margin = LocaleMeasuresInInches() ? 127 : 100;
    native_[BottomMarginIndex] = margin;
    native_[TopMarginIndex] = margin;
    native_[LeftMarginIndex] = margin;
    native_[RightMarginIndex] = margin;
    SetPaperSize(paperSize_);
}

long double TBRPage::GetDimension(int index) const {
    return FromNative(Units(), IsHorizontal(index), native_[std::size_t(index)]);
}

void TBRPage::SetDimension(int index, long double value) {
    if ((index == LengthIndex || index == WidthIndex) && paperSize_ != TBRPaperSize::Custom)
        return;
    native_[std::size_t(index)] = ToNative(Units(), IsHorizontal(index), value);
    Changed();
}

void TBRPage::SetColumns(int columns) {
    if (columns <= 0)
        return;
    columns_ = columns;
    Changed();
}

void TBRPage::SetOrientation(TBRPrinterOrientation orientation) {
    orientation_ = orientation;
    SetPaperSize(paperSize_);
}

void TBRPage::SetPaperSize(TBRPaperSize size) {
    if (const auto paper = PaperDimensions(size)) {
        const bool landscape = orientation_ == TBRPrinterOrientation::poLandscape;
        native_[WidthIndex] = (landscape ? paper->Length : paper->Width) * 10.0L;
        native_[LengthIndex] = (landscape ? paper->Width : paper->Length) * 10.0L;
    }
    paperSize_ = size;
    Changed();
}

TBRValues TBRPage::Values() const {
    return {native_.begin(), native_.end()};
}

void TBRPage::SetValues(const TBRValues& values) {
    for (qsizetype i = 0; i < values.size() && i < qsizetype(native_.size()); ++i)
        native_[std::size_t(i)] = values.at(i);
    Changed();
}

} // namespace kx
