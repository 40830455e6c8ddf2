#pragma once
// Property storage for columns: a column's width, and the column order of
// a grid as a text of field names, so that a settings store can keep both.

#include "grid/editors/propertyinterceptors.h"

namespace kx {

class TColumnX;
class TDBGridColumnsX;

class TColumnXPropertyInterceptor : public TStoragePropertyInterceptor {
    Q_OBJECT
    Q_PROPERTY(int Width WRITE SetWidth)
public:
    Q_INVOKABLE explicit TColumnXPropertyInterceptor(QObject* column)
        : TStoragePropertyInterceptor(column) {}
    // Under fitted widths the stored width is the column's share, not its
    // width.
    void SetWidth(int value);
};

class TColumnsXPropertyInterceptor : public TStoragePropertyInterceptor {
    Q_OBJECT
    Q_PROPERTY(QString ColumnsIndex READ GetColumnsIndex WRITE SetColumnsIndex)
public:
    Q_INVOKABLE explicit TColumnsXPropertyInterceptor(QObject* columns)
        : TStoragePropertyInterceptor(columns) {}
    QString GetColumnsIndex() const;
    void SetColumnsIndex(const QString& value);

private:
    QString columnsIndex_;
};

void RegisterColumnInterceptors();

} // namespace kx
