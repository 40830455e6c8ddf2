#pragma once
// What every column, title and footer of a grid shows for a setting it has
// not been given itself.

#include "grid/dbgrid/columntitlex.h"

namespace kx {

class TColumnTitleDefValuesX {
public:
    explicit TColumnTitleDefValuesX(TCustomDBGridX* grid) : grid_(grid) {}
    void Assign(const TColumnTitleDefValuesX& source);

    // Centred under multi-level titles, else left.
    db::TAlignment Alignment() const;
    void SetAlignment(db::TAlignment value);
    bool AlignmentAssigned() const { return alignmentAssigned_; }
    // The grid's fixed colour.
    ui::TColor Color() const;
    void SetColor(ui::TColor value);
    bool ColorAssigned() const { return colorAssigned_; }
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool value);
    TTextOrientationX Orientation() const { return orientation_; }
    void SetOrientation(TTextOrientationX value);
    bool TitleButton = false;
    bool ToolTips = false;

private:
    TCustomDBGridX* grid_;
    db::TAlignment alignment_ = db::taLeftJustify;
    bool alignmentAssigned_ = false;
    ui::TColor color_ = ui::clBtnFace;
    bool colorAssigned_ = false;
    bool endEllipsis_ = false;
    TTextOrientationX orientation_ = tohHorizontal;
};

struct TColumnFooterDefValuesX {
    bool ToolTips = false;
};

class TColumnDefValuesX {
public:
    explicit TColumnDefValuesX(TCustomDBGridX* grid) : grid_(grid), title_(grid) {}
    virtual ~TColumnDefValuesX() = default;
    void Assign(const TColumnDefValuesX& source);

    bool AlwaysShowEditButton() const { return alwaysShowEditButton_; }
    void SetAlwaysShowEditButton(bool value);
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool value);
    bool HighlightRequired() const { return highlightRequired_; }
    void SetHighlightRequired(bool value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool AutoDropDown = false;
    bool DblClickNextVal = false;
    bool DropDownShowTitles = false;
    bool DropDownSizing = false;
    bool ToolTips = false;
    TColumnTitleDefValuesX& Title() { return title_; }
    const TColumnTitleDefValuesX& Title() const { return title_; }
    TColumnFooterDefValuesX& Footer() { return footer_; }
    const TColumnFooterDefValuesX& Footer() const { return footer_; }

private:
    void ChangeAndRepaint(bool& member, bool value);

    TCustomDBGridX* grid_;
    bool alwaysShowEditButton_ = false;
    bool endEllipsis_ = false;
    bool highlightRequired_ = false;
    TTextLayout layout_ = tlTop;
    TColumnTitleDefValuesX title_;
    TColumnFooterDefValuesX footer_;
};

class TDBGridXColumnDefValuesX : public TColumnDefValuesX {
public:
    using TColumnDefValuesX::TColumnDefValuesX;
};

} // namespace kx
