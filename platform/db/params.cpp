#include "platform/db/params.h"

#include "platform/db/dberrors.h"
#include "platform/db/sqltranslate.h"
#include "platform/db/variants.h"

#include <sqlite3.h>

namespace kx::db {
namespace {

void BindText(sqlite3_stmt* statement, int position, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, position, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

} // namespace

bool TParam::IsNull() const {
    return VarIsNullOrEmpty(value_);
}

void TParam::Bind(sqlite3_stmt* statement, int position) const {
    BindValue(statement, position, value_, dataType_);
}

TParam* TParams::FindParam(const QString& name) const {
    for (const auto& param : params_) {
        if (param->Name().compare(name, Qt::CaseInsensitive) == 0)
            return param.get();
    }
    return nullptr;
}

TParam* TParams::ParamByName(const QString& name) const {
    TParam* param = FindParam(name);
    if (!param)
        DatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
    return param;
}

void TParams::ParseSQL(const QString& sql) {
    QList<std::shared_ptr<TParam>> parsed;
    for (const QString& name : ParamNames(sql)) {
        std::shared_ptr<TParam> param;
        for (const auto& old : params_) {
            if (old->Name().compare(name, Qt::CaseInsensitive) == 0)
                param = old;
        }
        parsed.append(param ? param : std::make_shared<TParam>(name));
    }
    params_ = parsed;
}

void TParams::Bind(sqlite3_stmt* statement) const {
    for (int i = 1; i <= sqlite3_bind_parameter_count(statement); ++i) {
        const char* name = sqlite3_bind_parameter_name(statement, i);
        if (!name)
            continue;
        if (const TParam* param = FindParam(QString::fromUtf8(name + 1)))
            param->Bind(statement, i);
    }
}

void BindValue(sqlite3_stmt* statement, int position, const QVariant& value, TFieldType type) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        sqlite3_bind_null(statement, position);
        break;
    case QMetaType::Bool:
        sqlite3_bind_int(statement, position, value.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
        sqlite3_bind_int64(statement, position, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(statement, position, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(statement, position, bytes.constData(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QDate:
        BindText(statement, position, value.toDate().toString(Qt::ISODate));
        break;
    case QMetaType::QTime:
        BindText(statement, position, value.toTime().toString(QStringLiteral("HH:mm:ss")));
        break;
    case QMetaType::QDateTime:
        BindText(statement, position,
                 type == ftDate
                     ? value.toDateTime().date().toString(Qt::ISODate)
                     : value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        break;
    default:
        BindText(statement, position, value.toString());
        break;
    }
}

} // namespace kx::db
