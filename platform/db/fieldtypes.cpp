#include "platform/db/fieldtypes.h"

#include "platform/db/dberrors.h"
#include "platform/db/variants.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"

#include <cmath>
#include <limits>

namespace kx::db {
namespace {

[[noreturn]] void CannotConvert(const QVariant& value, const TField* field) {
    throw EConvertError(QStringLiteral("Could not convert variant of type (%1) into field '%2'")
                            .arg(QString::fromLatin1(value.typeName()), field->FieldName()));
}

bool IsNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

const QDateTime& DayZero() {
    static const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    return zero;
}

QDateTime FromDaySerial(double days) {
    return DayZero().addMSecs(std::llround(days * 86400000.0));
}

double ToDaySerial(const QDateTime& value) {
    return static_cast<double>(DayZero().msecsTo(value)) / 86400000.0;
}

QString TextOfStored(const QVariant& stored) {
    switch (stored.typeId()) {
    case QMetaType::Double:
        return sys::FloatToStr(stored.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(stored.toByteArray());
    default:
        return stored.toString();
    }
}

void RangeCheck(qint64 value, TFieldType type, const TField* field) {
    qint64 low = std::numeric_limits<int>::min();
    qint64 high = std::numeric_limits<int>::max();
    if (type == ftSmallint) {
        low = -32768;
        high = 32767;
    } else if (type == ftWord) {
        low = 0;
        high = 65535;
    } else if (type == ftLargeint) {
        return;
    }
    if (value < low || value > high)
        DatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range "
                                     "is %3 to %4")
                          .arg(value)
                          .arg(field->FieldName())
                          .arg(low)
                          .arg(high));
}

QTime ParseTime(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const char* format : {"h:m:s", "h:m", "h:m:s.z"}) {
        const QTime time = QTime::fromString(trimmed, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
}

// The number that count decimal digits from from spell, or -1; for texts
// and for bytes as stored.
template <typename Text> int Digits(const Text& text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// "YYYY-MM-DD" exactly, as dates are stored.
bool IsIsoDate(QLatin1StringView text) {
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return false;
    const int year = Digits(text, 0, 4);
    const int month = Digits(text, 5, 2);
    const int day = Digits(text, 8, 2);
    return year >= 0 && month >= 1 && month <= 12 && day >= 1 &&
           (day <= 28 || QDate::isValid(year, month, day));
}

// A stored date, read without the time zone work a QDateTime would do.
QDate StoredDate(const QString& text) {
    if (text.size() < 10 || text[4] != u'-' || text[7] != u'-')
        return QDateTime::fromString(text.trimmed(), Qt::ISODate).date();
    return QDate(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
}

QDateTime StoredDateTime(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.size() <= 10)
        return QDateTime(QDate::fromString(trimmed, Qt::ISODate), QTime(0, 0));
    QDateTime value = QDateTime::fromString(trimmed, Qt::ISODate);
    if (!value.isValid())
        value = QDateTime::fromString(trimmed, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return value;
}

} // namespace

TStringField::TStringField(QObject* owner, TFieldType type) : TField(owner, type) {}

QString TStringField::AsString() const {
    const PackedValue packed = Packed();
    if (packed.Is(StoredKind::Text))
        return packed.Text();
    if (packed.Is(StoredKind::Null))
        return {};
    const QVariant stored = Stored();
    return stored.isValid() ? TextOfStored(stored) : QString();
}

void TStringField::SetAsString(const QString& text) {
    SetValue(text);
}

QVariant TStringField::FromStored(const QVariant& stored) const {
    return TextOfStored(stored);
}

QVariant TStringField::ToStored(const QVariant& value) const {
    switch (value.typeId()) {
    case QMetaType::Double:
        return sys::FloatToStr(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QVariant TStringField::ParseText(const QString& text) const {
    return text;
}

std::optional<QString> TStringField::PackedText(bool) const {
    const PackedValue packed = Packed();
    if (packed.Is(StoredKind::Text))
        return packed.Text();
    if (packed.Is(StoredKind::Null))
        return QString();
    return std::nullopt;
}

TIntegerField::TIntegerField(QObject* owner, TFieldType type) : TField(owner, type) {
    SetDefaultAlignment(taRightJustify);
}

bool TIntegerField::IsValidChar(QChar c) const {
    return c.isDigit() || c == u'+' || c == u'-';
}

QVariant TIntegerField::FromStored(const QVariant& stored) const {
    qint64 value = 0;
    if (stored.typeId() == QMetaType::Double) {
        value = static_cast<qint64>(std::nearbyint(stored.toDouble()));
    } else if (stored.typeId() == QMetaType::QString) {
        bool ok = false;
        value = stored.toString().trimmed().toLongLong(&ok);
        if (!ok)
            return NullVariant();
    } else {
        value = stored.toLongLong();
    }
    if (DataType() == ftLargeint)
        return QVariant(value);
    return QVariant(static_cast<int>(value));
}

QVariant TIntegerField::ToStored(const QVariant& value) const {
    qint64 integer = 0;
    if (value.typeId() == QMetaType::QString)
        integer = ParseText(value.toString()).toLongLong();
    else if (value.typeId() == QMetaType::Double)
        integer = static_cast<qint64>(std::nearbyint(value.toDouble()));
    else if (IsNumber(value))
        integer = value.toLongLong();
    else
        CannotConvert(value, this);
    RangeCheck(integer, DataType(), this);
    return QVariant(integer);
}

int TIntegerField::DefaultWidth() const {
    switch (DataType()) {
    case ftSmallint:
        return 6;
    case ftWord:
        return 5;
    case ftLargeint:
        return 15;
    default:
        return 11;
    }
}

QString TIntegerField::FormatValue(const QVariant& value, bool displayText) const {
    const QString& format = displayText || EditFormat().isEmpty() ? DisplayFormat() : EditFormat();
    if (format.isEmpty())
        return QString::number(value.toLongLong());
    return sys::FormatFloat(format, value.toDouble());
}

QString TIntegerField::PlainText(const QVariant& value) const {
    return QString::number(value.toLongLong());
}

QVariant TIntegerField::ParseText(const QString& text) const {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return QVariant(value);
}

TBooleanField::TBooleanField(QObject* owner) : TField(owner, ftBoolean) {}

QVariant TBooleanField::FromStored(const QVariant& stored) const {
    if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString().trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0 || text == u"1")
            return true;
        if (text.compare(u"False", Qt::CaseInsensitive) == 0 || text == u"0")
            return false;
        return NullVariant();
    }
    return stored.toDouble() != 0;
}

QVariant TBooleanField::ToStored(const QVariant& value) const {
    if (value.typeId() == QMetaType::QString)
        return QVariant(qint64(ParseText(value.toString()).toBool() ? 1 : 0));
    if (!IsNumber(value))
        CannotConvert(value, this);
    return QVariant(qint64(value.toDouble() != 0 ? 1 : 0));
}

QString TBooleanField::FormatValue(const QVariant& value, bool) const {
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

QVariant TBooleanField::ParseText(const QString& text) const {
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty()) {
        if (QStringLiteral("True").startsWith(trimmed, Qt::CaseInsensitive))
            return true;
        if (QStringLiteral("False").startsWith(trimmed, Qt::CaseInsensitive))
            return false;
    }
    DatabaseError(
        QStringLiteral("'%1' is not a valid boolean value for field '%2'").arg(text, FieldName()));
}

TFloatField::TFloatField(QObject* owner, TFieldType type) : TField(owner, type) {
    SetDefaultAlignment(taRightJustify);
}

double TFloatField::AsFloat() const {
    const PackedValue packed = Packed();
    if (packed.Is(StoredKind::Real) || packed.Is(StoredKind::Integer))
        return packed.Number();
    if (packed.Is(StoredKind::Null))
        return 0;
    return TField::AsFloat();
}

bool TFloatField::IsValidChar(QChar c) const {
    return c.isDigit() || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e';
}

QVariant TFloatField::FromStored(const QVariant& stored) const {
    if (stored.typeId() == QMetaType::QString) {
        double value = 0;
        if (!sys::TryStrToFloat(stored.toString(), value))
            return NullVariant();
        return value;
    }
    return stored.toDouble();
}

QVariant TFloatField::ToStored(const QVariant& value) const {
    if (value.typeId() == QMetaType::QString)
        return sys::StrToFloat(value.toString());
    if (value.typeId() == QMetaType::QDateTime)
        return ToDaySerial(value.toDateTime());
    if (!IsNumber(value))
        CannotConvert(value, this);
    const double number = value.toDouble();
    if (!std::isfinite(number))
        throw EConvertError(QStringLiteral("Invalid floating point operation"));
    return number;
}

QString TFloatField::FormatValue(const QVariant& value, bool displayText) const {
    const QString& format = displayText || EditFormat().isEmpty() ? DisplayFormat() : EditFormat();
    return format.isEmpty() ? sys::FloatToStr(value.toDouble())
                            : sys::FormatFloat(format, value.toDouble());
}

std::optional<QString> TFloatField::PackedText(bool displayText) const {
    const PackedValue packed = Packed();
    if (packed.Is(StoredKind::Real) || packed.Is(StoredKind::Integer))
        return FormatValue(packed.Number(), displayText);
    if (packed.Is(StoredKind::Null))
        return QString();
    return std::nullopt;
}

QString TFloatField::PlainText(const QVariant& value) const {
    return sys::FloatToStr(value.toDouble());
}

QVariant TFloatField::ParseText(const QString& text) const {
    return sys::StrToFloat(text);
}

TDateTimeField::TDateTimeField(QObject* owner, TFieldType type) : TField(owner, type) {}

QString TDateTimeField::AsString() const {
    // Dates are stored in the form they are shown in.
    if (DataType() == ftDate) {
        const PackedValue packed = Packed();
        if (packed.Is(StoredKind::Text) && IsIsoDate(QLatin1StringView(packed.Bytes())))
            return packed.Text();
        if (packed.Is(StoredKind::Null))
            return {};
    }
    return TField::AsString();
}

QDateTime TDateTimeField::AsDateTime() const {
    const QVariant value = Value();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(DayZero().date(), value.toTime());
    case QMetaType::QDateTime:
        return value.toDateTime();
    default:
        return {};
    }
}

void TDateTimeField::SetAsDateTime(const QDateTime& value) {
    SetValue(value);
}

double TDateTimeField::AsFloat() const {
    const QDateTime value = AsDateTime();
    return value.isValid() ? ToDaySerial(value) : 0;
}

QVariant TDateTimeField::Typed(const QDateTime& value) const {
    if (!value.isValid())
        return NullVariant();
    switch (DataType()) {
    case ftDate:
        return value.date();
    case ftTime:
        return value.time();
    default:
        return value;
    }
}

QVariant TDateTimeField::FromStored(const QVariant& stored) const {
    if (stored.typeId() != QMetaType::QString)
        return Typed(FromDaySerial(stored.toDouble()));
    const QString text = stored.toString();
    if (DataType() == ftDate) {
        const QDate date = StoredDate(text);
        return date.isValid() ? QVariant(date) : NullVariant();
    }
    if (DataType() == ftTime && text.trimmed().size() <= 8) {
        const QTime time = QTime::fromString(text.trimmed(), Qt::ISODate);
        return time.isValid() ? QVariant(time) : NullVariant();
    }
    return Typed(StoredDateTime(text));
}

QVariant TDateTimeField::ToStored(const QVariant& value) const {
    QDateTime dateTime;
    switch (value.typeId()) {
    case QMetaType::QDate:
        dateTime = QDateTime(value.toDate(), QTime(0, 0));
        break;
    case QMetaType::QTime:
        dateTime = QDateTime(DayZero().date(), value.toTime());
        break;
    case QMetaType::QDateTime:
        dateTime = value.toDateTime();
        break;
    case QMetaType::QString:
        return ToStored(ParseText(value.toString()));
    default:
        if (!IsNumber(value))
            CannotConvert(value, this);
        dateTime = FromDaySerial(value.toDouble());
        break;
    }
    if (!dateTime.isValid())
        throw EConvertError(QStringLiteral("Invalid date for field '%1'").arg(FieldName()));
    switch (DataType()) {
    case ftDate:
        return dateTime.date().toString(Qt::ISODate);
    case ftTime:
        return dateTime.time().toString(QStringLiteral("HH:mm:ss"));
    default:
        return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
}

int TDateTimeField::DefaultWidth() const {
    switch (DataType()) {
    case ftDate:
        return 10;
    case ftTime:
        return 8;
    default:
        return 19;
    }
}

QString TDateTimeField::FormatValue(const QVariant& value, bool displayText) const {
    if (displayText && !DisplayFormat().isEmpty())
        return sys::FormatDateTime(DisplayFormat(), AsDateTime());
    switch (DataType()) {
    case ftDate:
        return value.toDate().toString(Qt::ISODate);
    case ftTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
}

std::optional<QString> TDateTimeField::PackedText(bool displayText) const {
    if (DataType() != ftDate || (displayText && !DisplayFormat().isEmpty()))
        return std::nullopt;
    const PackedValue packed = Packed();
    if (packed.Is(StoredKind::Null))
        return QString();
    // A stored ISO date reads back as itself; year 0 is no date at all.
    if (packed.Is(StoredKind::Text)) {
        const QLatin1StringView text(packed.Bytes());
        if (IsIsoDate(text) && Digits(text, 0, 4) > 0)
            return QString(text);
    }
    return std::nullopt;
}

QVariant TDateTimeField::ParseText(const QString& text) const {
    switch (DataType()) {
    case ftDate:
        return sys::StrToDate(text);
    case ftTime:
        return ParseTime(text);
    default:
        return sys::StrToDateTime(text);
    }
}

TBlobField::TBlobField(QObject* owner, TFieldType type) : TField(owner, type) {}

QString TBlobField::AsString() const {
    return QString::fromUtf8(AsBytes());
}

void TBlobField::SetAsString(const QString& text) {
    SetValue(text.toUtf8());
}

QVariant TBlobField::FromStored(const QVariant& stored) const {
    return stored.typeId() == QMetaType::QString ? stored.toString().toUtf8()
                                                 : stored.toByteArray();
}

QVariant TBlobField::ToStored(const QVariant& value) const {
    return value.typeId() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
}

QString TBlobField::FormatValue(const QVariant& value, bool) const {
    QString name = DataType() == ftGraphic ? QStringLiteral("Graphic") : QStringLiteral("Blob");
    if (!VarIsNull(value))
        name = name.toUpper();
    return u'(' + name + u')';
}

QVariant TBlobField::ParseText(const QString& text) const {
    return text.toUtf8();
}

TMemoField::TMemoField(QObject* owner, TFieldType type) : TBlobField(owner, type) {}

QString TMemoField::AsString() const {
    const QVariant value = Value();
    return VarIsNull(value) ? QString() : value.toString();
}

void TMemoField::SetAsString(const QString& text) {
    SetValue(text);
}

QVariant TMemoField::FromStored(const QVariant& stored) const {
    return TextOfStored(stored);
}

QVariant TMemoField::ToStored(const QVariant& value) const {
    return value.typeId() == QMetaType::QByteArray ? QString::fromUtf8(value.toByteArray())
                                                   : value.toString();
}

QString TMemoField::FormatValue(const QVariant& value, bool) const {
    return VarIsNull(value) ? QStringLiteral("(Memo)") : QStringLiteral("(MEMO)");
}

QVariant TMemoField::ParseText(const QString& text) const {
    return text;
}

TField* CreateField(TFieldType type, QObject* owner) {
    switch (type) {
    case ftSmallint:
        return new TSmallintField(owner);
    case ftInteger:
        return new TIntegerField(owner);
    case ftWord:
        return new TWordField(owner);
    case ftAutoInc:
        return new TAutoIncField(owner);
    case ftLargeint:
        return new TLargeintField(owner);
    case ftBoolean:
        return new TBooleanField(owner);
    case ftFloat:
        return new TFloatField(owner);
    case ftCurrency:
        return new TCurrencyField(owner);
    case ftBCD:
    case ftFMTBcd:
        return new TBCDField(owner);
    case ftDate:
        return new TDateField(owner);
    case ftTime:
        return new TTimeField(owner);
    case ftDateTime:
    case ftTimeStamp:
        return new TDateTimeField(owner, type);
    case ftBlob:
        return new TBlobField(owner);
    case ftGraphic:
        return new TGraphicField(owner);
    case ftMemo:
    case ftFmtMemo:
        return new TMemoField(owner, type);
    default:
        return new TStringField(owner, type == ftUnknown ? ftString : type);
    }
}

} // namespace kx::db

#include "moc_fieldtypes.cpp"
