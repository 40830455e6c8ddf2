#pragma once
// What the two find windows share: a field list built from the window's
// field rules, the relations, and a value box chosen by the field's find
// kind (a text box, a year and a month, a date or picked-value box, or a
// choice list). The multi-condition window adds a list of conditions, the
// single-condition window keeps one.

#include "core/fieldsdata.h"
#include "frame/dialogs/findcondition.h"
#include "platform/ui/colors.h"

#include <QDialog>
#include <QFont>
#include <QList>

#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace kx {

class TKXComboBox;
class TKXComboEdit;
class TKXEdit;

// One relation: the SQL operator and the word shown for it.
struct TFindConnectTypeName {
    QString SqlRelation;
    QString DisplayName;
};
using TFindConnectNamearray = QList<TFindConnectTypeName>;

// "Like" 相似, "=" 等于, "<>" 不等于, "<=" 小于等于, ">=" 大于等于.
TFindConnectNamearray DefaultFindRelations();

// Asks the list window for a picked value: Value comes in as the box's text,
// ID empty; an ID handed back means a value was picked.
using TPopupWindowEvent = std::function<void(QString& value, QString& id, QString& fieldName)>;
// Lets the list window fill the choice list of a field of kind "S".
using TNoSElectSQLEvent = std::function<void(QString& value, QComboBox* comboBox)>;

class TFindWindow : public QDialog {
    Q_OBJECT
public:
    void SetFieldsData(const TFieldsDataArray& fields);
    void SetConnectNames(const TFindConnectNamearray& names) { relations_ = names; }
    void SetSqlType(TSqlType type) { sqlType_ = type; }
    // Clears the lists, their texts and the value boxes.
    virtual void Reset();
    // The seven entry boxes, for the colours and the input method.
    QList<QWidget*> EntryBoxes() const;
    void ClearValueBoxes();
    bool AllData() const { return allData_; }

    TPopupWindowEvent PopupWindow;
    TNoSElectSQLEvent SelectSQL;
    // The date picker's calendar colour and font.
    ui::TColor PickerColor = ui::clWindow;
    QFont PickerFont;

    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label5;
    QLabel* Label6;
    TKXComboBox* ComboBox1;
    TKXComboBox* ComboBox2;
    TKXComboBox* ComboBox3;
    TKXEdit* TextEdit;
    TKXComboEdit* DateEdit;
    TKXEdit* YearEdit;
    TKXEdit* MonthEdit;
    QPushButton* SureButton;
    QPushButton* AllDataButton;
    QPushButton* CloseButton;

protected:
    // simple: the single-condition window's rules.
    TFindWindow(bool simple, int height, QWidget* parent);

    void showEvent(QShowEvent* event) override;

    // The entries of the chosen field, in the array's order: those whose
    // DisplayLabel is the field's text, or whose FindKey is (kind "Y", or
    // any kind with anyFindKey).
    QList<const TFieldsData*> ChosenFields(bool anyFindKey) const;
    // The refusal of an empty field or relation, or the relation's operator.
    bool CheckFieldAndRelation(QString& sqlRelation);
    TFindInput InputFor(const TFieldsData& field, const QString& sqlRelation) const;
    // Shows the refusal and moves the focus as it says.
    void Refuse(const TFindResult& result);
    // Applies a picked "@" or plain ID of kind "BF" to the relation list.
    void FollowRelation(const TFindResult& result);
    bool RelationListEnabled() const;
    void ClearAllData() { allData_ = false; }
    virtual void SureButtonClick() = 0;
    virtual void AllDataButtonClick();

private:
    bool TakesPart(const TFieldsData& field) const;
    bool Handles(const QString& kind) const;
    void FieldChange();
    void ShowValueBox(const TFieldsData& field, const QString& kind);
    void RemoveLike();
    void FixRelation(bool listEnabled);
    void DateButtonClick();
    void PickDate();
    void TextEditChange();
    bool KeyPreview(QKeyEvent* event);

    const bool simple_;
    TFieldsDataArray fields_;
    TFindConnectNamearray relations_;
    TSqlType sqlType_ = urStandard;
    bool reload_ = true;
    bool allData_ = false;
    QString kind_;
    QString popupFieldName_;
    QString pickedValue_;
    QString pickedId_;
    bool passingKey_ = false;
};

} // namespace kx
