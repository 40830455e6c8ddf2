#include "frame/controls/kxndbgrid.h"

#include "core/messages.h"
#include "core/moneytext.h"
#include "frame/controls/fieldcelltext.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/rounding.h"
#include "platform/ui/application.h"

#include <QScopeGuard>

#include <cmath>
#include <memory>

namespace kx {
namespace {

const QString kSumFooter = QStringLiteral("@Sum");
const QString kCountFooter = QStringLiteral("@Count");
const QString kAddedMark = QStringLiteral("1");
const QString kGridKeys = QStringLiteral(
    " WHERE  USE_ID = :USE_ID AND FORM_NAME = :FORM_NAME AND DBGRID_NAME = :DBGRID_NAME");
const QString kFieldKey = QStringLiteral(" AND FIELD_NAME = :FIELD_NAME");

// A stored number as the layout works with it: text that is not a number
// reads as 0.
int StoredNumber(const QString& text) {
    return static_cast<int>(std::lround(MoneyTextToFloat2(text)));
}

int CharacterUnits(double pixels) {
    return static_cast<int>(sys::RoundHalfEven(pixels * 0.16));
}

// A width change of at most one character on a column wider than ten
// characters is not worth a statement; narrow columns always count.
bool WidthUnchanged(const QString& before, const QString& now) {
    const int current = CharacterUnits(MoneyTextToFloat2(now));
    return std::abs(CharacterUnits(MoneyTextToFloat2(before)) - current) <= 1 && current > 10;
}

bool TotalsFooter(const TFieldsData& rule) {
    return rule.FooterValue == kSumFooter || rule.FooterValue == kCountFooter;
}

void SetParam(db::TQuery& query, const QString& name, const QVariant& value) {
    if (db::TParam* param = query.Params().FindParam(name))
        param->SetValue(value);
}

} // namespace

TKXNDBGrid::TKXNDBGrid(QWidget* owner) : TDBGridX(owner), entries_(std::in_place) {
    // Rows go only through the window's delete command, with its locks,
    // rights and confirmation.
    SetAllowedOperations(AllowedOperations() & ~alopDeleteX);
}

// ---- Statements on the layout table ---------------------------------------

namespace {

// A statement on the grid's layout table with the grid's keys, and the field
// name when the text asks for it, bound as values.
std::unique_ptr<db::TQuery> LayoutStatement(const TKXNDBGrid& grid, const QString& sql,
                                            const QString& fieldName = {}) {
    auto query = std::make_unique<db::TQuery>();
    query->SetDatabaseName(grid.DataBaseName);
    query->SQL().SetText(sql);
    SetParam(*query, QStringLiteral("USE_ID"), grid.UserID);
    SetParam(*query, QStringLiteral("FORM_NAME"), grid.FormName);
    SetParam(*query, QStringLiteral("DBGRID_NAME"), grid.objectName());
    SetParam(*query, QStringLiteral("FIELD_NAME"), fieldName);
    return query;
}

} // namespace

bool TKXNDBGrid::ExecLayoutStatement(const QString& sql, const QString& fieldName) {
    try {
        LayoutStatement(*this, sql, fieldName)->ExecSQL();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TKXNDBGrid::ReadLayoutRows(bool byOrder) {
    entries_.emplace();
    const QString columns = saveColumnOrder_ ? QStringLiteral("FIELD_WIDTH,FIELD_NAME,FIELD_ORDER")
                                             : QStringLiteral("FIELD_WIDTH,FIELD_NAME");
    const QString order =
        byOrder ? QStringLiteral(" ORDER BY FIELD_ORDER") : QStringLiteral(" ORDER BY FIELD_NAME");
    const std::unique_ptr<db::TQuery> query =
        LayoutStatement(*this, "SELECT " + columns + " FROM " + layoutTable_ + kGridKeys + order);
    query->Open();
    for (; !query->Eof(); query->Next()) {
        const QString name = query->FieldByName(QStringLiteral("FIELD_NAME"))->AsString();
        if (name.isEmpty())
            continue;
        TLayoutEntry entry;
        entry.Name = entry.LoadedName = name;
        entry.Width = entry.LoadedWidth =
            query->FieldByName(QStringLiteral("FIELD_WIDTH"))->AsString();
        if (saveColumnOrder_) {
            entry.Order = entry.LoadedOrder = QString::number(
                StoredNumber(query->FieldByName(QStringLiteral("FIELD_ORDER"))->AsString()));
        }
        entries_->push_back(entry);
    }
}

void TKXNDBGrid::LoadLayout() {
    if (FormName.isEmpty() || (entries_ && !entries_->empty()))
        return;
    ReadLayoutRows(false);
}

QList<TGridLayoutRow> TKXNDBGrid::LayoutRows() const {
    QList<TGridLayoutRow> rows;
    if (entries_) {
        for (const TLayoutEntry& entry : *entries_)
            rows.append({entry.Name, entry.Width, entry.Order});
    }
    return rows;
}

int TKXNDBGrid::DisplayWidthForPixels(int pixels) const {
    return DisplayWidthForColumnWidth(font(), pixels);
}

TKXNDBGrid::TLayoutEntry* TKXNDBGrid::FindEntry(const QString& name) {
    if (!entries_)
        return nullptr;
    const auto it = std::ranges::find(*entries_, name, &TLayoutEntry::Name);
    return it == entries_->end() ? nullptr : &*it;
}

void TKXNDBGrid::DeleteFieldLayout(const QString& fieldName) {
    if (FormName.isEmpty())
        return;
    if (!ExecLayoutStatement("DELETE FROM " + layoutTable_ + kGridKeys + kFieldKey, fieldName))
        ShowPromptMessage(QStringLiteral("隐藏字段删除过程发生错误"));
}

void TKXNDBGrid::RestoreDefaultLayout() {
    if (FormName.isEmpty() || !ShowConfirmMessage(QStringLiteral("是否恢复默认显示设置")))
        return;
    if (ExecLayoutStatement("DELETE FROM " + layoutTable_ + kGridKeys, {})) {
        ShowPromptMessage(QStringLiteral("请关闭窗口后再重新打开"));
        LayoutReset = true;
    } else {
        ShowPromptMessage(QStringLiteral("恢复默认显示设置过程发生错误"));
    }
}

void TKXNDBGrid::DeleteAllLayouts() {
    if (FormName.isEmpty())
        return;
    if (ExecLayoutStatement("DELETE FROM " + layoutTable_ +
                                " WHERE FORM_NAME = :FORM_NAME AND DBGRID_NAME = :DBGRID_NAME",
                            {})) {
        LayoutReset = true;
        LaidOut = false;
    } else {
        ShowPromptMessage(QStringLiteral("恢复默认显示设置过程发生错误"));
    }
    entries_.reset();
}

// ---- Saving ------------------------------------------------------------------

void TKXNDBGrid::SaveEntry(const TLayoutEntry& entry) {
    const QString where = kGridKeys + kFieldKey;
    const QString columns = saveColumnOrder_ ? QStringLiteral("FIELD_WIDTH,FIELD_ORDER")
                                             : QStringLiteral("FIELD_WIDTH");
    const std::unique_ptr<db::TQuery> stored =
        LayoutStatement(*this, "SELECT " + columns + " FROM " + layoutTable_ + where, entry.Name);
    stored->Open();
    QString sql;
    if (!stored->IsEmpty()) {
        const bool sameWidth = stored->Fields()[0]->AsString() == entry.Width;
        const bool sameOrder = !saveColumnOrder_ || stored->Fields()[1]->AsString() == entry.Order;
        if (sameWidth && sameOrder)
            return;
        sql = saveColumnOrder_
                  ? "UPDATE " + layoutTable_ +
                        " SET FIELD_WIDTH = :FIELD_WIDTH,FIELD_ORDER = :FIELD_ORDER" + where
                  : "UPDATE " + layoutTable_ + " SET FIELD_WIDTH = :FIELD_WIDTH" + where;
    } else {
        sql = saveColumnOrder_
                  ? "INSERT INTO " + layoutTable_ +
                        "(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH,FIELD_ORDER) VALUES"
                        "(:USE_ID,:FORM_NAME,:DBGRID_NAME,:FIELD_NAME,:FIELD_WIDTH,:FIELD_ORDER)"
                  : "INSERT INTO " + layoutTable_ +
                        "(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH) VALUES"
                        "(:USE_ID,:FORM_NAME,:DBGRID_NAME,:FIELD_NAME,:FIELD_WIDTH)";
    }
    const std::unique_ptr<db::TQuery> write = LayoutStatement(*this, sql, entry.Name);
    SetParam(*write, QStringLiteral("FIELD_WIDTH"), StoredNumber(entry.Width));
    SetParam(*write, QStringLiteral("FIELD_ORDER"), StoredNumber(entry.Order));
    // A row that cannot be written keeps its old width; the others still go.
    try {
        write->ExecSQL();
    } catch (const std::exception&) {
    }
}

void TKXNDBGrid::SaveLayout() {
    if (FormName.isEmpty() || LayoutReset || !entries_)
        return;
    const std::vector<TLayoutEntry> entries = std::move(*entries_);
    entries_.reset();
    if (entries.size() < 2)
        return;
    bool reported = false;
    for (const TLayoutEntry& entry : entries) {
        if (entry.Name.isEmpty())
            continue;
        const auto loaded = std::ranges::find(entries, entry.Name, &TLayoutEntry::LoadedName);
        if (loaded != entries.end() && WidthUnchanged(loaded->LoadedWidth, entry.Width) &&
            (!saveColumnOrder_ || entry.Order == loaded->LoadedOrder))
            continue;
        try {
            SaveEntry(entry);
        } catch (...) {
            // The window is going: tell the user once and save what can be.
            if (!reported)
                ui::HandleCurrentException();
            reported = true;
        }
    }
}

void SaveFormGridLayouts(TKXNDBGrid* grid) {
    if (grid)
        grid->SaveLayout();
}

void SaveWindowGridLayouts(QObject* window) {
    for (QObject* child : window->findChildren<QObject*>()) {
        if (auto* dataSet = qobject_cast<db::TDataSet*>(child)) {
            try {
                dataSet->Close();
            } catch (...) {
                ui::HandleCurrentException();
            }
        } else if (auto* grid = dynamic_cast<TKXNDBGrid*>(child)) {
            SaveFormGridLayouts(grid);
        }
    }
}

// ---- Laying out --------------------------------------------------------------

void TKXNDBGrid::ApplyLayout() {
    if (LaidOut) {
        LaidOut = false;
        return;
    }
    setColWidthChange_ = false;
    const auto finish = qScopeGuard([this] {
        LaidOut = true;
        setColWidthChange_ = true;
    });
    const auto enoughColumns = [this] { return Columns()->Count() > 1; };
    const bool hasRules = !FieldsData().IsEmpty();
    BeginLayout();
    const auto endLayout = qScopeGuard([this] { EndLayout(); });
    if (!enoughColumns())
        return;
    if (hasRules)
        ApplyRules();
    if (!enoughColumns())
        return;
    if (!FormName.isEmpty())
        ApplySavedWidths();
    if (!enoughColumns())
        return;
    if (hasRules)
        ApplyRuleLabelsAndHiding();
}

void TKXNDBGrid::ApplyRules() {
    for (const TFieldsData& rule : FieldsData()) {
        TColumnX* column = nullptr;
        for (int i = 0; i < Columns()->Count() && !column; ++i) {
            TColumnX* candidate = Columns()->GetColumn(i);
            if (candidate->Field() && candidate->Field()->FieldName() == rule.FieldName)
                column = candidate;
        }
        if (!column)
            continue;
        column->Field()->SetDisplayLabel(rule.DisplayLabel);
        if (rule.DisplayWidth == -1) {
            column->SetWidth(0);
            column->SetVisible(false);
        } else {
            column->SetVisible(rule.DisplayWidth != -2 && rule.Visible);
        }
        TColumnFooterX* footer = column->Footer();
        if (rule.FooterValue == kSumFooter) {
            footer->SetFieldName(rule.FooterField.isEmpty() ? column->Field()->FieldName()
                                                            : rule.FooterField);
            footer->SetValueType(fvtSum);
            footer->SetAlignment(db::taRightJustify);
        } else if (rule.FooterValue == kCountFooter) {
            footer->SetValueType(fvtCount);
            footer->SetDisplayFormat(rule.FooterFormat);
            footer->SetAlignment(db::taRightJustify);
        } else if (!rule.FooterValue.isEmpty()) {
            footer->SetAlignment(rule.TypeCode == u"N" ? db::taRightJustify : db::taLeftJustify);
            footer->SetValueType(fvtStaticText);
            footer->SetValue(rule.FooterValue);
        }
    }
}

void TKXNDBGrid::ApplySavedWidths() {
    if (!entries_ || entries_->empty())
        ReadLayoutRows(saveColumnOrder_);
    for (const TFieldsData& rule : FieldsData()) {
        if (!rule.Visible)
            continue;
        TColumnX* column = nullptr;
        for (int i = 0; i < Columns()->Count() && !column; ++i) {
            if (Columns()->GetColumn(i)->FieldName() == rule.FieldName)
                column = Columns()->GetColumn(i);
        }
        const TLayoutEntry* entry = FindEntry(rule.FieldName);
        if (!column || !entry)
            continue;
        if (StoredNumber(entry->Width) > 10) {
            // The stored pixels, not the characters the query made of them:
            // characters of this font are wider than the rate the query
            // assumes, and the column would grow at every opening.
            // A column already as wide is left alone: writing the width
            // again would round it through the field's characters.
            if (column->Width() != StoredNumber(entry->Width))
                column->SetWidth(StoredNumber(entry->Width));
            column->SetVisible(true);
        } else {
            // A total keeps its column, at no width, so that it still adds up.
            column->SetWidth(0);
            column->SetVisible(TotalsFooter(rule));
        }
    }
}

void TKXNDBGrid::ApplyRuleLabelsAndHiding() {
    for (const TFieldsData& rule : FieldsData()) {
        for (int i = 0; i < Columns()->Count(); ++i) {
            TColumnX* column = Columns()->GetColumn(i);
            if (!column->Field() || column->Field()->FieldName() != rule.FieldName)
                continue;
            column->Field()->SetDisplayLabel(rule.DisplayLabel);
            if (rule.DisplayWidth == -1)
                column->SetWidth(0);
            if (rule.DisplayWidth == -1 || rule.DisplayWidth == -2)
                column->SetVisible(false);
        }
    }
}

// ---- Tracking the user's changes --------------------------------------------

void TKXNDBGrid::TrackColumns(bool widths) {
    for (int i = 0; i < Columns()->Count(); ++i) {
        const TColumnX* column = Columns()->GetColumn(i);
        const QString width = QString::number(column->Width());
        const QString order = saveColumnOrder_ ? QString::number(column->Index()) : QString();
        if (TLayoutEntry* entry = FindEntry(column->FieldName())) {
            if (!widths)
                entry->Order = order;
            else if (!WidthUnchanged(entry->Width, width))
                entry->Width = width;
            continue;
        }
        entries_->push_back({column->FieldName(), width, order, kAddedMark, kAddedMark,
                             saveColumnOrder_ ? kAddedMark : QString()});
    }
}

void TKXNDBGrid::ColWidthsChanged() {
    TDBGridX::ColWidthsChanged();
    const db::TDataSet* dataSet = DataLink()->DataSet();
    if (entries_ && dataSet && dataSet->Active() && setColWidthChange_)
        TrackColumns(true);
}

void TKXNDBGrid::ColumnMoved(int fromIndex, int toIndex) {
    TDBGridX::ColumnMoved(fromIndex, toIndex);
    if (saveColumnOrder_ && entries_)
        TrackColumns(false);
}

// ---- Focus, mouse and cells --------------------------------------------------

void TKXNDBGrid::DoEnter() {
    if (FocusColorChange) {
        SavedColor = Color();
        SetColor(ColorOnFocus);
    }
    TDBGridX::DoEnter();
}

void TKXNDBGrid::DoExit() {
    if (FocusColorChange)
        SetColor(SavedColor);
    TDBGridX::DoExit();
}

void TKXNDBGrid::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    TDBGridX::MouseDown(button, shift, x, y);
    if (button == ui::TMouseButton::mbRight)
        RestoreDefaultLayout();
}

void TKXNDBGrid::ApplyCellAttr(db::TField* field, ui::TCanvas& canvas, TGridDrawState state) {
    if (OnApplyCellAttr)
        OnApplyCellAttr(this, field, canvas, state);
}

void TKXNDBGrid::DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state) {
    if (field && DataLink()->Active()) {
        ApplyCellAttr(field, Canvas(), state);
        WriteFieldCellText(Canvas(), rect, *field);
    }
    TDBGridX::DrawDataCell(rect, field, state);
}

} // namespace kx
