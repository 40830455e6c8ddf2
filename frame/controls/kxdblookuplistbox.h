#pragma once
// The program's data-aware look-up list: the field holds a key, the list
// shows the list field of every record of the list data set and marks the
// one with that key. Choosing writes the key at once when the data set
// edits. Focus colour as the other boxes; the input method is never set on
// entry.

#include "frame/controls/fieldeditlink.h"
#include "frame/controls/kxinput.h"
#include "frame/controls/lookuplist.h"
#include "platform/db/datasource.h"

#include <QListWidget>

namespace kx {

class TKXDBLookupListBox : public TKXInputControl<QListWidget> {
    Q_OBJECT
public:
    explicit TKXDBLookupListBox(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    // A look-up list takes the state's colours only: it has no read-only
    // switch. It shows every row of its list, so the query never puts a
    // field's focus on it.
    void FollowDataState(bool, int) override {}

    db::TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::TDataSource* source) { link_.SetDataSource(source); }
    const QString& DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name) { link_.SetFieldName(name); }
    db::TDataSource* ListSource() const { return list_.DataSource(); }
    void SetListSource(db::TDataSource* source) { list_.SetDataSource(source); }
    const QString& KeyField() const { return list_.KeyField(); }
    void SetKeyField(const QString& name) { list_.SetKeyField(name); }
    const QString& ListField() const { return list_.ListField(); }
    void SetListField(const QString& name) { list_.SetListField(name); }

private:
    void FillItems();
    void ShowKey();
    void Choose(int row);

    TFieldEditLink link_;
    TLookupList list_;
    QList<QVariant> keys_;
};

} // namespace kx
