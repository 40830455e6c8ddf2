#include "grid/dbgrid/dbgridhelpers.h"

#include "grid/base/drawingshims.h"
#include "grid/base/invalidgridoperationx.h"
#include "platform/db/field.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <limits>

namespace kx {

namespace {

bool FitsInt32(double value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

int RoundedOrDefault(double value, int defaultValue) {
    const double rounded = std::nearbyint(value);
    return FitsInt32(rounded) ? static_cast<int>(rounded) : defaultValue;
}

} // namespace

void MirrorCanvasForRightToLeft(ui::TCanvas& canvas, bool mirror, int width, int height) {
    QPainter& painter = canvas.Painter();
    painter.setViewport(0, 0, width, height);
    if (mirror)
        painter.setWindow(width, 0, -width, height);
    else
        painter.setWindow(0, 0, width, height);
}

int FieldAsIntegerOrDefault(const db::TField* field, int defaultValue) {
    if (!field)
        return defaultValue;
    switch (field->DataType()) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
        return field->IsNull() ? 0 : field->Value().toInt();
    case db::ftLargeint:
    case db::ftFloat:
    case db::ftCurrency:
        return field->IsNull() ? 0 : RoundedOrDefault(field->Value().toDouble(), defaultValue);
    case db::ftBCD:
    case db::ftFMTBcd:
        return field->IsNull() ? defaultValue
                               : RoundedOrDefault(field->Value().toDouble(), defaultValue);
    default:
        return defaultValue;
    }
}

bool AllFieldsModifiable(const QList<db::TField*>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const db::TField* field) { return field->CanModify(); });
}

void RaiseGridError(const QString& message) {
    throw EInvalidGridOperationX(message);
}

void RepaintGridRow(TCustomGridX& grid, int row) {
    for (int col = 0; col < grid.FullColCount(); ++col)
        grid.InvalidateCell(col, row);
}

void RotateRectSize(ui::TRect& rect) {
    const int width = rect.Width();
    const int height = rect.Height();
    rect.Right = rect.Left + height;
    rect.Bottom = rect.Top + width;
}

bool TextOverflowsCell(unsigned textFlags, ui::TCanvas& canvas, int rightIndent, int& textHeight,
                       int& textWidth, bool wordWrap, const ui::TRect& cellRect,
                       const QString& text, int lineGap) {
    const int room = std::max(cellRect.Width() - rightIndent - 2, 1);
    ui::TRect measured{0, 0, room, 0};
    unsigned flags = textFlags | ui::DT_CALCRECT | ui::DT_NOPREFIX;
    if (wordWrap)
        flags |= ui::DT_WORDBREAK;
    canvas.DrawText(text, measured, flags);
    textWidth = measured.Width();
    textHeight = measured.Height();
    return textWidth > room || textHeight > cellRect.Height() - lineGap + 1;
}

int MeasureTextWidth(const ui::TCanvas& canvas, const QString& text) {
    return canvas.TextWidth(text);
}

int FindListPrefix(const QStringList& strings, const QString& text, int options) {
    const QString wanted = UpperCaseLocale(text);
    const bool prefix = (options & flpPrefix) != 0;
    for (int i = 0; i < strings.size(); ++i) {
        const QString candidate = UpperCaseLocale(strings.at(i));
        if (prefix ? candidate.startsWith(wanted) : candidate == wanted)
            return i;
    }
    return -1;
}

ui::TShiftState CurrentShiftState() {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    ui::TShiftState state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ui::ssShift;
    if (modifiers & Qt::ControlModifier)
        state |= ui::ssCtrl;
    if (modifiers & Qt::AltModifier)
        state |= ui::ssAlt;
    return state;
}

bool IsControlCharText(const QString& text) {
    return text.size() == 1 && text.at(0).unicode() < 32 && text.at(0) != QChar(u'\b');
}

int FontTextHeight(ui::TCanvas* canvas, const QFont& font) {
    if (canvas)
        return QFontMetrics(font, canvas->Painter().device()).height();
    return QFontMetrics(font).height();
}

} // namespace kx
