#pragma once
// The grids' shared look: which colours highlighted and selected cells take.
// Selection colours are lightened on rich-colour displays and kept right
// when the desktop's colours change. Grids register with the style they use
// and are told to drop it when the style goes away.

#include "grid/dbgrid/dbgridoptions.h"
#include "platform/ui/colors.h"

#include <QObject>

#include <vector>

class QPalette;

namespace kx {

// A grid that uses a style.
class TDBGridXStyleUser {
public:
    // The style is being destroyed: forget it.
    virtual void DropStyle() = 0;

protected:
    ~TDBGridXStyleUser() = default;
};

// What the grid knows about one data cell when its colours are chosen.
struct TDataCellHighlightQuery {
    bool InSelection = false; // the grid's selection holds the cell
    bool Selected = false;    // the base grid draws it selected
    bool Focused = false;     // the grid or its editor has the focus
    bool CurrentRow = false;
    bool CurrentColumn = false;
    bool SelectionEmpty = true;
    bool UpdateHeld = false;
    TDBGridOptions Options = 0;
    TDBGridOptionsX OptionsX = 0;
};

// A cell's colours, changed in place by the rules.
struct TCellColors {
    ui::TColor Background = ui::clWindow;
    ui::TColor FontColor = ui::clWindowText;
};

class TDBGridXStyle : public QObject {
    Q_OBJECT
public:
    explicit TDBGridXStyle(QObject* parent = nullptr);
    ~TDBGridXStyle() override;

    void RegisterGrid(TDBGridXStyleUser* grid);
    void UnregisterGrid(TDBGridXStyleUser* grid);
    bool HasGrid(const TDBGridXStyleUser* grid) const;

    bool LuminateSelection() const { return luminateSelection_; }
    void SetLuminateSelection(bool value) { luminateSelection_ = value; }
    bool DrawFocusRect() const { return drawFocusRect_; }
    void SetDrawFocusRect(bool value) { drawFocusRect_ = value; }
    // A choice from a filter cell's list applies the filter at once.
    bool FilterEditCloseUpApplyFilter = false;
    // -1 on displays with more than 256 colours.
    int DisplayColors() const { return displayColors_; }
    bool RichColorDisplay() const { return displayColors_ == -1; }
    virtual void ReadDisplayColors();

    // The colour half-way to the glass colour, lightened, and with ungray
    // its grey taken out.
    static ui::TColor BlendColor(ui::TColor color, ui::TColor glass, bool ungray,
                                 const QPalette& palette);

    // False when the cell is not highlighted; colours then stay as they are.
    virtual bool DataCellHighlight(const TDataCellHighlightQuery& cell, TCellColors& colors,
                                   const QPalette& palette) const;
    virtual bool AreaCellHighlight(bool focused, bool selected, int areaKind, int areaSubKind,
                                   TCellColors& colors, const QPalette& palette) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<TDBGridXStyleUser*> grids_;
    bool luminateSelection_ = true;
    bool drawFocusRect_ = true;
    int displayColors_ = -1;
};

// The style every grid without one of its own uses; none once it was
// destroyed.
TDBGridXStyle* DefaultGridStyle();
// Made when the grid library starts, destroyed when it ends.
void CreateDefaultGridStyle();
void DestroyDefaultGridStyle();

} // namespace kx
