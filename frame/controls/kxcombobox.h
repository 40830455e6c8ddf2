#pragma once
// The program's combo box: focus colour, typed key filter, byte-length cap
// and input-method name (see TKXInput), as a drop-down list or with an edit.

#include "frame/controls/kxinput.h"

#include <QComboBox>

namespace kx {

enum TComboBoxStyle { csDropDown, csDropDownList };

class TKXComboBox : public TKXInputControl<QComboBox> {
    Q_OBJECT
public:
    explicit TKXComboBox(QWidget* parent = nullptr);

    using TKXInput::SetFocusColorChange;

    // A plain combo box filters the list: usable only while browsing, always
    // with Tag 2.
    void FollowDataState(bool browsing, int tag) override { setEnabled(tag == 2 || browsing); }

    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle style);

    QString Text() const { return currentText(); }
    // A drop-down list shows the item of that text, or none.
    void SetText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kx
