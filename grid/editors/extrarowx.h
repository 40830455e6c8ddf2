#pragma once
// The settings of the special row that lookup lists, the grid's in-place
// editor and the grid's columns show above their data rows: its cell texts,
// colour, font, value, visibility and short-cut.

#include "platform/ui/colors.h"

#include <QFont>
#include <QKeyCombination>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace kx {

// The cells of a ';'-separated text; a part in double quotes may hold ';'
// and doubled quotes stand for one.
QStringList SplitCellsText(const QString& text);

class TSpecRowX {
public:
    static constexpr QKeyCombination DefaultShortCut{Qt::AltModifier, Qt::Key_Delete};

    explicit TSpecRowX(QObject* owner = nullptr);

    QObject* Owner() const { return owner_; }
    const QString& CellsText() const { return cellsText_; }
    void SetCellsText(const QString& text);
    // The cell at index; empty outside the cells.
    QString CellTextAt(int index) const;
    int CellCount() const { return static_cast<int>(cells_.size()); }

    // The assigned colour, else the owning control's colour.
    ui::TColor Color() const;
    void SetColor(ui::TColor color);
    bool ColorAssigned() const { return colorAssigned_; }
    // The assigned font, else the owning widget's font.
    QFont Font() const;
    void SetFont(const QFont& font);
    bool FontAssigned() const { return fontAssigned_; }
    QKeyCombination ShortCut() const { return shortCut_; }
    void SetShortCut(QKeyCombination shortCut) { shortCut_ = shortCut; }
    bool ShowIfNotInKeyList() const { return showIfNotInKeyList_; }
    void SetShowIfNotInKeyList(bool show);
    const QVariant& Value() const { return value_; }
    void SetValue(const QVariant& value);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Changes inside a bracket notify once, when it closes.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void Assign(const TSpecRowX& source);

    std::function<void(TSpecRowX* sender)> OnChanged;

private:
    void Changed();

    QObject* owner_;
    QString cellsText_;
    QStringList cells_;
    ui::TColor color_ = ui::clWindow;
    QFont font_;
    QVariant value_;
    QKeyCombination shortCut_ = DefaultShortCut;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
    bool colorAssigned_ = false;
    bool fontAssigned_ = false;
    bool showIfNotInKeyList_ = true;
    bool visible_ = false;
};

} // namespace kx
