#pragma once
// The employee field layout window: the 21 field slots as buttons, each
// followed by an empty editor of the kind the entry window shows for it.
// A slot button opens the slot dialog on its slot; what the dialog stores
// is shown at once. The window itself writes nothing.

#include "staff/employeeslotlayout.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

class QFrame;
class QLabel;
class QPushButton;

namespace kx {
namespace db {
class TDataSet;
}
} // namespace kx

namespace kx::staff {

class TSetEmployeeFieldForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetEmployeeFieldForm(QWidget* parent = nullptr);

    // The open definition rows, handed in by the opener; walked once when
    // the window is shown and left on their last row.
    QPointer<db::TDataSet> FieldDataSet;
    // Set by every slot-button click, saved or not.
    bool FieldsChanged = false;

    QFrame* Panel3;
    QFrame* Panel1;
    QLabel* Label10;
    QPushButton* Button_Close;
    // SpeedButton1 to SpeedButton21 at 0 to 20.
    QList<QPushButton*> SpeedButtons;
    QWidget* EditorOf(const QString& name) const { return editors_.value(name); }

    // Opens the slot dialog on slot 1 to 21 (the slot buttons' handler).
    void SlotButtonClick(int slot);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowFieldSlots();
    void ApplySlots();
    QWidget* MakeEditor(const TEmployeeEditor& editor);

    TSetupSlots slots_;
    QHash<QString, QWidget*> editors_;
    bool shown_ = false;
};

} // namespace kx::staff
