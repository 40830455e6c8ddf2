#include "tablereport/designerlogic.h"

#include "platform/sys/rounding.h"
#include "tablereport/reportcontrol.h"

#include <cmath>
#include <cstdlib>

namespace kx {
namespace {

int FitOneWay(int page, int room) {
    if (page <= room)
        return 100;
    return int(sys::RoundHalfEven(double(room) / page * 100));
}

} // namespace

int DesignerFitZoom(QSize page, QSize window) {
    const int zoom = std::min(FitOneWay(page.height(), window.height() - 160),
                              FitOneWay(page.width(), window.width() - 171));
    return std::max(zoom, kMinDesignerZoom);
}

QPoint DesignerPagePos(QSize control, int clientWidth, int scrollBoxWidth, int windowHeight) {
    const int left =
        control.width() + 20 < clientWidth ? (scrollBoxWidth - control.width() - 20) / 2 : 5;
    const int half = (windowHeight - control.height() - 150) / 2;
    return {left, half > 0 ? half + 5 : 5};
}

int PointSizeFromHeight(int32_t height, int dpi) {
    return std::abs(height) * 720 / dpi / 10;
}

int FontBarSize(const QString& sizeText) {
    bool ok = false;
    const int size = sizeText.trimmed().toInt(&ok);
    return ok && size > 0 ? size : 9;
}

TLogFont FontBarFont(const QString& face, const QString& sizeText, bool bold, bool italic,
                     bool underline) {
    TLogFont font = TLogFont::Default();
    font.SetFaceName(face);
    font.SetHeight(-int32_t(std::trunc(kLayoutDpi * FontBarSize(sizeText) * 10.0 / 720 + 0.5)));
    font.SetWeight(bold ? 700 : 400);
    font.SetItalic(italic);
    font.SetUnderline(underline);
    return font;
}

int32_t AlignCode(int pressedIndex) {
    return pressedIndex >= 0 && pressedIndex <= 2 ? pressedIndex : 3;
}

int32_t DiagonalCode(const std::array<bool, 6>& checked) {
    constexpr std::array<int32_t, 6> bits{1, 2, 4, 256, 512, 1024};
    int32_t code = 0;
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (checked[i])
            code |= bits[i];
    return code;
}

QSize PaperPixels(double widthMm, double heightMm) {
    return {int(sys::RoundHalfEven(widthMm * kPixelsPerMmX)),
            int(sys::RoundHalfEven(heightMm * kPixelsPerMmY))};
}

QSize PaperMillimetres(QSize pagePixels) {
    return {int(sys::RoundHalfEven(pagePixels.width() / kPixelsPerMmX)),
            int(sys::RoundHalfEven(pagePixels.height() / kPixelsPerMmY))};
}

QString StartupTemplatePath(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments[1].startsWith(u'-'))
        return {};
    return arguments[1];
}

const QStringList& DesignerFontSizes() {
    static const QStringList sizes{"8",  "9",  "10", "11", "12", "14", "16", "18",
                                   "20", "22", "24", "26", "28", "36", "48", "72"};
    return sizes;
}

const QStringList& DesignerNumberFormats() {
    static const QStringList formats{"0", "0.0", "0.00", "0,.00", "0,.000", "0,.0000", "大写金额"};
    return formats;
}

const QStringList& DesignerVariables() {
    static const QStringList variables{"单位名称", "序号",     "SumPage()", "Sum()", "PageNum",
                                       "PageNum/", "PageNum-", "Date",      "Time",  "DateTime"};
    return variables;
}

TSaveTarget SaveTargetOf(const TDesignerDocument& document, const QString& printId,
                         const QString& templateDir, const QString& templateTable) {
    if (!document.CatalogueMode) {
        if (document.Stream)
            return TSaveTarget::Stream;
        if (!document.FileMode)
            return TSaveTarget::Nothing;
        return document.Path.isEmpty() ? TSaveTarget::SaveAs : TSaveTarget::File;
    }
    if (printId.isEmpty())
        return TSaveTarget::NoPrintId;
    if (!templateDir.isEmpty())
        return TSaveTarget::CatalogueFile;
    if (!templateTable.isEmpty())
        return TSaveTarget::CatalogueTable;
    return TSaveTarget::NoCataloguePlace;
}

} // namespace kx
