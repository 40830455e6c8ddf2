#pragma once
// The program's data-aware combo box: shows a field of the current record as
// its text or chosen item, changes only while the data set edits (or can be
// put into edit state), and writes its text into the field when it is left
// or the record is posted. Focus colour, key filter, byte-length cap and
// input-method name as TKXComboBox.

#include "frame/controls/fieldeditlink.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxinput.h"
#include "platform/db/datasource.h"

#include <QComboBox>

namespace kx {

class TKXDBComboBox : public TKXInputControl<QComboBox> {
    Q_OBJECT
public:
    explicit TKXDBComboBox(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle style);
    QString Text() const { return currentText(); }

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

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void DoExit() override;

private:
    // The typed character after the field's own check, or null.
    QChar AcceptedByField(QChar key);
    void ShowFieldValue();
    void FollowEditingState();
    void MarkModified() { link_.Modified(); }

    TFieldEditLink link_;
};

} // namespace kx
