#include "frame/data/kxquery.h"

#include "core/messages.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "frame/data/windowcontrols.h"
#include "grid/dbgrid/dbsumlist.h"
#include "grid/dbgrid/gridlayouthooks.h"
#include "platform/db/field.h"
#include "platform/db/updatesql.h"
#include "platform/sys/exception.h"
#include "platform/sys/rounding.h"
#include "platform/ui/tag.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

const QString kStatus = QStringLiteral("STATUS");
const QString kSumFooter = QStringLiteral("@Sum");
const QString kCountFooter = QStringLiteral("@Count");

[[noreturn]] void Refuse(const QString& text) {
    ShowPromptMessage(text);
    Abort();
}

// The trimmed STATUS of a data set's current row; empty without the field.
QString StatusOf(const db::TDataSet* dataSet) {
    const db::TField* field = dataSet->FindField(kStatus);
    return field ? field->AsString().trimmed() : QString();
}

} // namespace

TKXQuery::TKXQuery(QObject* owner)
    : db::TQuery(owner), liveQuery_(new db::TQuery(this)), liveUpdate_(new db::TUpdateSQL(this)) {
    liveQuery_->SetRequestLive(true);
    liveQuery_->SetCachedUpdates(true);
    liveQuery_->SetParamCheck(false);
    liveQuery_->SetUpdateObject(liveUpdate_);
}

TKXQuery::~TKXQuery() {
    liveQuery_->Close();
}

void TKXQuery::SetTableName(const QString& tableName) {
    if (tableName == tableName_)
        return;
    tableName_ = tableName;
    SQL().SetText(QStringLiteral("SELECT  *  FROM  ") + tableName);
}

void TKXQuery::SetStatusEditValue(const QString& status) {
    if (!editableStatuses_)
        editableStatuses_.emplace();
    editableStatuses_->append(status);
}

void TKXQuery::SetStatusEditEndValue(const QString& status) {
    if (!endStatuses_)
        endStatuses_.emplace();
    endStatuses_->append(status);
}

void TKXQuery::SetKXDS(TKXDataSource* dataSource) {
    dataSource_ = dataSource;
}

void TKXQuery::SetDBGride(TKXDBGridHooks* grid) {
    dbGrid_ = grid;
    dbGridWidget_ = grid ? grid->GridWidget() : nullptr;
}

void TKXQuery::SetDBNGride(TKXNDBGridHooks* grid) {
    dbnGrid_ = grid;
    dbnGridWidget_ = grid ? grid->GridWidget() : nullptr;
}

bool TKXQuery::HasField(const QString& name) const {
    const db::TField* field = FindField(name);
    return field && field->FieldName() == name;
}

QWidget* TKXQuery::OwnerWindow() const {
    return qobject_cast<QWidget*>(parent());
}

// ---- Handler chain ----------------------------------------------------------

void TKXQuery::InstallHandlers() {
    if (handlersInstalled_)
        return;
    handlersInstalled_ = true;
    windowBeforeInsert_ = BeforeInsert;
    windowBeforeEdit_ = BeforeEdit;
    windowAfterOpen_ = AfterOpen;
    windowAfterScroll_ = AfterScroll;
    windowBeforePost_ = BeforePost;
    windowUpdateError_ = OnUpdateError;
    BeforeInsert = [this](db::TDataSet* dataSet) { QueryBeforeInsert(dataSet); };
    BeforeEdit = [this](db::TDataSet* dataSet) { QueryBeforeEdit(dataSet); };
    AfterOpen = [this](db::TDataSet* dataSet) { QueryAfterOpen(dataSet); };
    AfterScroll = [this](db::TDataSet* dataSet) { QueryAfterScroll(dataSet); };
    BeforePost = [this](db::TDataSet* dataSet) { QueryBeforePost(dataSet); };
    OnUpdateError = [this](db::TDataSet* dataSet, db::EDatabaseError& error, db::TUpdateKind kind,
                           db::TUpdateAction& action) {
        QueryUpdateError(dataSet, error, kind, action);
    };
}

TKXQuery::TStatusLock TKXQuery::StatusLockOf(const QString& status) const {
    if (status.isEmpty())
        return TStatusLock::Free;
    if (endStatuses_ && endStatuses_->contains(status))
        return TStatusLock::Ended;
    if (editableStatuses_ && !editableStatuses_->contains(status))
        return TStatusLock::NotEditable;
    return TStatusLock::Free;
}

QString TKXQuery::TrimmedStatus() const {
    return StatusOf(this);
}

// Refuses when the master row's STATUS locks this data set: with the end
// text when an end-of-editing value holds it, else with the other text.
void TKXQuery::CheckMasterLock(const QString& endText, const QString& notEditableText) const {
    if (!master_ || !master_->ActiveStatus)
        return;
    switch (master_->StatusLockOf(master_->TrimmedStatus())) {
    case TStatusLock::Free:
        return;
    case TStatusLock::Ended:
        Refuse(endText);
    case TStatusLock::NotEditable:
        Refuse(notEditableText);
    }
}

void TKXQuery::QueryBeforeInsert(db::TDataSet* dataSet) {
    if (master_ && master_->IsEmpty())
        Refuse(QStringLiteral("主数据库页面没有数据纪录，从数据页面不能有新的纪录"));
    if (master_) {
        const QString s = master_->TrimmedStatus();
        const bool named = !StatusMsg.isEmpty();
        CheckMasterLock(named ? StatusMsg + "的状态是 “" + s + " ” , 不能增加新的记录"
                              : "主档纪录状态为：  “" + s + " ”  " + "的从档不能增加新记录",
                        named ? StatusMsg + "的状态是 “ " + s + " ” , 不能增加新的记录"
                              : "主档纪录状态为： “ " + s + " ”" + "的从档不能增加新记录");
    }
    if (!InternalEdit)
        FocusActiveControl();
    if (windowBeforeInsert_)
        windowBeforeInsert_(dataSet);
}

void TKXQuery::QueryBeforeEdit(db::TDataSet* dataSet) {
    if (InternalEdit)
        SuspendColouring();
    if (!InternalEdit) {
        const QString own = TrimmedStatus();
        if (ActiveStatus && StatusLockOf(own) != TStatusLock::Free)
            Refuse("状态为： “ " + own + " ”  " + "的记录不能编辑");
        if (master_) {
            const QString s = master_->TrimmedStatus();
            const bool named = !StatusMsg.isEmpty();
            CheckMasterLock(named ? StatusMsg + "的状态是 “" + s + " ” , 不能修改记录"
                                  : "主档纪录状态为：  “" + s + " ”  " + "的记录不能编辑",
                            named ? StatusMsg + "的状态是 “ " + s + " ” , 不能修改记录"
                                  : "主档纪录状态为： “ " + s + " ”" + "的记录不能编辑");
        }
        FocusActiveControl();
    }
    for (TCheckData& check : checkData_) {
        if (!HasField(check.NumberField) || check.BaseSelect.trimmed().isEmpty())
            continue;
        for (TCheckFieldsData& link : check.Links) {
            if (!link.FieldName.isEmpty() && !link.ColumnName.isEmpty())
                link.OldValue = FieldByName(link.FieldName)->Text();
        }
    }
    if (windowBeforeEdit_)
        windowBeforeEdit_(dataSet);
}

void TKXQuery::QueryAfterOpen(db::TDataSet* dataSet) {
    if (windowAfterOpen_)
        windowAfterOpen_(dataSet);
}

void TKXQuery::QueryBeforePost(db::TDataSet* dataSet) {
    if (beforePostCalled_)
        return;
    if (windowBeforePost_)
        windowBeforePost_(dataSet);
}

void TKXQuery::QueryAfterScroll(db::TDataSet* dataSet) {
    if (ChildOpen.Active)
        ReopenChild();
    if (!layingOut_ && windowAfterScroll_)
        windowAfterScroll_(dataSet);
}

void TKXQuery::QueryUpdateError(db::TDataSet* dataSet, db::EDatabaseError& error,
                                db::TUpdateKind kind, db::TUpdateAction& action) {
    if (windowUpdateError_)
        windowUpdateError_(dataSet, error, kind, action);
    if (!IsEmpty()) {
        NotEdit = true;
        EditRecord();
    }
}

void TKXQuery::ReopenChild() {
    db::TQuery* child = ChildOpen.Child;
    if (!child)
        return;
    QStringList terms;
    for (const TQueryChildOpen::TFieldName& link : ChildOpen.Links) {
        if (link.FieldName.isEmpty() || link.ChildField.isEmpty())
            continue;
        const QString value = FieldByName(link.FieldName)->Text();
        const QString kind = link.Kind.toUpper();
        if (kind == u"N")
            terms.append(link.ChildField + "=" + value);
        else if (kind == u"D")
            terms.append(link.ChildField + "=" + SqlDateLiteral(value));
        else
            terms.append(link.ChildField + "=" + QuotedStr(value));
    }
    child->Close();
    child->SQL().SetText(ChildOpen.BaseSelect + terms.join(QStringLiteral(" and ")));
    child->Open();
}

// ---- Opening ----------------------------------------------------------------

void TKXQuery::OpenQuery() {
    InstallHandlers();
    if (detail_)
        detail_->CloseQuery();
    const bool wasActive = Active();
    if (!wasActive) {
        DisableControls();
        layingOut_ = true;
        const auto finish = [this] {
            ApplyFieldsData();
            EnableControls();
            layingOut_ = false;
        };
        try {
            LoadFieldLayout();
            if (dbnGrid_ && dbnGridWidget_)
                dbnGrid_->SetColWidthChange(false);
            try {
                Open();
            } catch (const std::exception&) {
                ShowPromptMessage(QStringLiteral("数据库操作过程发生错误"));
                Abort();
            }
        } catch (...) {
            finish();
            if (dbnGrid_ && dbnGridWidget_)
                dbnGrid_->SetColWidthChange(true);
            throw;
        }
        finish();
        if (dbnGrid_ && dbnGridWidget_) {
            // The columns rebuilt by the open are not the user's doing: the
            // grid records width changes again once it has laid them out.
            dbnGrid_->ClearLaidOut();
            dbnGrid_->ApplyLayout();
        } else if (dbGrid_ && dbGridWidget_) {
            dbGrid_->ClearLaidOut();
            dbGrid_->ApplyFieldsData();
        }
    }
    if (windowAfterScroll_)
        windowAfterScroll_(this);
}

void TKXQuery::CloseQuery() {
    Close();
    if (dbGrid_ && dbGridWidget_)
        dbGrid_->ClearLaidOut();
    if (dbnGrid_ && dbnGridWidget_)
        dbnGrid_->ClearLaidOut();
}

void TKXQuery::LoadFieldLayout() {
    savedFieldOrder_.clear();
    if (!dbnGrid_ || !dbnGridWidget_ || dbnGrid_->LayoutTable().isEmpty() || fieldsData_.IsEmpty())
        return;
    dbnGrid_->LoadLayout();
    QList<TGridLayoutRow> rows = dbnGrid_->LayoutRows();
    if (dbnGrid_->SaveColumnOrder()) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const TGridLayoutRow& a, const TGridLayoutRow& b) {
                             return MoneyTextToFloat2(a.Order) < MoneyTextToFloat2(b.Order);
                         });
        for (const TGridLayoutRow& row : rows)
            savedFieldOrder_.append(row.FieldName);
        ApplySavedFieldOrder();
    }
    for (const TGridLayoutRow& row : rows) {
        for (TFieldsData& rule : fieldsData_) {
            if (rule.FieldName != row.FieldName || rule.DisplayWidth == -1)
                continue;
            const double pixels = MoneyTextToFloat2(row.Width);
            // The stored row keeps its meaning (a width under two characters
            // of the layout rate hides the column); the characters given to
            // the field are those of the grid's own font, so the column comes
            // back as wide as it was stored.
            if (sys::RoundHalfEven(pixels * 0.16) >= 2) {
                rule.DisplayWidth = std::max(
                    1, dbnGrid_->DisplayWidthForPixels(static_cast<int>(std::lround(pixels))));
            } else if (rule.FooterValue == kCountFooter || rule.FooterValue == kSumFooter) {
                rule.DisplayWidth = 0;
                rule.Visible = true;
            } else {
                rule.DisplayWidth = 0;
                rule.Visible = false;
                dbnGrid_->DeleteFieldLayout(row.FieldName);
            }
        }
    }
    if (rows.isEmpty())
        return;
    for (TFieldsData& rule : fieldsData_) {
        const bool saved = std::any_of(rows.begin(), rows.end(), [&](const TGridLayoutRow& row) {
            return row.FieldName == rule.FieldName;
        });
        if (!saved)
            rule.Visible = false;
    }
}

// Fields made when the query opens exist only now: the saved order is
// applied again once they do.
void TKXQuery::ApplySavedFieldOrder() {
    for (int i = 0; i < savedFieldOrder_.size(); ++i) {
        if (db::TField* field = FindField(savedFieldOrder_[i]))
            field->SetIndex(i);
    }
}

void TKXQuery::ApplyFieldsData() {
    ApplySavedFieldOrder();
    if (FieldCount() < 2)
        return;
    for (db::TField* field : Fields()) {
        const auto rule =
            std::find_if(fieldsData_.begin(), fieldsData_.end(), [&](const TFieldsData& data) {
                return data.FieldName == field->FieldName();
            });
        if (rule == fieldsData_.end()) {
            field->SetVisible(false);
            continue;
        }
        if (rule->TypeCode == u"N" && field->Tag() == 0)
            field->SetDisplayWidth(13);
        if (rule->TypeCode == u"D" && field->Tag() == 0)
            field->SetDisplayWidth(10);
        if (rule->TypeCode == u"N")
            field->SetDisplayFormat(QStringLiteral("0.########"));
        field->SetDisplayLabel(rule->DisplayLabel);
        if (rule->DisplayWidth > 0)
            field->SetDisplayWidth(rule->DisplayWidth);
        field->SetVisible(rule->Visible);
        if (rule->DisplayWidth == -1) {
            field->SetVisible(true);
            field->SetDisplayWidth(0);
        }
    }
}

// ---- Editing ----------------------------------------------------------------

void TKXQuery::SetBoundGridsEnabled(bool enabled) {
    for (QWidget* grid : {dbGridWidget_.data(), dbnGridWidget_.data()}) {
        if (grid && ui::Tag(grid) != 1)
            grid->setEnabled(enabled);
    }
}

void TKXQuery::EnableGridsWhenBrowsing() {
    if (State() == db::dsBrowse)
        SetBoundGridsEnabled(true);
}

void TKXQuery::SuspendColouring() {
    if (dataSource_)
        dataSource_->SetActiveColor(false);
}

void TKXQuery::ResumeColouring() {
    if (dataSource_)
        dataSource_->SetActiveColor(true);
}

void TKXQuery::UpdateFooters() {
    TDBSumListProducer* sums = dbnGrid_ && dbnGridWidget_ ? dbnGrid_->SumList() : nullptr;
    if (sums && !sums->FollowsExactly())
        RecalculateFooters();
}

// Recomputes the list grid's footers and comes back to the current row.
void TKXQuery::RecalculateFooters() {
    if (!dbnGrid_ || !dbnGridWidget_ || State() != db::dsBrowse)
        return;
    TDBSumListProducer* sums = dbnGrid_->SumList();
    if (!sums || !sums->Active())
        return;
    const db::TBookmark current = Bookmark();
    const bool disable = !InternalEdit;
    if (disable)
        DisableControls();
    try {
        sums->RecalculateSums();
        if (BookmarkValid(current))
            GotoBookmark(current);
    } catch (...) {
        if (disable)
            EnableControls();
        throw;
    }
    if (disable)
        EnableControls();
}

void TKXQuery::RememberOldValues() {
    OldValues.clear();
    for (const db::TField* field : Fields())
        OldValues.append(field->Text());
}

void TKXQuery::ClearCheckOldValues() {
    for (TCheckData& check : checkData_) {
        for (TCheckFieldsData& link : check.Links)
            link.OldValue.clear();
    }
}

void TKXQuery::WriteEditValues() {
    for (const TEditData& value : editData_)
        FieldByName(value.FieldName)->SetAsString(value.Value);
}

void TKXQuery::AppendRecord() {
    if (InternalEdit)
        SuspendColouring();
    try {
        Append();
        ClearCheckOldValues();
        SetBoundGridsEnabled(false);
        if (AutoValuesOnAppend)
            FillAutoValues();
    } catch (...) {
        if (State() == db::dsInsert || State() == db::dsEdit)
            CancelRecord();
        Abort();
    }
}

void TKXQuery::EditRecord() {
    if (InternalEdit)
        SuspendColouring();
    Edit();
    if (!InternalEdit)
        SetBoundGridsEnabled(false);
    RememberOldValues();
    if (NotEdit)
        NotEdit = false;
    else
        WriteEditValues();
    if (!InternalEdit)
        PaintActiveControl();
}

void TKXQuery::CancelRecord() {
    Cancel();
    EnableGridsWhenBrowsing();
    ResumeColouring();
    UpdateFooters();
    InternalEdit = false;
    CacheOnly = false;
    lastAsked_.clear();
}

void TKXQuery::DeleteRecord() {
    Saved = false;
    if (IsEmpty())
        Abort();
    const QString s = TrimmedStatus();
    if (ActiveStatus && !CacheOnly && !InternalEdit) {
        switch (StatusLockOf(s)) {
        case TStatusLock::Free:
            break;
        case TStatusLock::Ended:
            Refuse("状态为：  “ " + s + " ”  " + " 的记录不能删除");
        case TStatusLock::NotEditable:
            Refuse("状态为： “ " + s + " ”  " + " 的记录不能删除");
        }
    }
    if (master_) {
        const QString m = master_->TrimmedStatus();
        const QString text = StatusMsg.isEmpty()
                                 ? "主档纪录状态为： “ " + m + " ”  " + " 的记录不能删除"
                                 : StatusMsg + "的状态是 “ " + m + " ” , 该记录不能删除";
        CheckMasterLock(text, text);
    }
    if (!NoDeleteConfirm && !ShowConfirmMessage(QStringLiteral("请确认是否删除")))
        Abort();
    NoDeleteConfirm = false;
    RememberOldValues();
    QString keyWhere;
    BuildKeyWhere(keyWhere);
    if (!KeyValue.isEmpty())
        oldKeyValue_ = FieldByName(KeyValue)->Text();
    DeleteWithDetails(keyWhere);
    InternalEdit = false;
    CacheOnly = false;
    lastAsked_.clear();
    Saved = true;
}

void TKXQuery::DeleteDetailRows() {
    if (DetailTable.isEmpty())
        return;
    if (detail_)
        detail_->CloseQuery();
    if (KeyValue.isEmpty())
        Refuse(QStringLiteral("没有KeyValue 属性"));
    if (!ExecSqlText(DatabaseName(), "DELETE FROM " + DetailTable + " WHERE " + KeyValue + " = " +
                                         QuotedStr(oldKeyValue_)))
        Refuse(DetailDError + "删除过程发生错误");
}

void TKXQuery::SetVerifyStatus(const QString& statusValue) {
    if (!Active() || IsEmpty())
        return;
    InternalEdit = true;
    const auto finish = [this] {
        if (State() == db::dsEdit || State() == db::dsInsert)
            CancelRecord();
        InternalEdit = false;
    };
    try {
        EditRecord();
        FieldByName(StatusField.isEmpty() ? kStatus : StatusField)->SetAsString(statusValue);
        FieldByName(VerifyNameField.isEmpty() ? QStringLiteral("VERIFY_NAME") : VerifyNameField)
            ->SetAsString(UserName);
        FieldByName(VerifyDateField.isEmpty() ? QStringLiteral("VERIFY_DATE") : VerifyDateField)
            ->SetAsString(Today);
        PostRecord();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// ---- Controls of the window -------------------------------------------------

void TKXQuery::FocusActiveControl() {
    QWidget* window = OwnerWindow();
    if (ActiveControl.isEmpty() || !window)
        return;
    for (QObject* component : WindowComponents(window)) {
        auto* control = qobject_cast<QWidget*>(component);
        if (control && control->objectName() == ActiveControl && ui::Tag(control) != 5) {
            control->setFocus();
            return;
        }
    }
}

void TKXQuery::PaintActiveControl() {
    QWidget* window = OwnerWindow();
    if (ActiveControl.isEmpty() || !window)
        return;
    for (QObject* component : WindowComponents(window)) {
        if (component->objectName() == ActiveControl && PaintFocusColor(component, ColorOnFocus))
            return;
    }
}

void TKXQuery::FocusFieldControl(const QString& fieldName) {
    QWidget* window = OwnerWindow();
    if (!window)
        return;
    for (QObject* component : WindowComponents(window)) {
        const int tag = ui::Tag(component);
        if (tag != 0 && tag != 2 && tag != 500 && tag != 502)
            continue;
        if (IsFieldControl(component, this, fieldName)) {
            static_cast<QWidget*>(component)->setFocus();
            return;
        }
    }
}

} // namespace kx

#include "moc_kxquery.cpp"
