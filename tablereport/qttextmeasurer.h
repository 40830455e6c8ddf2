#pragma once
// Measures cell texts with the fonts the page is painted with.

#include "tablereport/textmeasurer.h"

#include <QByteArray>
#include <QFont>
#include <QHash>

namespace kx {

// The font a cell paints with; a zero height takes the default 16 pixels.
QFont FontFromLogFont(const TLogFont& font);

class TQtTextMeasurer : public TTextMeasurer {
public:
    int TextHeight(const TLogFont& font, const QString& text, int width) override;
    int LetterHeight(const TLogFont& font) override;

private:
    struct TKey {
        QByteArray Font;
        QString Text;
        int Width = 0;
        bool operator==(const TKey&) const = default;
    };
    friend size_t qHash(const TKey& key, size_t seed) {
        return qHashMulti(seed, key.Font, key.Text, key.Width);
    }

    const QFont& Font(const QByteArray& fontBytes, const TLogFont& font);

    // Reports repeat the same texts in the same cells page after page, and
    // every fill measures a cell more than once.
    QHash<QByteArray, QFont> fonts_;
    QHash<TKey, int> heights_;
};

} // namespace kx
