#pragma once
// The data-aware combo edit: the edit with a picker button of
// TKXCustomComboEdit bound to a field. It shows the field of the current
// record, takes typing only while the data set edits, and writes its text
// into the field when it is left or the record is posted.

#include "frame/controls/fieldeditlink.h"
#include "frame/controls/kxcustomcomboedit.h"
#include "platform/db/datasource.h"

namespace kx {

class TKXDBComboEdit : public TKXCustomComboEdit {
    Q_OBJECT
public:
    explicit TKXDBComboEdit(QWidget* parent = nullptr);

    db::TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::TDataSource* source) { link_.SetDataSource(source); }
    const QString& DataField() const { return link_.FieldName(); }
    // Re-binding drops a length cap that came from the old field's size.
    void SetDataField(const QString& name);
    db::TField* Field() const { return link_.Field(); }
    bool ReadOnly() const override { return link_.ReadOnly(); }
    void SetReadOnly(bool readOnly) override { link_.SetReadOnly(readOnly); }
    bool ShowsField(const db::TDataSet* dataSet, const QString& fieldName) const override {
        return link_.Shows(dataSet, fieldName);
    }

protected:
    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    bool EditCanModify() override { return link_.Edit(); }
    void DoEnter() override;
    void DoExit() override;

private:
    void ShowFieldValue();
    void StoreFieldValue();
    void DropFieldSizeCap();
    void SetHasFocus(bool hasFocus);

    TFieldEditLink link_;
    bool hasFocus_ = false;
};

} // namespace kx
