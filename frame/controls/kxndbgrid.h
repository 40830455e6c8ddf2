#pragma once
// The grid of every list, pick and code-list window: the data-aware grid
// laid out from the window's field rules (captions, visibility, footers),
// keeping each user's column widths, and optionally their order, in the
// window's layout table; a cell-attribute event through which the window
// colours single cells; and a colour while it has the focus.
//
// The window sets the layout keys and the rules; its query loads the layout
// before it opens and applies it afterwards; closing the window saves it
// (SaveWindowGridLayouts). Every statement binds the user, form, grid and
// field names as values, so any text in them is safe.

#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/dbgridx.h"
#include "grid/dbgrid/gridlayouthooks.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kx {

namespace db {
class TField;
}

class TKXNDBGrid : public TDBGridX, public TKXNDBGridHooks {
public:
    using TApplyCellAttrEvent = std::function<void(TKXNDBGrid* sender, db::TField* field,
                                                   ui::TCanvas& canvas, TGridDrawState state)>;

    // One layout entry: the current width and order texts of a field's
    // column and those loaded from the table ("1" for an entry added later).
    struct TLayoutEntry {
        QString Name;
        QString Width;
        QString Order;
        QString LoadedName;
        QString LoadedWidth;
        QString LoadedOrder;
    };

    explicit TKXNDBGrid(QWidget* owner = nullptr);

    ui::TColor ColorOnFocus = ui::clBlack;
    bool FocusColorChange = false;
    // While off, column width changes are not recorded for the layout.
    bool SetColWidthChange() const { return setColWidthChange_; }

    // The layout keys; an empty FormName keeps no layout.
    QString FormName;
    QString UserID;
    QString DataBaseName;
    void SetLayoutTable(const QString& table) { layoutTable_ = table; }
    // The layout also keeps the column order.
    void SetSaveColumnOrder(bool keep) { saveColumnOrder_ = keep; }
    bool LaidOut = false;
    bool LayoutReset = false;
    ui::TColor SavedColor = ui::clWindow;

    // Missing after a save or a delete for all users, until the next load.
    const std::optional<std::vector<TLayoutEntry>>& Entries() const { return entries_; }

    // Reads this user's rows unless a layout is already held in memory.
    void LoadLayout() override;
    void ApplyLayout() override;
    void DeleteFieldLayout(const QString& fieldName) override;
    // Asks, then deletes this user's rows of this grid; the defaults show
    // when the window opens again.
    void RestoreDefaultLayout();
    // Deletes the rows of this grid for every user and drops the entries.
    void DeleteAllLayouts();
    // Writes the changed entries and drops them. A failure is reported, never
    // thrown: it runs while the window goes.
    void SaveLayout();

    virtual void ApplyCellAttr(db::TField* field, ui::TCanvas& canvas, TGridDrawState state);
    TApplyCellAttrEvent OnApplyCellAttr;

    // What the query asks of the grid.
    QWidget* GridWidget() override { return this; }
    QString LayoutTable() const override { return FormName.isEmpty() ? QString() : layoutTable_; }
    bool SaveColumnOrder() const override { return saveColumnOrder_; }
    void SetColWidthChange(bool record) override { setColWidthChange_ = record; }
    QList<TGridLayoutRow> LayoutRows() const override;
    int DisplayWidthForPixels(int pixels) const override;
    void ClearLaidOut() override { LaidOut = false; }
    TDBGridXSumList* SumList() override { return TDBGridX::SumList(); }

protected:
    void DoEnter() override;
    void DoExit() override;
    void ColumnMoved(int fromIndex, int toIndex) override;
    void ColWidthsChanged() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    // The window's cell attributes, the field's text written again with the
    // canvas as the window left it, then the grid's own (money cells).
    void DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state) override;

private:
    void ReadLayoutRows(bool byOrder);
    void ApplyRules();
    void ApplySavedWidths();
    void ApplyRuleLabelsAndHiding();
    TLayoutEntry* FindEntry(const QString& name);
    void TrackColumns(bool widths);
    void SaveEntry(const TLayoutEntry& entry);
    bool ExecLayoutStatement(const QString& sql, const QString& fieldName);

    QString layoutTable_;
    bool saveColumnOrder_ = false;
    std::optional<std::vector<TLayoutEntry>> entries_;
    bool setColWidthChange_ = false;
};

// Saves the layout of a grid when it keeps one; never throws.
void SaveFormGridLayouts(TKXNDBGrid* grid);
// What a window does as it closes: in the order of its children, every data
// set is closed and every list grid's layout saved.
void SaveWindowGridLayouts(QObject* window);

} // namespace kx
