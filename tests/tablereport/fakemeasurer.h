#pragma once
// A measurer with round numbers: every character is 10 pixels wide, every
// line 16 pixels high, a CR LF starts a line and a trailing CR LF adds none.

#include "tablereport/textmeasurer.h"

#include <QStringList>

#include <algorithm>

namespace kx {

class FakeMeasurer : public TTextMeasurer {
public:
    int TextHeight(const TLogFont&, const QString& text, int width) override {
        QStringList paragraphs = text.split(QStringLiteral("\r\n"));
        if (paragraphs.size() > 1 && paragraphs.back().isEmpty())
            paragraphs.removeLast();
        const int perLine = std::max(1, width / 10);
        int lines = 0;
        for (const QString& paragraph : paragraphs)
            lines += std::max<int>(1, (int(paragraph.size()) + perLine - 1) / perLine);
        return lines * 16;
    }
    int LetterHeight(const TLogFont&) override { return 16; }
};

} // namespace kx
