#include "tablereport/qttextmeasurer.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kx {
namespace {

int ParagraphHeight(const QFont& font, const QString& paragraph, int width) {
    QTextLayout layout(paragraph, font);
    // A word longer than the cell breaks anywhere rather than running out of it.
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1));
        height += line.height();
    }
    layout.endLayout();
    return int(std::ceil(height));
}

} // namespace

QFont FontFromLogFont(const TLogFont& font) {
    QFont result(font.FaceName());
    const int height = std::abs(font.Height());
    result.setPixelSize(height > 0 ? height : 16);
    if (font.Weight() > 0)
        result.setWeight(QFont::Weight(std::clamp(font.Weight(), 1, 1000)));
    result.setItalic(font.Italic());
    result.setUnderline(font.Underline());
    result.setStrikeOut(font.StrikeOut());
    return result;
}

int TQtTextMeasurer::TextHeight(const TLogFont& font, const QString& text, int width) {
    const QFont qfont = FontFromLogFont(font);
    QStringList paragraphs = text.split(QStringLiteral("\r\n"));
    // A closing line break starts no line of its own; the cell adds one itself.
    if (paragraphs.size() > 1 && paragraphs.back().isEmpty())
        paragraphs.removeLast();
    int height = 0;
    for (const QString& paragraph : paragraphs)
        height += paragraph.isEmpty() ? QFontMetrics(qfont).height()
                                      : ParagraphHeight(qfont, paragraph, width);
    return height;
}

int TQtTextMeasurer::LetterHeight(const TLogFont& font) {
    return QFontMetrics(FontFromLogFont(font)).height();
}

} // namespace kx
