#include "grid/editors/cellbuttons.h"

#include "grid/editors/cellbuttonfaces.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

bool themesEnabled = true;

QImage PaintFace(const TButtonBitmapKey& key) {
    QImage bitmap(key.Width, key.Height, QImage::Format_RGB32);
    if (bitmap.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    const QPalette palette = QGuiApplication::palette();
    ui::TCanvas canvas(painter, palette, QRegion(0, 0, key.Width, key.Height));
    const ui::TRect whole{0, 0, key.Width, key.Height};
    if (key.Style == cpsCheckboxX)
        DrawCheckBoxFace(canvas, whole, static_cast<TCheckBoxState>(key.CheckState), key.Active,
                         key.Pressed, key.Flat, key.Enabled);
    else
        DrawButtonFace(canvas, whole, key.Style, key.Half, key.Pressed, key.Active, key.Flat,
                       key.Enabled);
    return bitmap;
}

void CopyFace(ui::TCanvas& canvas, const ui::TRect& rect, const TButtonBitmapKey& key) {
    if (rect.IsEmpty())
        return;
    canvas.Painter().drawImage(rect.ToQRect(), ButtonsBitmapCache().BitmapFor(key));
}

TButtonBitmapKey FaceKey(const ui::TRect& rect, TCellButtonPaintStyleX style, bool pressed,
                         bool flat, bool active, bool enabled) {
    TButtonBitmapKey key;
    key.Width = rect.Width();
    key.Height = rect.Height();
    key.Style = style;
    key.Flat = flat;
    key.Pressed = pressed;
    key.Active = active;
    key.Enabled = enabled;
    return key;
}

void PaintCheckBox(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor parentColor,
                   int pressedPart, bool flat, bool active, bool enabled,
                   TCheckBoxState checkState) {
    ui::TRect square = SquareOf(rect);
    if (flat)
        square = InflatedRect(square, -1);
    TButtonBitmapKey key =
        FaceKey(square, cpsCheckboxX, pressedPart != bppNone, flat, active, enabled);
    key.CheckState = checkState;
    CopyFace(canvas, square, key);
    if (!flat)
        return;
    square = InflatedRect(square, 1);
    if (active)
        canvas.DrawEdge(square, ui::BDR_SUNKENOUTER, ui::BF_RECT);
    else
        FrameRect(canvas, square, parentColor);
}

void PaintUpDown(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor parentColor,
                 int pressedPart, bool flat, bool active, bool enabled, bool flatFrame) {
    const int halfHeight = rect.Height() / 2;
    ui::TRect upper{rect.Left, rect.Top, rect.Right, rect.Top + halfHeight};
    ui::TRect lower{rect.Left, rect.Bottom - halfHeight, rect.Right, rect.Bottom};
    if (flatFrame) {
        upper = InflatedRect(upper, -1);
        lower = InflatedRect(lower, -1);
    }
    TButtonBitmapKey upperKey =
        FaceKey(upper, cpsUpDownX, pressedPart == bppButton, flat, active, enabled);
    CopyFace(canvas, upper, upperKey);
    TButtonBitmapKey lowerKey =
        FaceKey(lower, cpsUpDownX, pressedPart == bppLowerHalf, flat, active, enabled);
    lowerKey.Half = 1;
    CopyFace(canvas, lower, lowerKey);
    const bool oddHeight = rect.Height() % 2 != 0;
    if (!oddHeight && !flatFrame)
        return;
    const int middle = (rect.Top + rect.Bottom) / 2;
    ui::TRect separator{rect.Left, middle, rect.Right, middle + (oddHeight ? 1 : 0)};
    if (flatFrame) {
        separator.Top -= 1;
        separator.Bottom += 1;
    }
    canvas.SetBrushColor(parentColor);
    canvas.FillRect(separator);
}

} // namespace

bool ButtonThemesEnabled() {
    return themesEnabled;
}

void SetButtonThemesEnabled(bool enabled) {
    if (themesEnabled == enabled)
        return;
    themesEnabled = enabled;
    ResetButtonBitmaps();
}

QImage TButtonsBitmapCache::BitmapFor(TButtonBitmapKey key) {
    key.Width = std::max(key.Width, 0);
    key.Height = std::max(key.Height, 0);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&key](const Entry& entry) { return entry.Key == key; });
    if (found != entries_.end())
        return found->Bitmap;
    entries_.push_back({key, PaintFace(key)});
    return entries_.back().Bitmap;
}

TButtonsBitmapCache& ButtonsBitmapCache() {
    static TButtonsBitmapCache cache;
    return cache;
}

void ResetButtonBitmaps() {
    ButtonsBitmapCache().Clear();
}

int SystemCheckWidth() {
    static const int width = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
    return width;
}

int SystemCheckHeight() {
    static const int height = QApplication::style()->pixelMetric(QStyle::PM_IndicatorHeight);
    return height;
}

int FlatButtonWidth() {
    const int textHeight = QFontMetrics(QGuiApplication::font()).height();
    int width = static_cast<int>(std::nearbyint(textHeight * 2.0 / 3.0));
    if (width % 2 == 0)
        ++width;
    return std::min(width, QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

int FlatEditButtonWidth() {
    static const int width = FlatButtonWidth();
    return width;
}

int EditButtonHeightFor(int buttonWidth, bool flat) {
    return flat ? static_cast<int>(std::nearbyint(buttonWidth * 3.0 / 2.0)) : buttonWidth;
}

void PaintCellButton(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor parentColor,
                     TCellButtonPaintStyleX style, int pressedPart, bool flat, bool active,
                     bool enabled, TCheckBoxState checkState) {
    if (style == cpsCheckboxX) {
        PaintCheckBox(canvas, rect, parentColor, pressedPart, flat, active, enabled, checkState);
        return;
    }
    const bool flatFrame = flat && !active && !ButtonThemesEnabled();
    const ui::TRect inner = flatFrame ? InflatedRect(rect, -1) : rect;
    if (style == cpsUpDownX)
        PaintUpDown(canvas, inner, parentColor, pressedPart, flat, active, enabled, flatFrame);
    else
        CopyFace(canvas, inner,
                 FaceKey(inner, style, pressedPart != bppNone, flat, active, enabled));
    if (flatFrame)
        FrameRect(canvas, rect, parentColor);
}

ui::TRect FitCheckBoxRect(const ui::TRect& cellRect, int horzAlignment, int vertAlignment) {
    const int width = std::min(SystemCheckWidth(), cellRect.Width());
    const int height = std::min(SystemCheckHeight(), cellRect.Height());
    int left = cellRect.Left;
    if (SystemCheckWidth() < cellRect.Width()) {
        if (horzAlignment == 1)
            left = cellRect.Right - width;
        else if (horzAlignment == 2)
            left = cellRect.Left + cellRect.Width() / 2 - width / 2;
    }
    int top = cellRect.Top;
    if (SystemCheckHeight() < cellRect.Height()) {
        if (vertAlignment == 1)
            top = cellRect.Top + cellRect.Height() / 2 - height / 2;
        else if (vertAlignment == 2)
            top = cellRect.Bottom - height;
    }
    return {left, top, left + width, top + height};
}

bool IsSecondClick(QPoint previousPoint, QPoint newPoint, qint64 elapsedMs) {
    const QStyleHints* hints = QGuiApplication::styleHints();
    const int distance = hints->mouseDoubleClickDistance();
    return elapsedMs <= hints->mouseDoubleClickInterval() &&
           std::abs(newPoint.x() - previousPoint.x()) <= distance &&
           std::abs(newPoint.y() - previousPoint.y()) <= distance;
}

bool VariantsMatch(const QVariant& a, const QVariant& b) {
    const QMetaType listType = QMetaType::fromType<QVariantList>();
    const bool aIsList = a.metaType() == listType;
    const bool bIsList = b.metaType() == listType;
    if (aIsList != bIsList)
        return false;
    if (aIsList) {
        const QVariantList first = a.toList();
        const QVariantList second = b.toList();
        return !first.isEmpty() && first.size() == second.size() &&
               std::equal(first.begin(), first.end(), second.begin());
    }
    if (a.isValid() != b.isValid())
        return false;
    return a == b;
}

} // namespace kx
