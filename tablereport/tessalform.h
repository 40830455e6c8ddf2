#pragma once
// The report-properties dialog both the filler's page set-up and the
// designer show: four margins in millimetres without bounds, and the
// buttons "确定", "Setup" and "取消". A form made from it says what OK and
// Setup do; "取消", Escape and the close box all end in reject().

#include <QDialog>

#include <array>
#include <cstdint>

class QPushButton;
class QSpinBox;

namespace kx {

class TTessalForm : public QDialog {
public:
    // Only with an owner: a form of this kind always belongs to a window or
    // a component (there is no default constructor).
    explicit TTessalForm(QWidget* owner);

    QSpinBox* LeftEdit;
    QSpinBox* TopEdit;
    QSpinBox* RightEdit;
    QSpinBox* BottomEdit;
    QPushButton* OkButton;
    QPushButton* SetupButton;
    QPushButton* CancelButton;

    // Left, top, right, bottom, as the page's margins are listed.
    std::array<int32_t, 4> Margins() const;
    void SetMargins(const std::array<int32_t, 4>& margins);

protected:
    virtual void OkClick();
    virtual void SetupClick();
};

} // namespace kx
