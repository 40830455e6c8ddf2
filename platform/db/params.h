#pragma once
// Named parameters of a query (":NAME" in its SQL text).

#include "platform/db/field.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

struct sqlite3_stmt;

namespace kx::db {

class TParam {
public:
    explicit TParam(QString name) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }
    TFieldType DataType() const { return dataType_; }
    void SetDataType(TFieldType type) { dataType_ = type; }

    bool IsNull() const;
    void Clear() { value_ = QVariant(); }
    QVariant Value() const { return value_; }
    void SetValue(const QVariant& value) { value_ = value; }

    QString AsString() const { return value_.toString(); }
    void SetAsString(const QString& value) { Set(ftString, value); }
    int AsInteger() const { return value_.toInt(); }
    void SetAsInteger(int value) { Set(ftInteger, value); }
    double AsFloat() const { return value_.toDouble(); }
    void SetAsFloat(double value) { Set(ftFloat, value); }
    void SetAsCurrency(double value) { Set(ftCurrency, value); }
    bool AsBoolean() const { return value_.toBool(); }
    void SetAsBoolean(bool value) { Set(ftBoolean, value); }
    void SetAsDate(const QDate& value) { Set(ftDate, value); }
    void SetAsDateTime(const QDateTime& value) { Set(ftDateTime, value); }

    // Binds the value at the statement's position (from 1), in the stored
    // form: dates as ISO text, Booleans as 1 and 0.
    void Bind(sqlite3_stmt* statement, int position) const;

private:
    void Set(TFieldType type, const QVariant& value) {
        dataType_ = type;
        value_ = value;
    }

    QString name_;
    TFieldType dataType_ = ftUnknown;
    QVariant value_;
};

class TParams {
public:
    int Count() const { return static_cast<int>(params_.size()); }
    TParam* operator[](int index) const { return params_.at(index).get(); }
    TParam* Items(int index) const { return params_.at(index).get(); }
    // Letter case is ignored.
    TParam* FindParam(const QString& name) const;
    // Raises EDatabaseError "Parameter 'X' not found".
    TParam* ParamByName(const QString& name) const;

    // Replaces the list by the parameters named in the SQL text, in order of
    // first appearance, keeping the values of parameters that stay.
    void ParseSQL(const QString& sql);
    void Clear() { params_.clear(); }
    // Binds every parameter of the statement by name; names not in the list
    // stay NULL.
    void Bind(sqlite3_stmt* statement) const;

private:
    QList<std::shared_ptr<TParam>> params_;
};

// Binds a stored value (invalid for NULL, qint64, double, QString,
// QByteArray, bool) or a typed one (QDate, QTime, QDateTime).
void BindValue(sqlite3_stmt* statement, int position, const QVariant& value,
               TFieldType type = ftUnknown);

} // namespace kx::db
