// Feeds arbitrary statements to the translation every statement passes
// through on its way to SQLite, over a table with a date, a date-time and a
// text column: any text must translate (or raise one of our exceptions),
// never crash, hang or read past a buffer; a text without quotes, keywords
// or dates that the translation knows comes back as it went in.

#include "platform/db/sqltranslate.h"

#include "platform/sys/exception.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

kx::db::TDeclaredColumns Columns(const QString& table) {
    if (table.compare(QLatin1String("T"), Qt::CaseInsensitive) != 0)
        return {};
    return {{QStringLiteral("D"), QStringLiteral("DATE")},
            {QStringLiteral("S"), QStringLiteral("DATETIME")},
            {QStringLiteral("N"), QStringLiteral("VARCHAR(20)")}};
}

// Plain words, numbers and operators: nothing the translation rewrites.
bool Plain(const QString& sql) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_ =<>(),*+]*$"));
    static const QRegularExpression rewritten(QStringLiteral("SUBSTRING|EXTRACT|\\.DB"),
                                              QRegularExpression::CaseInsensitiveOption);
    return plain.match(sql).hasMatch() && !rewritten.match(sql).hasMatch();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QString translated = kx::db::TranslateSql(sql, &Columns);
        if (Plain(sql) && translated != sql)
            std::abort();
        kx::db::ParamNames(sql);
    } catch (const kx::Exception&) {
        // A statement the translation refuses goes no further.
    }
    return 0;
}
