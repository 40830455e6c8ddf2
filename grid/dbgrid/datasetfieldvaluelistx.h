#pragma once
// The distinct texts of one field of a data set, sorted, read when first
// asked for and again after the data set, the field name or the data
// changed. A column's filter drop-down offers them.

#include "grid/dbgrid/datalinkx.h"
#include "platform/db/datasource.h"

#include <QString>
#include <QStringList>

namespace kx {

class IMemTableDataFieldValueListX {
public:
    virtual ~IMemTableDataFieldValueListX() = default;
    virtual const QStringList& DistinctValues() = 0;
};

// Shared through std::shared_ptr by whoever asks for the values.
class TDatasetFieldValueListX : public IMemTableDataFieldValueListX {
public:
    TDatasetFieldValueListX();
    ~TDatasetFieldValueListX() override;
    TDatasetFieldValueListX(const TDatasetFieldValueListX&) = delete;
    TDatasetFieldValueListX& operator=(const TDatasetFieldValueListX&) = delete;

    void ChangeFieldName(const QString& fieldName);
    void ChangeDataSet(db::TDataSet* dataSet);
    db::TDataSet* DataSet() const { return source_.DataSet(); }
    bool Obsolete() const { return obsolete_; }

    // Texts compare ignoring letter case in the user's locale, so "A" and
    // "a" are one value.
    const QStringList& DistinctValues() override;

protected:
    virtual void DataLinkEvent(db::TDataEvent event);

private:
    void ReloadValues();
    void AddValue(const QString& text);

    QStringList values_;
    db::TDataSource source_;
    TDataLinkX link_;
    QString fieldName_;
    bool obsolete_ = false;
};

} // namespace kx
