#pragma once
// One column of a data set, or a calculated or looked-up value beside the
// columns. A field reads and writes the data set's current record; its typed
// subclasses (fieldtypes.h) decide how the stored value becomes text and back.

#include "platform/db/recordstore.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace kx::db {

class TDataSet;

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd
};

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TField : public QObject {
    Q_OBJECT
public:
    using TFieldNotifyEvent = std::function<void(TField*)>;
    using TFieldGetTextEvent = std::function<void(TField*, QString& text, bool displayText)>;
    using TFieldSetTextEvent = std::function<void(TField*, const QString& text)>;

    ~TField() override;

    TDataSet* DataSet() const { return dataSet_; }
    // Adds the field to the data set's field list (a closed data set only).
    void SetDataSet(TDataSet* dataSet);

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    // Position of the column in the result, from 1; 0 for calculated and
    // looked-up fields.
    int FieldNo() const { return fieldNo_; }
    TFieldType DataType() const { return dataType_; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind kind);
    bool Calculated() const { return fieldKind_ == fkCalculated || fieldKind_ == fkInternalCalc; }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    // Strings: the size in code page 936 bytes.
    int Size() const { return size_; }
    void SetSize(int size);
    virtual bool IsBlob() const { return false; }

    // Position in the data set's field list, from 0; setting it moves the field.
    int Index() const;
    void SetIndex(int index);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    QString DisplayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const QString& label);
    QString DisplayName() const { return DisplayLabel(); }
    int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultWidth(); }
    void SetDisplayWidth(int width);
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);
    const QString& EditFormat() const { return editFormat_; }
    void SetEditFormat(const QString& format) { editFormat_ = format; }
    const QString& EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask) { editMask_ = mask; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    bool CanModify() const;
    virtual bool IsValidChar(QChar c) const;

    // Looked-up fields: the value of LookupResultField in LookupDataSet where
    // LookupKeyFields equal this data set's KeyFields (";"-separated lists).
    TDataSet* LookupDataSet() const;
    void SetLookupDataSet(TDataSet* dataSet);
    const QString& KeyFields() const { return keyFields_; }
    void SetKeyFields(const QString& names) { keyFields_ = names; }
    const QString& LookupKeyFields() const { return lookupKeyFields_; }
    void SetLookupKeyFields(const QString& names) { lookupKeyFields_ = names; }
    const QString& LookupResultField() const { return lookupResultField_; }
    void SetLookupResultField(const QString& name) { lookupResultField_ = name; }

    // Values of the record the data set reads.
    bool IsNull() const;
    void Clear();
    // The typed value (QString, int, qint64, bool, double, QDate, QTime,
    // QDateTime or QByteArray), or Null.
    QVariant Value() const;
    void SetValue(const QVariant& value);
    QVariant AsVariant() const { return Value(); }
    void SetAsVariant(const QVariant& value) { SetValue(value); }
    // The value as it was read from the database, before this edit.
    QVariant OldValue() const;

    virtual QString AsString() const;
    virtual void SetAsString(const QString& text);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double value);
    double AsCurrency() const { return AsFloat(); }
    void SetAsCurrency(double value) { SetAsFloat(value); }
    virtual int AsInteger() const;
    virtual void SetAsInteger(int value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool value);
    virtual QDateTime AsDateTime() const;
    virtual void SetAsDateTime(const QDateTime& value);
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray& bytes);

    // Text as edited (Text, EditText) and as shown (DisplayText); both pass
    // through OnGetText. Setting the text parses it by type (OnSetText
    // replaces the parsing); an empty text clears the field.
    QString Text() const { return GetText(false); }
    void SetText(const QString& text);
    QString DisplayText() const { return GetText(true); }
    QString EditText() const { return GetText(false); }
    void SetEditText(const QString& text) { SetText(text); }

    TFieldNotifyEvent OnChange;
    TFieldNotifyEvent OnValidate;
    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;

    // The typed value for a value as SQLite stores it (null variant for NULL)
    // and back; used by the data set and the update statements.
    virtual QVariant FromStored(const QVariant& stored) const = 0;
    virtual QVariant ToStored(const QVariant& value) const = 0;

protected:
    TField(QObject* owner, TFieldType dataType);

    virtual int DefaultWidth() const { return 10; }
    // Text of a non-null typed value: as shown or edited (formats apply), and
    // plain (AsString).
    virtual QString FormatValue(const QVariant& value, bool displayText) const;
    virtual QString PlainText(const QVariant& value) const { return FormatValue(value, false); }
    // The same text as FormatValue gives, formed straight from the packed
    // value where the field can, since a list forms it for every row;
    // nullopt takes the way through Value and FormatValue.
    virtual std::optional<QString> PackedText(bool) const { return std::nullopt; }
    // The typed value for a text the user typed; raises EConvertError.
    virtual QVariant ParseText(const QString& text) const = 0;
    void SetDefaultAlignment(TAlignment alignment) { alignment_ = alignment; }
    // The value as the record holds it (invalid for NULL).
    QVariant Stored() const;
    // The value in place when the record is a packed row as read or posted;
    // no Data while it is edited, for calculated fields, or without a record.
    PackedValue Packed() const;

private:
    friend class TDataSet;
    friend class TFields;

    QString GetText(bool displayText) const;
    void SetFieldNo(int fieldNo) { fieldNo_ = fieldNo; }
    void SetDataType(TFieldType type) { dataType_ = type; }

    TDataSet* dataSet_ = nullptr;
    QString fieldName_;
    int fieldNo_ = 0;
    int calcSlot_ = -1;
    TFieldType dataType_;
    TFieldKind fieldKind_ = fkData;
    int size_ = 0;
    int tag_ = 0;
    bool visible_ = true;
    QString displayLabel_;
    int displayWidth_ = 0;
    QString displayFormat_;
    QString editFormat_;
    QString editMask_;
    TAlignment alignment_ = taLeftJustify;
    bool readOnly_ = false;
    bool required_ = false;
    QPointer<TDataSet> lookupDataSet_;
    QString keyFields_;
    QString lookupKeyFields_;
    QString lookupResultField_;
};

} // namespace kx::db
