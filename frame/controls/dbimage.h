#pragma once
// A picture stretched over its box, read from one field of a data source.

#include "platform/db/fielddatalink.h"

#include <QLabel>

namespace kx {

namespace db {
class TDataSource;
}

class TDBImage : public QLabel {
public:
    explicit TDBImage(QWidget* parent = nullptr);

    db::TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::TDataSource* source) { link_.SetDataSource(source); }
    const QString& DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& fieldName) { link_.SetFieldName(fieldName); }

private:
    void ShowField();

    db::TFieldDataLink link_;
};

} // namespace kx
