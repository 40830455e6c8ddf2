#pragma once
// How a cell learns the height its text needs. The layout depends only on
// this, so the model is tested with a predictable measurer and the program
// measures with the fonts it paints with.

#include "tablereport/logfont.h"

#include <QString>

namespace kx {

class TTextMeasurer {
public:
    virtual ~TTextMeasurer() = default;
    // Height of the text word-wrapped into width pixels, as a cell paints it
    // (long words break anywhere, CR LF starts a line).
    virtual int TextHeight(const TLogFont& font, const QString& text, int width) = 0;
    // Height of one line of "A" in the font.
    virtual int LetterHeight(const TLogFont& font) = 0;
};

} // namespace kx
