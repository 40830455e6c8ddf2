#pragma once
// Measures cell texts with the fonts the page is painted with.

#include "tablereport/textmeasurer.h"

#include <QFont>

namespace kx {

// The font a cell paints with; a zero height takes the default 16 pixels.
QFont FontFromLogFont(const TLogFont& font);

class TQtTextMeasurer : public TTextMeasurer {
public:
    int TextHeight(const TLogFont& font, const QString& text, int width) override;
    int LetterHeight(const TLogFont& font) override;
};

} // namespace kx
