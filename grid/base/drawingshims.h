#pragma once
// The grid library's one seam to text output, regions, locale text rules and
// the data sets' bookmarks. Invalidating, validating and scrolling a window's
// pixels are TCustomControl's InvalidateWindowRect and ScrollWindowArea, and
// an edit's selection is TCustomMaskEdit::GetSel.

#include "platform/ui/canvas.h"

#include <QByteArray>
#include <QList>
#include <QRegion>
#include <QString>
#include <QVariant>

namespace kx {

namespace db {
class TDataSet;
}

// ExtTextOut options.
constexpr unsigned ETO_OPAQUE = 0x2;
constexpr unsigned ETO_CLIPPED = 0x4;

// Margins and tab length for DrawTextExString; LengthDrawn receives the
// number of characters laid out.
struct TDrawTextParams {
    int TabLength = 0;
    int LeftMargin = 0;
    int RightMargin = 0;
    int LengthDrawn = 0;
};

// The first count characters of text (all of it when count is -1).
int DrawTextString(ui::TCanvas& canvas, const QString& text, int count, ui::TRect& rect,
                   unsigned format);
int DrawTextExString(ui::TCanvas& canvas, const QString& text, int count, ui::TRect& rect,
                     unsigned format, TDrawTextParams& params);
// Text at (x, y), top-left; with ETO_OPAQUE rect is filled with the brush
// first, with ETO_CLIPPED the text is cut at rect.
bool ExtTextOutString(ui::TCanvas& canvas, int x, int y, unsigned options, const ui::TRect* rect,
                      const QString& text, int count);

QRegion PolygonRegionFromPoints(const QPoint* points, int count, Qt::FillRule fillRule);

QString UpperCaseLocale(const QString& text);
QString LowerCaseLocale(const QString& text);
// -1, 0 or 1 in the user's locale; CompareTextLocale ignores case.
int CompareStrLocale(const QString& a, const QString& b);
int CompareTextLocale(const QString& a, const QString& b);

// -1, 0 or 1 by the data set's own record order.
int CompareDataSetBookmarks(const db::TDataSet& dataSet, const QByteArray& a, const QByteArray& b);
// The data set of an object's master source: none for an object that is no
// data set, has no master source, or fails to tell it.
db::TDataSet* DataSourceOfProperty(const QObject* object);

// Gives a variant array the new high bound, keeping its elements.
void ResizeVariantArray(QVariantList& array, int highBound);

} // namespace kx
