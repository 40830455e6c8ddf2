#include "platform/db/field.h"

#include "platform/db/dataset.h"
#include "platform/db/variants.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/numberformat.h"

#include <cmath>

namespace kx::db {
namespace {

bool IsEmptyStored(const QVariant& stored) {
    switch (stored.typeId()) {
    case QMetaType::UnknownType:
        return true;
    case QMetaType::QString:
        return stored.toString().isEmpty();
    case QMetaType::QByteArray:
        return stored.toByteArray().isEmpty();
    default:
        return false;
    }
}

// The platform's rule for text read as a Boolean: Y or T means true, N or F
// or nothing false.
bool TextToBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QChar first = trimmed[0].toUpper();
    if (first == u'Y' || first == u'T')
        return true;
    if (first == u'N' || first == u'F')
        return false;
    throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
}

const QDateTime& DayZero() {
    static const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    return zero;
}

} // namespace

TField::TField(QObject* owner, TFieldType dataType) : QObject(owner), dataType_(dataType) {}

TField::~TField() {
    if (dataSet_)
        dataSet_->RemoveField(this);
}

void TField::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    if ((dataSet && dataSet->Active()) || (dataSet_ && dataSet_->Active()))
        DatabaseError(QStringLiteral("Cannot perform this operation on an open dataset"));
    if (dataSet_)
        dataSet_->RemoveField(this);
    if (dataSet)
        dataSet->AddField(this);
}

void TField::SetFieldName(const QString& name) {
    fieldName_ = name;
}

void TField::SetFieldKind(TFieldKind kind) {
    fieldKind_ = kind;
}

void TField::SetSize(int size) {
    size_ = size;
}

int TField::Index() const {
    return dataSet_ ? dataSet_->fields_.IndexOf(this) : -1;
}

void TField::SetIndex(int index) {
    if (!dataSet_ || index == Index())
        return;
    dataSet_->fields_.Move(this, index);
    dataSet_->LayoutChanged();
}

void TField::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (dataSet_)
        dataSet_->LayoutChanged();
}

void TField::SetDisplayLabel(const QString& label) {
    if (label == displayLabel_)
        return;
    displayLabel_ = label;
    if (dataSet_)
        dataSet_->LayoutChanged();
}

void TField::SetDisplayWidth(int width) {
    if (width == displayWidth_)
        return;
    displayWidth_ = width;
    if (dataSet_)
        dataSet_->LayoutChanged();
}

void TField::SetDisplayFormat(const QString& format) {
    if (format == displayFormat_)
        return;
    displayFormat_ = format;
    if (dataSet_)
        dataSet_->LayoutChanged();
}

void TField::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    if (dataSet_)
        dataSet_->LayoutChanged();
}

bool TField::CanModify() const {
    return !readOnly_ && !Calculated() && dataSet_ && dataSet_->CanModify();
}

bool TField::IsValidChar(QChar) const {
    return true;
}

TDataSet* TField::LookupDataSet() const {
    return lookupDataSet_;
}

void TField::SetLookupDataSet(TDataSet* dataSet) {
    lookupDataSet_ = dataSet;
}

QVariant TField::Stored() const {
    return dataSet_ ? dataSet_->StoredValue(this) : QVariant();
}

PackedValue TField::Packed() const {
    return dataSet_ ? dataSet_->PackedValueOf(this) : PackedValue();
}

bool TField::IsNull() const {
    if (!dataSet_)
        return true;
    const QVariant stored = dataSet_->StoredValue(this);
    return IsEmptyStored(stored) || VarIsNull(FromStored(stored));
}

void TField::Clear() {
    SetValue(QVariant());
}

QVariant TField::Value() const {
    if (!dataSet_)
        return NullVariant();
    const QVariant stored = dataSet_->StoredValue(this);
    if (IsEmptyStored(stored))
        return NullVariant();
    return FromStored(stored);
}

void TField::SetValue(const QVariant& value) {
    if (!dataSet_)
        DatabaseError(QStringLiteral("Field '%1' has no dataset").arg(fieldName_));
    dataSet_->SetStoredValue(this, VarIsNullOrEmpty(value) ? QVariant() : ToStored(value));
}

QVariant TField::OldValue() const {
    if (!dataSet_)
        return NullVariant();
    const QVariant stored = dataSet_->OldStoredValue(this);
    return IsEmptyStored(stored) ? NullVariant() : FromStored(stored);
}

QString TField::AsString() const {
    const QVariant value = Value();
    return VarIsNull(value) ? QString() : PlainText(value);
}

void TField::SetAsString(const QString& text) {
    if (text.isEmpty())
        Clear();
    else
        SetValue(ParseText(text));
}

double TField::AsFloat() const {
    const QVariant value = Value();
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return 0;
    case QMetaType::QString:
        return sys::StrToFloat(value.toString());
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return static_cast<double>(DayZero().msecsTo(AsDateTime())) / 86400000.0;
    default:
        return value.toDouble();
    }
}

void TField::SetAsFloat(double value) {
    SetValue(value);
}

int TField::AsInteger() const {
    const QVariant value = Value();
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return 0;
    case QMetaType::QString:
        return sys::StrToInt(value.toString());
    case QMetaType::Double:
        return static_cast<int>(std::nearbyint(value.toDouble()));
    default:
        return value.toInt();
    }
}

void TField::SetAsInteger(int value) {
    SetValue(value);
}

bool TField::AsBoolean() const {
    const QVariant value = Value();
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return false;
    case QMetaType::QString:
        return TextToBoolean(value.toString());
    default:
        return value.toDouble() != 0;
    }
}

void TField::SetAsBoolean(bool value) {
    SetValue(value);
}

QDateTime TField::AsDateTime() const {
    const QVariant value = Value();
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return {};
    case QMetaType::QString:
        return sys::StrToDateTime(value.toString());
    default:
        return DayZero().addMSecs(std::llround(value.toDouble() * 86400000.0));
    }
}

void TField::SetAsDateTime(const QDateTime& value) {
    SetValue(value);
}

QByteArray TField::AsBytes() const {
    const QVariant value = Value();
    if (VarIsNull(value))
        return {};
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : AsString().toUtf8();
}

void TField::SetAsBytes(const QByteArray& bytes) {
    SetValue(bytes);
}

void TField::SetText(const QString& text) {
    if (OnSetText)
        OnSetText(this, text);
    else
        SetAsString(text);
}

QString TField::FormatValue(const QVariant& value, bool) const {
    return value.toString();
}

QString TField::GetText(bool displayText) const {
    QString text;
    if (OnGetText) {
        OnGetText(const_cast<TField*>(this), text, displayText);
        return text;
    }
    if (std::optional<QString> packed = PackedText(displayText))
        return *std::move(packed);
    const QVariant value = Value();
    if (VarIsNull(value) && !IsBlob())
        return text;
    return FormatValue(value, displayText);
}

} // namespace kx::db

#include "moc_field.cpp"
