#pragma once
// A multi-line box that shows and edits one text field of a data source.

#include "platform/db/fielddatalink.h"

#include <QPlainTextEdit>

namespace kx {

namespace db {
class TDataSource;
}

class TDBMemo : public QPlainTextEdit {
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    db::TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::TDataSource* source) { link_.SetDataSource(source); }
    const QString& DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& fieldName) { link_.SetFieldName(fieldName); }
    // Writes what was typed into the record.
    void UpdateRecord() { link_.UpdateRecord(); }

private:
    void ShowField();

    db::TFieldDataLink link_;
    bool showing_ = false;
};

} // namespace kx
