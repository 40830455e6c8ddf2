#pragma once
// A data grid that shows the rows of a list data set and lets the user pick
// one of them; the picked row is known by its key-field values (the key
// value). Bound to a field of another data set, picking writes the key into
// that data set and moving in it moves the pick; bound to a lookup field it
// takes list, key and display fields from the lookup field itself.
//
// A special row above the data rows stands for a value that is not in the
// list. The grid's height follows a row count of 1 to 100, so that it can
// size itself as a drop-down (TPopupDataGridX).
//
// Layout: the special row shares the grid's first fixed row with the
// titles, below them; that row is there whenever either shows.

#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/lookupgridmath.h"
#include "grid/editors/extrarowx.h"
#include "platform/db/datalink.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace kx {

namespace db {
class TDataSet;
class TDataSource;
class TField;
} // namespace db

class TDBLookupGridX;

using TDBLookupGridOptionsX = quint8;
constexpr TDBLookupGridOptionsX dlgColumnResizeX = 1u << 0;
constexpr TDBLookupGridOptionsX dlgColLinesX = 1u << 1;
constexpr TDBLookupGridOptionsX dlgRowLinesX = 1u << 2;
constexpr TDBLookupGridOptionsX dlgAutoSortMarkingX = 1u << 3;
constexpr TDBLookupGridOptionsX dlgMultiSortMarkingX = 1u << 4;

// The link to the data set whose field the grid sets.
class TLookupGridDataLinkX : public db::TDataLink {
public:
    explicit TLookupGridDataLinkX(TDBLookupGridX* grid) : grid_(grid) {}
    void DetachGrid() { grid_ = nullptr; }

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(db::TField* field) override;
    void FocusControl(db::TField* field) override;

private:
    TDBLookupGridX* grid_;
};

class TDBLookupGridX : public TCustomDBGridX {
public:
    explicit TDBLookupGridX(QWidget* owner = nullptr);
    ~TDBLookupGridX() override;

    // Data side: the data set whose fields the picked key is written to.
    db::TDataSource* LookupDataSource() const { return dataLink_->DataSource(); }
    void SetLookupDataSource(db::TDataSource* source);
    const QString& DataFieldName() const { return dataFieldName_; }
    void SetDataFieldName(const QString& names);
    const QList<db::TField*>& DataFields() const { return dataFields_; }
    const QList<db::TField*>& DataKeyFields() const { return dataKeyFields_; }
    const QString& DataKeyFieldNames() const { return dataKeyFieldNames_; }
    bool DataReadOnly() const { return dataLink_->ReadOnly(); }
    void SetDataReadOnly(bool readOnly) { dataLink_->SetReadOnly(readOnly); }
    // The data side is one lookup field, which defines the list.
    bool LookupMode() const { return lookupMode_; }

    // List side: the grid's own data source.
    db::TDataSource* ListSource() const { return GetDataSource(); }
    void SetListSource(db::TDataSource* source);
    db::TDataSet* ListDataSet() const;
    const QString& KeyFieldName() const { return keyFieldName_; }
    void SetKeyFieldName(const QString& names);
    const QString& ListFieldName() const { return listFieldName_; }
    void SetListFieldName(const QString& names);
    int ListFieldIndex() const { return listFieldIndex_; }
    void SetListFieldIndex(int index);
    const QList<db::TField*>& KeyFields() const { return keyFields_; }
    const QList<db::TField*>& ListFields() const { return listFields_; }
    db::TField* DisplayField() const { return displayField_; }
    bool ListActive() const { return listActive_; }

    // The pick: one value for one key field, a QVariantList for several.
    const QVariant& KeyValue() const { return keyValue_; }
    void SetKeyValue(const QVariant& value);
    // The picked row's display text, the special row's text when it is
    // picked, empty when the key is in neither.
    const QString& DisplayText() const { return displayText_; }
    bool HasValue() const { return hasValue_; }
    bool SpecRowSelected() const { return specRowSelected_; }
    TSpecRowX* SpecRow() const { return specRow_.get(); }
    void AssignSpecRow(const TSpecRowX& specRow);
    // Picks value as the user would: written to the data side when it has
    // key fields, else made the key.
    void SelectKeyValue(const QVariant& value);
    // Picks the row at a client point (the special row or a data row).
    void SelectRowAt(int x, int y);
    bool CanModifyData() const;
    // The buffer row showing the key, -1 when no shown row has it.
    int KeyRowIndex();

    TDBLookupGridOptionsX LookupOptions() const { return lookupOptions_; }
    void SetLookupOptions(TDBLookupGridOptionsX options);
    // The grid's height follows max(1, min(n, 100)) rows.
    int ListRowCount() const { return listRowCount_; }
    void SetRowCount(int n);
    bool ShowTitles() const { return showTitles_; }
    void SetShowTitles(bool show);
    void SetUseMultiTitle(bool value);
    bool AutoFitWidths() const { return autoFitWidths_; }
    void SetAutoFitWidths(bool value);
    int ColumnsWidth() const;
    TGridRect DataRect() const;
    // Sizes the grid; its height snaps to whole rows.
    void SetBounds(int left, int top, int width, int height);

    virtual int BorderHeight() const;
    virtual int SpecRowHeight() const;
    virtual int DataRowHeight() const;
    int TitlePartHeight() const;

    // Typing picks the first row whose display text begins with what was
    // typed; typing pauses over 2000 ms start anew.
    virtual void SearchKey(QChar key);
    const QString& SearchText() const { return searchText_; }
    // The clock of the typing search, shared by every lookup grid.
    static std::function<qint64()> SearchClock;
    // A press selects a row without the grid taking the focus first.
    bool MouseSelectsWithoutFocus = false;

    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    bool DoMouseWheelDown(ui::TShiftState shift, QPoint pos) override;
    bool DoMouseWheelUp(ui::TShiftState shift, QPoint pos) override;

    // Reactions to the data side's link.
    void DataLinkChanged();
    void DataRecordChanged(db::TField* field);

protected:
    virtual void KeyValueChanged();
    virtual void UpdateListState();
    virtual void SpecRowChanged();
    virtual void FitColumns();
    virtual void ListFieldsChanged();
    virtual bool FindKeyRow();
    void SelectCurrentRow();
    void SelectSpecRow();
    bool Tracking() const { return tracking_; }
    void StopListTracking();
    // The point lies in the special row's band.
    bool InSpecRow(int y) const;
    bool OnDataCell(int x, int y) const;

    void LinkActive(bool active) override;
    // The moved column takes its special-row cell along; a column made from
    // the list fields keeps the columns made from them.
    void ColumnIndexChanging(int fromIndex, int toIndex) override;
    void DataChanged(int distance) override;
    void BuildFieldMap() override;
    void UpdateRowCount() override;
    void Resized() override;
    void DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) override;
    bool DataCellHighlight(TColumnX* column, QFont& font, ui::TColor& fontColor,
                           ui::TColor& background, TGridDrawState& state, int dataCol,
                           int dataRow) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void TimerFired(int id) override;
    void FocusIn(QWidget* from) override;
    void FocusOut(QWidget* to) override;
    unsigned DialogCode() override;

private:
    void CheckCircularLink(const db::TDataSet* dataSet, const db::TDataSource* listSource) const;
    void CheckListPropertyFree() const;
    void SetLookupMode(bool on);
    void ResolveListFields();
    QVariant CurrentKeyValues() const;
    void ApplyTitleRow();
    void ApplyRowCount();
    void StepList(const TLookupStep& step);
    void AutoScrollStep();
    void DrawSpecRowCell(int col, const ui::TRect& rect);

    std::unique_ptr<TLookupGridDataLinkX> dataLink_;
    std::unique_ptr<db::TDataSource> internalSource_;
    std::unique_ptr<TSpecRowX> specRow_;
    QString dataFieldName_;
    QList<db::TField*> dataFields_;
    QList<db::TField*> dataKeyFields_;
    QString dataKeyFieldNames_;
    bool lookupMode_ = false;

    QString keyFieldName_;
    QString listFieldName_;
    int listFieldIndex_ = 0;
    QList<db::TField*> keyFields_;
    QList<db::TField*> listFields_;
    db::TField* displayField_ = nullptr;
    bool listActive_ = false;

    QVariant keyValue_;
    QString displayText_;
    bool hasValue_ = false;
    bool keyRowFound_ = false;
    bool specRowSelected_ = false;
    bool locked_ = false;
    QString searchText_;

    TDBLookupGridOptionsX lookupOptions_ = dlgColLinesX;
    int listRowCount_ = 7;
    bool showTitles_ = false;
    bool autoFitWidths_ = false;
    bool resizing_ = false;
    int titlePart_ = 0;
    int borderApplied_ = 0;
    int rowZeroApplied_ = -1;

    bool tracking_ = false;
    int trackY_ = 0;
};

} // namespace kx
