#pragma once
// A lookup grid column's cell in the special row: its own text, colour and
// font where set, else the special row's cell text at the column's place,
// its colour and its font.

#include "platform/ui/colors.h"

#include <QFont>
#include <QString>

namespace kx {

class TColumnX;
class TSpecRowX;

class TGridColumnSpecCellX {
public:
    explicit TGridColumnSpecCellX(TColumnX* owner) : owner_(owner) {}

    QString Text() const { return textAssigned_ ? text_ : DefaultText(); }
    void SetText(const QString& text);
    bool TextAssigned() const { return textAssigned_; }
    ui::TColor Color() const { return colorAssigned_ ? color_ : DefaultColor(); }
    void SetColor(ui::TColor color);
    bool ColorAssigned() const { return colorAssigned_; }
    QFont Font() const { return fontAssigned_ ? font_ : DefaultFont(); }
    void SetFont(const QFont& font);
    bool FontAssigned() const { return fontAssigned_; }

    QString DefaultText() const;
    ui::TColor DefaultColor() const;
    QFont DefaultFont() const;

    // The text and colour as read, the font only when it was set.
    void Assign(const TGridColumnSpecCellX& source);

private:
    const TSpecRowX* SpecRow() const;

    TColumnX* owner_;
    QString text_;
    ui::TColor color_ = ui::clWindow;
    QFont font_;
    bool textAssigned_ = false;
    bool colorAssigned_ = false;
    bool fontAssigned_ = false;
};

} // namespace kx
