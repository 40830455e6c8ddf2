#pragma once
// The title cell of a column: caption, look, title button and sort marker.
// Its defaults come from the field and the grid's column defaults; its
// assigned bits live in the column's AssignedFlags.

#include "grid/dbgrid/columnx.h"

namespace kx {

enum TTextOrientationX : quint8 { tohHorizontal, tohVertical };
enum TSortMarkerX : quint8 { smNoneX, smDownX, smUpX };

class TColumnTitleX {
public:
    explicit TColumnTitleX(TColumnX* column) : column_(column) {}
    virtual ~TColumnTitleX() = default;
    TColumnTitleX(const TColumnTitleX&) = delete;
    TColumnTitleX& operator=(const TColumnTitleX&) = delete;

    TColumnX* Column() const { return column_; }
    void Assign(const TColumnTitleX& source);
    virtual void ResetToDefaults();

    QString Caption() const;
    virtual void SetCaption(const QString& value);
    QString DefaultCaption() const;
    db::TAlignment Alignment() const;
    void SetAlignment(db::TAlignment value);
    ui::TColor Color() const;
    void SetColor(ui::TColor value);
    QFont Font() const;
    void SetFont(const QFont& font);
    QFont DefaultFont() const;
    bool TitleButton() const;
    void SetTitleButton(bool value);
    bool EndEllipsis() const;
    void SetEndEllipsis(bool value);
    TTextOrientationX Orientation() const;
    void SetOrientation(TTextOrientationX value);
    bool ToolTips() const;
    void SetToolTips(bool value);
    QString Hint;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    TSortMarkerX SortMarker() const { return sortMarker_; }
    void SetSortMarker(TSortMarkerX marker);
    int SortIndex() const { return sortIndex_; }
    void SetSortIndex(int index);
    void CycleSortMarker(bool keepOthers);
    int SortMarkerWidth() const;

private:
    bool IsAssigned(TColumnValue value) const { return column_->IsAssigned(value); }
    void MarkAssigned(TColumnValue value) { column_->SetAssigned(value); }
    bool MultiSortMarking() const;
    bool InColumnsUpdate() const;
    void ClearOtherMarkers();

    TColumnX* column_;
    QString caption_;
    db::TAlignment alignment_ = db::taLeftJustify;
    ui::TColor color_ = ui::clBtnFace;
    QFont font_;
    bool titleButton_ = false;
    bool endEllipsis_ = false;
    TTextOrientationX orientation_ = tohHorizontal;
    bool toolTips_ = false;
    int imageIndex_ = -1;
    TSortMarkerX sortMarker_ = smNoneX;
    int sortIndex_ = 0;
};

} // namespace kx
