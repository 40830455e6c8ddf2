#pragma once
// The font dialog of the designer: a font and the text colour together.

#include "tablereport/logfont.h"

#include <QDialog>

#include <cstdint>

class QFontDialog;
class QPushButton;

namespace kx {

class TCellFontForm : public QDialog {
public:
    explicit TCellFontForm(QWidget* parent = nullptr);

    QFontDialog* FontBox;
    QPushButton* ColorButton;
    uint32_t TextColor = 0;

    // Starts with the face and the point size the font is shown at.
    void SetFont(const TLogFont& font);
    TLogFont LogFont() const;
};

} // namespace kx
