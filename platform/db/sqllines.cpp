#include "platform/db/sqllines.h"

#include <QRegularExpression>

namespace kx::db {

QString TSqlLines::Text() const {
    QString text;
    for (const QString& line : lines_)
        text += line + QLatin1Char('\n');
    return text;
}

void TSqlLines::SetText(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    SetLines(lines);
}

} // namespace kx::db
