#pragma once
// What the query and the data source ask of the program's two grids: the
// plain grid (TKXDBGrid) and the list grid (TKXNDBGrid), which keeps each
// user's column widths and order in its layout table. Each grid implements
// its interface; the query enables and disables the grid widget, lays the
// columns out after an open and recomputes the list grid's footers.

#include <QList>
#include <QString>

#include <cmath>

class QWidget;

namespace kx {

class TDBSumListProducer;

class TKXDBGridHooks {
public:
    virtual ~TKXDBGridHooks() = default;

    virtual QWidget* GridWidget() = 0;
    // Forgets that the columns were laid out, so that the next
    // ApplyFieldsData lays them out again.
    virtual void ClearLaidOut() = 0;
    // Lays the columns out from the window's field rules.
    virtual void ApplyFieldsData() = 0;
};

// One saved layout row of the current user: field name, width in pixels and
// (when the grid keeps the order) position, as the layout table holds them.
struct TGridLayoutRow {
    QString FieldName;
    QString Width;
    QString Order;
};

class TKXNDBGridHooks {
public:
    virtual ~TKXNDBGridHooks() = default;

    virtual QWidget* GridWidget() = 0;
    // Empty when the grid keeps no layout.
    virtual QString LayoutTable() const = 0;
    virtual bool SaveColumnOrder() const = 0;
    // While off, column width changes are not recorded for the layout.
    virtual void SetColWidthChange(bool record) = 0;
    // Reads the user's saved rows once; rows already loaded are kept.
    virtual void LoadLayout() = 0;
    virtual QList<TGridLayoutRow> LayoutRows() const = 0;
    virtual void DeleteFieldLayout(const QString& fieldName) = 0;
    // The field display width, in characters, that gives a column of that
    // many pixels in the grid's font; without a font, the layout rate.
    virtual int DisplayWidthForPixels(int pixels) const {
        return static_cast<int>(std::lround(pixels * 0.16));
    }
    virtual void ClearLaidOut() = 0;
    // Titles, widths, visibility, order and footers from the field rules and
    // the loaded layout, once per open.
    virtual void ApplyLayout() = 0;
    // The footers' sum list.
    virtual TDBSumListProducer* SumList() = 0;
};

} // namespace kx
