#include "grid/base/drawingshims.h"

#include "platform/db/dataset.h"
#include "platform/db/datasource.h"

#include <QCollator>
#include <QLocale>
#include <QPolygon>

namespace kx {

using namespace ui;

namespace {

QString Counted(const QString& text, int count) {
    return count < 0 ? text : text.left(count);
}

int Sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int CompareLocale(const QString& a, const QString& b, Qt::CaseSensitivity sensitivity) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(sensitivity);
    return Sign(collator.compare(a, b));
}

} // namespace

int DrawTextString(TCanvas& canvas, const QString& text, int count, TRect& rect, unsigned format) {
    return canvas.DrawText(Counted(text, count), rect, format);
}

int DrawTextExString(TCanvas& canvas, const QString& text, int count, TRect& rect, unsigned format,
                     TDrawTextParams& params) {
    const QString shown = Counted(text, count);
    TRect inner{rect.Left + params.LeftMargin, rect.Top, rect.Right - params.RightMargin,
                rect.Bottom};
    const int height = canvas.DrawText(shown, inner, format);
    if (format & DT_CALCRECT)
        rect = {rect.Left, inner.Top, inner.Right + params.RightMargin, inner.Bottom};
    params.LengthDrawn = int(shown.size());
    return height;
}

bool ExtTextOutString(TCanvas& canvas, int x, int y, unsigned options, const TRect* rect,
                      const QString& text, int count) {
    const QString shown = Counted(text, count);
    if (rect && (options & ETO_OPAQUE))
        canvas.FillRect(*rect);
    if (rect && (options & ETO_CLIPPED)) {
        const TClip saved = canvas.Clip();
        canvas.IntersectClipRect(*rect);
        canvas.TextOut(x, y, shown);
        canvas.SetClip(saved);
    } else {
        canvas.TextOut(x, y, shown);
    }
    return true;
}

QRegion PolygonRegionFromPoints(const QPoint* points, int count, Qt::FillRule fillRule) {
    return QRegion(QPolygon(QList<QPoint>(points, points + count)), fillRule);
}

QString UpperCaseLocale(const QString& text) {
    return QLocale().toUpper(text);
}

QString LowerCaseLocale(const QString& text) {
    return QLocale().toLower(text);
}

int CompareStrLocale(const QString& a, const QString& b) {
    return CompareLocale(a, b, Qt::CaseSensitive);
}

int CompareTextLocale(const QString& a, const QString& b) {
    return CompareLocale(a, b, Qt::CaseInsensitive);
}

int CompareDataSetBookmarks(const db::TDataSet& dataSet, const QByteArray& a, const QByteArray& b) {
    return Sign(dataSet.CompareBookmarks(a, b));
}

db::TDataSet* DataSourceOfProperty(const QObject* object) {
    const auto* dataSet = qobject_cast<const db::TDataSet*>(object);
    if (!dataSet)
        return nullptr;
    try {
        const db::TDataSource* source = dataSet->MasterSource();
        return source ? source->DataSet() : nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void ResizeVariantArray(QVariantList& array, int highBound) {
    array.resize(std::max(highBound + 1, 0));
}

} // namespace kx
