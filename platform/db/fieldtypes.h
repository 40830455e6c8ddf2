#pragma once
// The field kinds by data type. Each knows its value's stored form (how
// SQLite holds it: text, integer, real or blob; dates as ISO text) and its
// text forms.

#include "platform/db/field.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <memory>

namespace kx::db {

class TStringField : public TField {
    Q_OBJECT
public:
    explicit TStringField(QObject* owner = nullptr, TFieldType type = ftString);

    QString AsString() const override;
    void SetAsString(const QString& text) override;
    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    int DefaultWidth() const override { return Size() > 0 ? Size() : 20; }
    QVariant ParseText(const QString& text) const override;
    std::optional<QString> PackedText(bool displayText) const override;
};

// Integer kinds: small integer, integer, word, auto-increment, large integer.
class TIntegerField : public TField {
    Q_OBJECT
public:
    explicit TIntegerField(QObject* owner = nullptr, TFieldType type = ftInteger);

    bool IsValidChar(QChar c) const override;
    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    int DefaultWidth() const override;
    QString FormatValue(const QVariant& value, bool displayText) const override;
    QString PlainText(const QVariant& value) const override;
    QVariant ParseText(const QString& text) const override;
};

class TSmallintField : public TIntegerField {
    Q_OBJECT
public:
    explicit TSmallintField(QObject* owner = nullptr) : TIntegerField(owner, ftSmallint) {}
};

class TWordField : public TIntegerField {
    Q_OBJECT
public:
    explicit TWordField(QObject* owner = nullptr) : TIntegerField(owner, ftWord) {}
};

class TAutoIncField : public TIntegerField {
    Q_OBJECT
public:
    explicit TAutoIncField(QObject* owner = nullptr) : TIntegerField(owner, ftAutoInc) {}
};

class TLargeintField : public TIntegerField {
    Q_OBJECT
public:
    explicit TLargeintField(QObject* owner = nullptr) : TIntegerField(owner, ftLargeint) {}
};

// Texts "True" and "False"; stored as 1 and 0.
class TBooleanField : public TField {
    Q_OBJECT
public:
    explicit TBooleanField(QObject* owner = nullptr);

    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    int DefaultWidth() const override { return 5; }
    QString FormatValue(const QVariant& value, bool displayText) const override;
    QVariant ParseText(const QString& text) const override;
};

// Floating kinds: float, currency, BCD. Text with at most 15 significant
// digits unless DisplayFormat (or EditFormat while editing) says otherwise.
class TFloatField : public TField {
    Q_OBJECT
public:
    explicit TFloatField(QObject* owner = nullptr, TFieldType type = ftFloat);

    double AsFloat() const override;
    bool IsValidChar(QChar c) const override;
    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    QString FormatValue(const QVariant& value, bool displayText) const override;
    QString PlainText(const QVariant& value) const override;
    QVariant ParseText(const QString& text) const override;
    std::optional<QString> PackedText(bool displayText) const override;
};

class TCurrencyField : public TFloatField {
    Q_OBJECT
public:
    explicit TCurrencyField(QObject* owner = nullptr) : TFloatField(owner, ftCurrency) {}
};

class TBCDField : public TFloatField {
    Q_OBJECT
public:
    explicit TBCDField(QObject* owner = nullptr) : TFloatField(owner, ftBCD) {}
};

// Date, time and date-time; stored as "YYYY-MM-DD", "HH:MM:SS" and
// "YYYY-MM-DD HH:MM:SS", shown as "yyyy-mm-dd" and "hh:nn:ss" unless
// DisplayFormat says otherwise. A number set as value is a day serial
// counted from 1899-12-30.
class TDateTimeField : public TField {
    Q_OBJECT
public:
    explicit TDateTimeField(QObject* owner = nullptr, TFieldType type = ftDateTime);

    QString AsString() const override;
    QDateTime AsDateTime() const override;
    void SetAsDateTime(const QDateTime& value) override;
    double AsFloat() const override;
    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    int DefaultWidth() const override;
    QString FormatValue(const QVariant& value, bool displayText) const override;
    QVariant ParseText(const QString& text) const override;
    std::optional<QString> PackedText(bool displayText) const override;

private:
    QVariant Typed(const QDateTime& value) const;
};

class TDateField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TDateField(QObject* owner = nullptr) : TDateTimeField(owner, ftDate) {}
};

class TTimeField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TTimeField(QObject* owner = nullptr) : TDateTimeField(owner, ftTime) {}
};

// Binary values; shown as "(BLOB)" ("(Blob)" when empty) as the grids expect.
class TBlobField : public TField {
    Q_OBJECT
public:
    explicit TBlobField(QObject* owner = nullptr, TFieldType type = ftBlob);

    bool IsBlob() const override { return true; }
    QString AsString() const override;
    void SetAsString(const QString& text) override;
    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    QString FormatValue(const QVariant& value, bool displayText) const override;
    QVariant ParseText(const QString& text) const override;
};

class TGraphicField : public TBlobField {
    Q_OBJECT
public:
    explicit TGraphicField(QObject* owner = nullptr) : TBlobField(owner, ftGraphic) {}
};

// Long text: AsString is the text, the grid shows "(MEMO)" ("(Memo)" when
// empty).
class TMemoField : public TBlobField {
    Q_OBJECT
public:
    explicit TMemoField(QObject* owner = nullptr, TFieldType type = ftMemo);

    QString AsString() const override;
    void SetAsString(const QString& text) override;
    QVariant FromStored(const QVariant& stored) const override;
    QVariant ToStored(const QVariant& value) const override;

protected:
    QString FormatValue(const QVariant& value, bool displayText) const override;
    QVariant ParseText(const QString& text) const override;
};

// A new field of the class that holds the data type, owned by owner.
TField* CreateField(TFieldType type, QObject* owner);

} // namespace kx::db
