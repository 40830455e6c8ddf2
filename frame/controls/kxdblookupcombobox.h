#pragma once
// The program's data-aware look-up combo box: the field holds a key, the
// box shows the list field of the list data set's record with that key and
// offers every record to choose from. Choosing writes the key at once when
// the data set edits. Focus colour and input method as the other boxes.

#include "frame/controls/fieldeditlink.h"
#include "frame/controls/kxinput.h"
#include "frame/controls/lookuplist.h"
#include "platform/db/datasource.h"

#include <QComboBox>

namespace kx {

class TKXDBLookupComboBox : public TKXInputControl<QComboBox> {
    Q_OBJECT
public:
    explicit TKXDBLookupComboBox(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    // A look-up box takes the state's colours only: it has no read-only
    // switch.
    void FollowDataState(bool, int) override {}
    bool ShowsField(const db::TDataSet* dataSet, const QString& fieldName) const override {
        return link_.Shows(dataSet, fieldName);
    }

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

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void FillItems();
    void ShowKey();
    void Choose(int index);

    TFieldEditLink link_;
    TLookupList list_;
    QList<QVariant> keys_;
};

} // namespace kx
