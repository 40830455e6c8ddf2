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

// Measured heights kept at most; the memory stays small for any report.
constexpr qsizetype kMaxKeptHeights = 200'000;

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

int TextHeightIn(const QFont& font, const QString& text, int width) {
    QStringList paragraphs = text.split(QStringLiteral("\r\n"));
    // A closing line break starts no line of its own; the cell adds one itself.
    if (paragraphs.size() > 1 && paragraphs.back().isEmpty())
        paragraphs.removeLast();
    int height = 0;
    for (const QString& paragraph : paragraphs)
        height += paragraph.isEmpty() ? QFontMetrics(font).height()
                                      : ParagraphHeight(font, paragraph, width);
    return height;
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

const QFont& TQtTextMeasurer::Font(const QByteArray& fontBytes, const TLogFont& font) {
    auto found = fonts_.find(fontBytes);
    if (found == fonts_.end())
        found = fonts_.insert(fontBytes, FontFromLogFont(font));
    return *found;
}

int TQtTextMeasurer::TextHeight(const TLogFont& font, const QString& text, int width) {
    const QByteArray fontBytes(font.Bytes.data(), TLogFont::Size);
    TKey key{fontBytes, text, width};
    if (const auto known = heights_.constFind(key); known != heights_.constEnd())
        return *known;
    if (heights_.size() >= kMaxKeptHeights)
        heights_.clear();
    const int height = TextHeightIn(Font(fontBytes, font), text, width);
    heights_.insert(std::move(key), height);
    return height;
}

int TQtTextMeasurer::LetterHeight(const TLogFont& font) {
    return QFontMetrics(Font(QByteArray(font.Bytes.data(), TLogFont::Size), font)).height();
}

} // namespace kx
