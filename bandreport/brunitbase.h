#pragma once
// Sizes of reports and bands. Every length is kept in tenths of a
// millimetre (the native unit) and read and written in the report's units;
// the conversion needs the screen's resolution, the zoom and, for
// characters, the report font's size.

#include "bandreport/brpaper.h"

#include <QList>

#include <array>
#include <cmath>
#include <functional>

namespace kx {

enum class TBRUnit { MM, Inches, Pixels, Characters, Native };
enum class TBRPrinterOrientation { poPortrait, poLandscape };

using TBRValues = QList<long double>;

// Logical pixels per inch of the primary screen, 96 without one.
int ScreenPixelsPerInch();
// True where the default locale measures in inches.
bool LocaleMeasuresInInches();
// Rounding of the engine: the nearest integer, halves to the even one. The
// program never changes the rounding mode, so rint rounds as nearbyint does
// and compiles to one instruction instead of a call.
inline long double RoundEven(long double value) {
    return std::rintl(value);
}

long double CharacterWidthMM(long double fontSize);
long double CharacterHeightMM(long double fontSize);

class TBRUnitBase {
public:
    TBRUnitBase();
    virtual ~TBRUnitBase() = default;

    TBRUnit Units() const { return units_; }
    virtual void SetUnits(TBRUnit units);
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    int Resolution() const { return resolution_; }

    long double FromNative(TBRUnit units, bool horizontal, long double value) const;
    long double ToNative(TBRUnit units, bool horizontal, long double value) const;
    // Around every pixel computation: switch to Pixels and back.
    void PushPixels();
    void PopUnits();

    // The streamed list of lengths in tenths of a millimetre.
    virtual TBRValues Values() const = 0;
    virtual void SetValues(const TBRValues& values) = 0;

    // The report font's size, for the Characters unit.
    std::function<long double()> FontSize;
    // Called after a length changed, so the owner can lay itself out again.
    std::function<void()> OnChanged;

protected:
    void Changed() const;

private:
    TBRUnit units_;
    TBRUnit pushedUnits_;
    int zoom_ = 100;
    int resolution_;
};

class TBRBandSize : public TBRUnitBase {
public:
    long double GetDimension(int index) const;
    void SetDimension(int index, long double value);
    long double Height() const { return GetDimension(0); }
    void SetHeight(long double value) { SetDimension(0, value); }
    long double Width() const { return GetDimension(1); }
    void SetWidth(long double value) { SetDimension(1, value); }
    long double NativeHeight() const { return native_[0]; }
    long double NativeWidth() const { return native_[1]; }

    TBRValues Values() const override;
    void SetValues(const TBRValues& values) override;

private:
    std::array<long double, 2> native_{};
};

class TBRPage : public TBRUnitBase {
public:
    enum Dimension {
        BottomMarginIndex,
        LengthIndex,
        TopMarginIndex,
        WidthIndex,
        LeftMarginIndex,
        RightMarginIndex,
        ColumnSpaceIndex
    };

    TBRPage();

    long double GetDimension(int index) const;
    // Length and Width are taken only while the paper is Custom.
    void SetDimension(int index, long double value);
    long double NativeDimension(int index) const { return native_[std::size_t(index)]; }

    long double BottomMargin() const { return GetDimension(BottomMarginIndex); }
    long double Length() const { return GetDimension(LengthIndex); }
    long double TopMargin() const { return GetDimension(TopMarginIndex); }
    long double Width() const { return GetDimension(WidthIndex); }
    long double LeftMargin() const { return GetDimension(LeftMarginIndex); }
    long double RightMargin() const { return GetDimension(RightMarginIndex); }
    long double ColumnSpace() const { return GetDimension(ColumnSpaceIndex); }

    int Columns() const { return columns_; }
    void SetColumns(int columns);
    TBRPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(TBRPrinterOrientation orientation);
    TBRPaperSize PaperSize() const { return paperSize_; }
    void SetPaperSize(TBRPaperSize size);
    bool Ruler() const { return ruler_; }
    void SetRuler(bool ruler) { ruler_ = ruler; }

    TBRValues Values() const override;
    void SetValues(const TBRValues& values) override;

private:
    std::array<long double, 7> native_{};
    int columns_ = 1;
    TBRPrinterOrientation orientation_ = TBRPrinterOrientation::poPortrait;
    TBRPaperSize paperSize_;
    bool ruler_ = true;
};

} // namespace kx
