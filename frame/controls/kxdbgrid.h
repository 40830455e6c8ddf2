#pragma once
// The program's plain data grid: the data-aware grid named, sized and shown
// from the window's field rules once per open, with the same cell-attribute
// event, digit cells and focus colour as the list grid. A memo cell shows
// its first words and "...", a picture cell the picture stretched over it;
// clicking either opens the memo window on the field.

#include "grid/dbgrid/dbgridx.h"
#include "grid/dbgrid/gridlayouthooks.h"
#include "platform/db/fielddatalink.h"

#include <functional>

namespace kx {

class TKXDBGrid : public TDBGridX, public TKXDBGridHooks {
public:
    using TApplyCellAttrEvent = std::function<void(TKXDBGrid* sender, db::TField* field,
                                                   ui::TCanvas& canvas, TGridDrawState state)>;

    explicit TKXDBGrid(QWidget* owner = nullptr);

    // The grid's data source, which its own field link follows too.
    void SetDataSource(db::TDataSource* source);

    TApplyCellAttrEvent OnApplyCellAttr;
    ui::TColor ColorOnFocus = ui::clBlack;
    bool FocusColorChange = false;
    // The memo window lets the memo be edited.
    bool MemoEditable = true;
    bool LaidOut = false;

    virtual void ApplyCellAttr(db::TField* field, ui::TCanvas& canvas, TGridDrawState state);

    // What the query asks of the grid.
    QWidget* GridWidget() override { return this; }
    void ClearLaidOut() override { LaidOut = false; }
    // Labels, widths and visibility from the rules, once per open.
    void ApplyFieldsData() override;

protected:
    void DoEnter() override;
    void DoExit() override;
    void FireDrawColumnCell(const ui::TRect& rect, int dataCol, TColumnX* column,
                            TGridDrawState state) override;
    void DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state) override;
    void FireCellClick(TColumnX* column) override;

private:
    void DrawMemoCell(const ui::TRect& rect, const db::TField& field);
    void DrawPictureCell(const ui::TRect& rect, const db::TField& field);
    void ShowMemoWindow(TColumnX* column, bool picture);
    void CloseMemoWindow();

    db::TFieldDataLink fieldLink_;
    ui::TColor savedColor_ = ui::clWindow;
};

} // namespace kx
