#pragma once
// The font of a dialog by the program's language setting.

#include <QFont>

namespace kx {

enum TLanguage { GB, BIG5 };

// GB: 宋体 9 points; BIG5: the traditional-Chinese Ming typeface 新細明體 at
// 11 points. Both map to an installed CJK font.
QFont LanguageFont(TLanguage language);

} // namespace kx
