#pragma once
// The rows a look-up control offers: the key and the shown text of every
// record of its list data set, read again whenever that data set opens,
// closes or changes.

#include "platform/db/datalink.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

namespace kx {

class TLookupList : public db::TDataLink {
public:
    struct TItem {
        QVariant Key;
        QString Text;
    };

    const QString& KeyField() const { return keyField_; }
    void SetKeyField(const QString& name);
    const QString& ListField() const { return listField_; }
    void SetListField(const QString& name);

    // Every record of the list data set in order; its current record stays.
    QList<TItem> Items();

    std::function<void()> OnChange;

protected:
    void ActiveChanged() override { Changed(); }
    void DataSetChanged() override { Changed(); }
    void LayoutChanged() override { Changed(); }

private:
    void Changed();

    QString keyField_;
    QString listField_;
    bool reading_ = false;
};

} // namespace kx
