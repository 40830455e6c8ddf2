#pragma once
// Text search over recorded pages: the texts a page draws, read back by
// playing the page onto a device that keeps only its text.

#include "platform/print/pagepicture.h"

#include <QString>
#include <QStringList>

namespace kx {

// The texts of the page in drawing order. A text drawn in several runs
// (its Chinese and Latin parts, say) comes back whole.
QStringList PageTexts(const print::TPagePicture& page);

// True when a text of the page contains the text; without matchCase both
// are compared upper-cased by the locale. An empty text never matches.
bool FindTextInMetafile(const QString& text, const print::TPagePicture& page, bool matchCase);

} // namespace kx
