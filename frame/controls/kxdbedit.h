#pragma once
// The program's data-aware edit: shows a field of the current record, takes
// typing only while the data set edits (or can be put into edit state), and
// writes its text into the field when it is left or the record is posted.
// Focus colour, key filter, byte-length cap and input-method name as
// TKXEdit.

#include "frame/controls/fieldeditlink.h"
#include "frame/controls/kxinput.h"
#include "platform/db/datasource.h"
#include "platform/ui/maskedit.h"

namespace kx {

class TKXDBEdit : public TKXInputControl<ui::TCustomMaskEdit> {
    Q_OBJECT
public:
    explicit TKXDBEdit(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    db::TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::TDataSource* source) { link_.SetDataSource(source); }
    const QString& DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name) { link_.SetFieldName(name); }
    db::TField* Field() const { return link_.Field(); }
    bool ReadOnly() const { return link_.ReadOnly(); }
    void SetReadOnly(bool readOnly) { link_.SetReadOnly(readOnly); }

    // Read-only while browsing and for Tag 2.
    void FollowDataState(bool browsing, int tag) override { SetReadOnly(browsing || tag == 2); }
    bool ShowsField(const db::TDataSet* dataSet, const QString& fieldName) const override {
        return link_.Shows(dataSet, fieldName);
    }

    std::function<void(QObject* sender, bool& value)> OnSelect;

protected:
    void KeyPress(QChar& key) override;
    bool EditCanModify() override { return link_.Edit(); }
    void DoEnter() override;
    void DoExit() override;

private:
    void ShowFieldValue();
    void StoreFieldValue();

    TFieldEditLink link_;
    bool hasFocus_ = false;
};

} // namespace kx
