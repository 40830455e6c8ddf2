#pragma once
// The slot dialog of the employee field layout: the caption, the column
// (as one of 25 categories), the input mode and the sort flag of one field
// slot. OK stores the definition (or removes it when the caption is
// cleared) and closes with the stored values in the public fields; a
// refusal keeps the dialog open and the table unchanged.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace kx {
class TKXComboBox;
class TKXEdit;
} // namespace kx

namespace kx::staff {

class TSelectEmployeeFieldForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectEmployeeFieldForm(QWidget* parent = nullptr);

    // In: the slot's definition; out after OK: the stored one.
    QString FieldName;
    QString FieldDisplayName;
    QString FieldType;
    QString FieldFindType;
    QString FieldWidth;
    QString FieldDisplayWidth;
    // In: the slot number, "1" to "21".
    QString FieldOrder;

    TKXEdit* KXEdit1;
    TKXComboBox* KXComboBox1; // the category
    TKXComboBox* KXComboBox2; // the input mode
    QCheckBox* CheckBox1;
    QPushButton* Button_ok;
    QPushButton* Button_Close;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void KXComboBox1Change();
    void Button_okClick();
    void FocusBox(TKXComboBox* box);
};

} // namespace kx::staff
