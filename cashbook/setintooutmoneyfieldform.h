#pragma once
// The record field set-up window: the 21 record slots as buttons laid out
// like the entry window, each captioned with its slot's caption and
// previewed by the input the entry window would place there. A click on a
// slot opens the slot dialog for it. The window stays open while no slot
// holds the fund account.

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QToolButton;

namespace kx {

namespace db {
class TQuery;
}

class TSetIntoOutMoneyFieldForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetIntoOutMoneyFieldForm(QWidget* parent = nullptr);

    // The caller's open query over the slot rows, in slot order; read once
    // when the window is shown.
    db::TQuery* FieldQuery = nullptr;
    // Some slot dialog changed the slot table.
    bool SlotsChanged = false;

    // SpeedButton1 to SpeedButton21, by slot number.
    QToolButton* SpeedButton(int slot) const { return speedButtons_.at(slot - 1); }
    // A preview control by its name ("KXDBComboEdit_MONEY_DATE", ...).
    QWidget* PreviewControl(const QString& name) const;
    QLabel* Label10;
    QPushButton* Button_Close = nullptr; // on the bottom panel

    void LoadSlots();
    // Moves the preview control of a column in an input mode beside slot
    // 2 to 20 and captions the slot's button; nothing for a combination the
    // entry window does not offer.
    void PlaceFieldControl(const QString& column, const QString& findType, const QString& caption,
                           int slot);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MakePreviewControls();
    void SpeedButtonClick(int slot);
    bool FormCloseQuery();
    void ApplyTabOrder();

    std::array<QToolButton*, 21> speedButtons_{};
    // The preview control each of slots 2 to 20 last received.
    std::array<QWidget*, 21> placed_{};
};

} // namespace kx
