#pragma once
// The slot dialog of the record layout: defines one of the 21 record slots
// (its caption, the record column it shows, how that column is entered and
// whether the records list may sort by it), or undefines it when the
// caption is cleared. The caller sets the slot's fields and the sort box,
// shows the dialog modally and, after OK, reads the slot back.

#include <QDialog>
#include <QString>

class QCheckBox;
class QPushButton;

namespace kx {

class TKXComboBox;
class TKXEdit;

namespace db {
class TQuery;
}

class TSelectIntoMoneyFieldForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectIntoMoneyFieldForm(QWidget* parent = nullptr);

    QString SlotOrder;
    QString SlotFieldName;
    QString SlotDisplayName;
    QString SlotFindType;

    TKXEdit* KXEdit1;
    TKXComboBox* KXComboBox1;
    TKXComboBox* KXComboBox2;
    QCheckBox* CheckBox1;
    QPushButton* Button_ok;
    QPushButton* Button_Close;
    db::TQuery* Query;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void KXComboBox1Change();
    void Button_okClick();
    void FocusWhenEnabled(QWidget* control);
};

} // namespace kx
