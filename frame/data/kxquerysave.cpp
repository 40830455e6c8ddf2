// The saving half of TKXQuery: checking a row against the field rules and
// the SQL checks, writing it back by the key of the window's update
// statements, deleting by that key, and the automatic values of a new row.

#include "frame/data/kxquery.h"

#include "core/messages.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "frame/data/windowcontrols.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/updatesql.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

const QString kZeros = QStringLiteral("000000000");

bool IsNumericKey(db::TFieldType type) {
    switch (type) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftBoolean:
    case db::ftFloat:
    case db::ftLargeint:
        return true;
    default:
        return false;
    }
}

// A number goes into SQL as it was typed; anything else is quoted, so a
// typed text can never become part of the statement.
QString SqlNumberText(const QString& text) {
    double value = 0;
    return sys::TryStrToFloat(text, value) ? text.trimmed() : QuotedStr(text);
}

bool Editing(const db::TDataSet* dataSet) {
    return dataSet->State() == db::dsInsert || dataSet->State() == db::dsEdit;
}

// Opens a check's SELECT; false (after the prompt) when it cannot be run.
bool OpenCheck(db::TQuery& check, const QString& sql) {
    try {
        check.Close();
        check.SQL().SetText(sql);
        check.Open();
        return true;
    } catch (const std::exception&) {
        ShowPromptMessage(QStringLiteral("数据库操作过程发生错误"));
        return false;
    }
}

// The date part of a counter and its length in the number.
struct TDatePart {
    QString Text;
    int Length = 0;
};

} // namespace

QString SqlDateLiteral(const QString& dateText) {
    QDate date;
    if (!sys::TryStrToDate(dateText.trimmed(), date))
        return QuotedStr(dateText);
    return QuotedStr(date.toString(QStringLiteral("MM/dd/yyyy")));
}

// ---- Saving -------------------------------------------------------------

void TKXQuery::PostRecord() {
    if (!Editing(this))
        Abort();
    Saved = false;
    // Every box hands over its pending text first: a text a field refuses
    // stops the save before anything is checked or written.
    UpdateRecord();
    if (InternalEdit)
        SuspendColouring();
    else if (!ValidateRecord())
        Abort();
    const bool isEdit = State() == db::dsEdit;
    QString keyWhere;
    BuildKeyWhere(keyWhere);
    if (!CachedUpdates() || CacheOnly) {
        Post();
        Saved = true;
    } else if (!tableName_.isEmpty() && !keyWhere.isEmpty()) {
        // The window's before-post handler runs once, before the row is
        // written, and not again when the data set posts it afterwards.
        struct TBeforePostCalled {
            bool& called;
            ~TBeforePostCalled() { called = false; }
        } reset{beforePostCalled_};
        if (SaveBySql(keyWhere, isEdit)) {
            Saved = true;
            Post();
        }
    } else {
        Post();
        ApplyUpdates();
        Saved = true;
    }
    EnableGridsWhenBrowsing();
    ResumeColouring();
    UpdateFooters();
    InternalEdit = false;
    CacheOnly = false;
    lastAsked_.clear();
}

bool TKXQuery::ValidateRecord() {
    for (const TFieldsData& rule : fieldsData_) {
        if (!HasField(rule.FieldName))
            continue;
        db::TField* field = FieldByName(rule.FieldName);
        const QString text = field->Text();
        QString failure;
        if (rule.Required && text.isEmpty() &&
            (!rule.Control || ControlText(rule.Control).isEmpty()))
            failure = rule.DisplayLabel + "必须有一个值";
        double number = 0;
        QDate date;
        if (failure.isEmpty() && rule.TypeCode == u"N" && !text.trimmed().isEmpty() &&
            !sys::TryStrToFloat(text, number))
            failure = rule.DisplayLabel + "是错误的数据";
        if (failure.isEmpty() && rule.TypeCode == u"D" && !text.trimmed().isEmpty()) {
            if (sys::TryStrToDate(text, date))
                field->SetAsString(date.toString(Qt::ISODate));
            else
                failure = rule.DisplayLabel + "是错误的数据";
        }
        if (!failure.isEmpty()) {
            ShowPromptMessage(failure);
            if (rule.Control)
                rule.Control->setFocus();
            else
                FocusFieldControl(rule.FieldName);
            return false;
        }
    }
    if (checkData_.IsEmpty())
        return true;
    db::TQuery check;
    check.SetDatabaseName(DatabaseName());
    check.SetParamCheck(false);
    for (int i = 0; i < checkData_.Count(); ++i) {
        if (!checkData_[i].BaseSelect.trimmed().isEmpty() && !RunCheck(i, check))
            return false;
    }
    return true;
}

bool TKXQuery::RunCheck(int index, db::TQuery& check) {
    const TCheckData& data = checkData_[index];
    bool changed = false;
    QString sql;
    BuildCheckSql(index, changed, sql);
    if (sql.isEmpty() || (data.MustNotExist && !changed))
        return true;
    if (!OpenCheck(check, sql))
        return false;
    bool failing = data.MustNotExist != check.IsEmpty();
    if (failing && data.MustNotExist && !data.NoRenumber && HasAutoValue(data.NumberField)) {
        RenumberField(data.NumberField);
        if (!Editing(this))
            return false;
        BuildCheckSql(index, changed, sql);
        if (!OpenCheck(check, sql))
            return false;
        failing = !check.IsEmpty();
    }
    if (failing) {
        if (!data.AskInstead) {
            if (!data.Message.isEmpty())
                ShowPromptMessage(data.Message);
            FocusCheckControl(data);
            return false;
        }
        if (sql == lastAsked_)
            return true;
        if (!ShowConfirmMessage(data.Message)) {
            lastAsked_.clear();
            FocusCheckControl(data);
            return false;
        }
        lastAsked_ = sql;
        return true;
    }
    if (!data.MustNotExist && !data.CopyFields.isEmpty()) {
        const QStringList names = data.CopyFields.split(u',');
        for (int k = 0; k < names.size() && k < check.FieldCount(); ++k)
            FieldByName(names[k].trimmed())->SetAsString(check.Fields()[k]->Text());
    }
    return true;
}

void TKXQuery::FocusCheckControl(const TCheckData& check) {
    if (check.Control)
        check.Control->setFocus();
    else
        FocusFieldControl(check.NumberField);
}

bool TKXQuery::HasAutoValue(const QString& fieldName) const {
    return std::any_of(insertData_.begin(), insertData_.end(),
                       [&](const TInsertData& entry) { return entry.FieldName == fieldName; });
}

void TKXQuery::BuildCheckSql(int index, bool& changed, QString& sql) const {
    const TCheckData& data = checkData_[index];
    changed = false;
    QStringList terms;
    if (HasField(data.NumberField)) {
        for (const TCheckFieldsData& link : data.Links) {
            if (link.FieldName.isEmpty() || link.ColumnName.isEmpty())
                continue;
            const QString text = FieldByName(link.FieldName)->Text();
            if (text != link.OldValue || State() == db::dsInsert)
                changed = true;
            const bool constant = !link.ConstValue.isEmpty();
            if (!constant && text.isEmpty() && data.SkipWhenEmpty) {
                sql.clear();
                return;
            }
            const QString value = constant ? link.ConstValue : text;
            const QString kind = link.Kind.toUpper();
            if (kind == u"N")
                terms.append(link.ColumnName + "=" + SqlNumberText(value));
            else if (kind == u"C")
                terms.append(link.ColumnName + "=" + QuotedStr(value));
            else if (kind == u"D")
                terms.append(link.ColumnName + "=" + SqlDateLiteral(value));
        }
    }
    sql = data.BaseSelect + terms.join(QStringLiteral(" and ")) + data.ExtraWhere;
}

// ---- The stored row's key ------------------------------------------------

void TKXQuery::CopyUpdateStatements() {
    static const struct {
        db::TUpdateKind kind;
        const char* keyword;
        int kept;
    } statements[] = {{db::ukModify, "update", 7},
                      {db::ukInsert, "insert into", 12},
                      {db::ukDelete, "delete from", 12}};
    for (const auto& statement : statements) {
        QStringList lines = UpdateObject()->SQL(statement.kind).Lines();
        if (UpDateTable) {
            for (QString& line : lines) {
                if (line.contains(QLatin1String(statement.keyword))) {
                    line = line.left(statement.kept) + tableName_ + u' ';
                    break;
                }
            }
        }
        liveUpdate_->SQL(statement.kind).SetLines(lines);
    }
}

void TKXQuery::BuildKeyWhere(QString& keyWhere) {
    keyWhere.clear();
    if (!UpdateObject())
        return;
    CopyUpdateStatements();
    QString modify;
    for (const QString& line : liveUpdate_->ModifySQL().Lines())
        modify += u' ' + line;
    modify = modify.toUpper();
    if (modify.isEmpty())
        return;
    const qsizetype set = modify.indexOf(QLatin1String(" SET "));
    const qsizetype where = set < 0 ? -1 : modify.indexOf(QLatin1String(" WHERE "), set);
    if (where < 0)
        return;
    keySelect_ = QStringLiteral("SELECT * FROM ");
    QString rest = modify.mid(where + 7);
    QStringList terms;
    while (rest.contains(u'=')) {
        const qsizetype equals = rest.indexOf(u'=');
        terms.append(rest.left(equals + 1) + KeyTerm(rest.left(equals).trimmed()));
        qsizetype next = rest.indexOf(QLatin1String(" AND "), equals);
        qsizetype skip = 5;
        if (next < 0) {
            next = rest.indexOf(QLatin1String(" OR "), equals);
            skip = 4;
        }
        if (next < 0)
            break;
        rest = rest.mid(next + skip);
    }
    keyWhere = terms.join(QStringLiteral(" AND "));
}

// The value a key column is compared with: the field's text when editing
// began, else its current text.
QString TKXQuery::KeyTerm(const QString& name) const {
    const db::TField* field = FieldByName(name);
    const int index = field->Index();
    const bool old = State() != db::dsInsert && index < OldValues.size();
    const QString text = old ? OldValues[index] : field->Text();
    if (IsNumericKey(field->DataType()))
        return SqlNumberText(text);
    if (field->DataType() == db::ftDate)
        return SqlDateLiteral(text);
    return QuotedStr(text);
}

bool TKXQuery::SaveBySql(const QString& keyWhere, bool isEdit) {
    if (windowBeforePost_)
        windowBeforePost_(this);
    beforePostCalled_ = true;
    try {
        liveQuery_->Close();
        liveQuery_->SetDatabaseName(DatabaseName());
        liveQuery_->SQL().SetText(keySelect_ + tableName_ + "  WHERE " + keyWhere);
        liveQuery_->Open();
        if (!liveQuery_->IsEmpty()) {
            liveQuery_->Edit();
        } else if (isEdit && !ReinsertMissing) {
            liveQuery_->Close();
            if (InternalEdit)
                CancelRecord();
            ShowPromptMessage(QStringLiteral("该记录已被其它用户删除或在其它窗口被删除"));
            return false;
        } else {
            liveQuery_->Append();
            ReinsertMissing = false;
        }
        for (const db::TField* field : Fields()) {
            if (db::TField* stored = liveQuery_->FindField(field->FieldName()))
                stored->SetValue(field->Value());
        }
        liveQuery_->Post();
        liveQuery_->ApplyUpdates();
        liveQuery_->Close();
        if (isEdit)
            return true;
        liveQuery_->Open();
        const bool found = !liveQuery_->IsEmpty();
        liveQuery_->Close();
        if (!found)
            ShowPromptMessage(QStringLiteral(
                "数据保存过程发生错误,可能数据库索引已损坏，请先修复损坏的数据库索引"));
        return found;
    } catch (const std::exception&) {
        ShowPromptMessage(QStringLiteral("数据保存过程发生错误"));
        const bool pending = Editing(liveQuery_);
        if (pending)
            liveQuery_->Cancel();
        liveQuery_->Close();
        if (pending)
            Abort();
        return false;
    }
}

void TKXQuery::DeleteBySql(const QString& keyWhere) {
    try {
        liveQuery_->Close();
        liveQuery_->SetDatabaseName(DatabaseName());
        liveQuery_->SQL().SetText("DELETE FROM " + tableName_ + "  WHERE " + keyWhere);
        liveQuery_->ExecSQL();
    } catch (const std::exception&) {
        ShowPromptMessage(QStringLiteral("数据删除过程发生错误"));
        Abort();
    }
}

// The row leaves the list first, so the window's BeforeDelete still sees its
// detail rows and its stored copy; then the detail rows and the stored row
// are deleted. One transaction holds all of it: when any step fails, the
// database keeps everything and the list is read again from it, back on the
// row the user tried to delete, so it shows exactly what is stored.
void TKXQuery::DeleteWithDetails(const QString& keyWhere) {
    db::TDatabase* database = Database();
    const bool ownTransaction = !database->InTransaction();
    const bool cached = CachedUpdates() && !CacheOnly;
    const bool byKey = cached && !tableName_.isEmpty() && !keyWhere.isEmpty();
    const int recNo = RecNo();
    const int rowsBefore = RecordCount();
    if (ownTransaction)
        database->StartTransaction();
    try {
        Delete();
        DeleteDetailRows();
        if (byKey)
            DeleteBySql(keyWhere);
        else if (cached)
            ApplyUpdates();
        if (ownTransaction)
            database->Commit();
    } catch (...) {
        if (ownTransaction)
            database->Rollback();
        if (RecordCount() != rowsBefore) {
            ReopenAt(recNo);
            CancelRecord();
        } else {
            RecalculateFooters();
        }
        throw;
    }
    if (byKey)
        CancelRecord();
}

void TKXQuery::ReopenAt(int recNo) {
    CloseQuery();
    OpenQuery();
    if (!IsEmpty())
        SetRecNo(std::min(recNo, RecordCount()));
}

// ---- Automatic values ----------------------------------------------------

bool TKXQuery::FillAutoValues() {
    for (int i = 0; i < insertData_.Count(); ++i) {
        if (!GenerateFieldValue(i, false)) {
            ShowErrorMessage(QStringLiteral("数据插入错误"));
            return false;
        }
    }
    return true;
}

bool TKXQuery::RenumberField(const QString& fieldName) {
    for (int i = 0; i < insertData_.Count(); ++i) {
        if (insertData_[i].FieldName == fieldName && GenerateFieldValue(i, true))
            return true;
    }
    return false;
}

bool TKXQuery::RefuseAutoValue(const QString& message) {
    ShowPromptMessage(message);
    CancelRecord();
    return false;
}

bool TKXQuery::GenerateFieldValue(int index, bool numberingOnly) {
    const TInsertData entry = insertData_[index];
    const QString kind = entry.Kind.toUpper();
    const QString emptyValue = entry.DisplayLabel + "字段需插入的值是空的";
    if (kind == u"T") {
        FieldByName(entry.FieldName)
            ->SetAsString(entry.Prefix +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyMMddHHmmss")));
        return true;
    }
    if (kind == u"A" || kind == u"L" || kind == u"B") {
        if (numberingOnly)
            return true;
        if (kind != u"B" && entry.Value.isEmpty())
            return RefuseAutoValue(emptyValue);
        db::TField* field = FieldByName(entry.FieldName);
        if (kind == u"A")
            field->SetAsString(entry.Value);
        else if (kind == u"L")
            field->SetAsBoolean(entry.Value == QStringLiteral("是"));
        else
            field->SetAsString(entry.Source ? entry.Source->FieldByName(entry.Value)->Text()
                                            : QString());
        return true;
    }
    if (kind != u"C" && kind != u"Y" && kind != u"M" && kind != u"D")
        return true;
    if (!HasField(entry.FieldName))
        return true;
    if (tableName_.trimmed().isEmpty()) {
        ShowPromptMessage(objectName() + "必须有一个表名");
        return false;
    }
    if (kind == u"D" && DayPrefix.trimmed().isEmpty()) {
        ShowPromptMessage(QStringLiteral("没有Day值"));
        return false;
    }
    const QString largest = GetSqlFirstValue(DatabaseName(), CounterSelect(entry));
    QString counter;
    if (kind == u"C" && entry.Width == 0) {
        counter = sys::SqlNumber(MoneyTextToFloat2(largest) + 1);
    } else {
        const int datePart = kind == u"C" ? 0 : kind == u"Y" ? 4 : kind == u"M" ? 6 : 8;
        const int width = entry.Width - datePart;
        if (width <= 0)
            return RefuseAutoValue(emptyValue);
        const qint64 next = std::llround(MoneyTextToFloat2((largest + kZeros).left(width))) + 1;
        const QString digits = QString::number(next);
        // A counter that no longer fits its width would start again at the
        // lowest number and repeat itself; the add is refused instead.
        if (digits.size() > width)
            return RefuseAutoValue(entry.DisplayLabel + "字段的编号已用完,不能增加新的记录");
        counter = (kZeros + digits).right(width);
    }
    const QString datePart = kind == u"Y"   ? YearMonthPrefix.left(4)
                             : kind == u"M" ? YearMonthPrefix
                             : kind == u"D" ? DayPrefix
                                            : QString();
    FieldByName(entry.FieldName)->SetAsString(entry.Prefix + datePart + counter);
    return true;
}

QString TKXQuery::CounterSelect(const TInsertData& entry) const {
    const QString& f = entry.FieldName;
    const int prefixLength = static_cast<int>(entry.Prefix.size());
    const QString prefixTerm =
        QStringLiteral("SubString(%1 FROM 1 FOR %2) = ").arg(f).arg(prefixLength) +
        QuotedStr(entry.Prefix);
    const QString kind = entry.Kind.toUpper();
    QString sql;
    if (kind == u"C" && entry.Width == 0) {
        sql = "SELECT MAX(" + f + ") From " + tableName_;
    } else if (kind == u"C") {
        sql = QStringLiteral("SELECT MAX(SubString(%1 FROM %2 FOR %3)) From %4")
                  .arg(f)
                  .arg(prefixLength + 1)
                  .arg(entry.Width)
                  .arg(tableName_);
        if (prefixLength > 0)
            sql += " WHERE " + prefixTerm;
    } else {
        const TDatePart date = kind == u"Y"   ? TDatePart{YearMonthPrefix.left(4), 4}
                               : kind == u"M" ? TDatePart{YearMonthPrefix, 6}
                                              : TDatePart{DayPrefix, 8};
        const QString dateLength =
            kind == u"M" && prefixLength == 0 ? QStringLiteral("6 ") : QString::number(date.Length);
        sql = QStringLiteral("SELECT MAX(SubString(%1 FROM %2 FOR %3)) From %4 WHERE "
                             "SubString(%1 FROM %5 FOR %6)= ")
                  .arg(f)
                  .arg(prefixLength + date.Length + 1)
                  .arg(entry.Width)
                  .arg(tableName_)
                  .arg(prefixLength + 1)
                  .arg(dateLength) +
              QuotedStr(date.Text);
        if (prefixLength > 0)
            sql += " AND  " + prefixTerm;
    }
    if (!entry.ExtraWhere.isEmpty())
        sql += (sql.contains(QLatin1String("WHERE")) ? " AND " : " WHERE ") + entry.ExtraWhere;
    return sql;
}

} // namespace kx
