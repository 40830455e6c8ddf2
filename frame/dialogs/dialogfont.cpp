#include "frame/dialogs/dialogfont.h"

namespace kx {

QFont LanguageFont(TLanguage language) {
    return language == BIG5 ? QFont(QStringLiteral("新細明體"), 11)
                            : QFont(QStringLiteral("宋体"), 9);
}

} // namespace kx
