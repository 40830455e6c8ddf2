#include "tests/cashbook/entryformfixture.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/selectmoneytypeform.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxformevents.h"
#include "frame/data/kxquery.h"
#include "platform/db/fieldtypes.h"
#include "platform/db/updatesql.h"

#include <QLineEdit>

namespace kx::test {
namespace {

struct TColumn {
    const char* Name;
    char Type; // S text, D date, F number
    int Size;
};

// KX_INTO_OUT_MONEY_TABLE as the list's query holds it.
const TColumn kColumns[] = {
    {"MONEY_RECORD_ID", 'S', 16},
    {"MONEY_ID", 'S', 16},
    {"MONEY_TYPE_ID", 'S', 16},
    {"MONEY_ACCOUNT_ID", 'S', 16},
    {"MONEY_DATE", 'D', 0},
    {"MONEY_INTO_NUMBER", 'F', 0},
    {"MONEY_OUT_NUMBER", 'F', 0},
    {"MONEY_DEPT_NAME", 'S', 20},
    {"MONEY_EMPLOYEE_NAME", 'S', 20},
    {"MONEY_DATE_FIELD1", 'D', 0},
    {"MONEY_DATE_FIELD2", 'D', 0},
    {"MONEY_TEXT_FIELD1", 'S', 50},
    {"MONEY_TEXT_FIELD2", 'S', 50},
    {"MONEY_TEXT_FIELD3", 'S', 50},
    {"MONEY_TEXT_FIELD4", 'S', 50},
    {"MONEY_TEXT_FIELD5", 'S', 50},
    {"MONEY_TEXT_FIELD6", 'S', 160},
    {"MONEY_TEXT_FIELD7", 'S', 160},
    {"MONEY_TEXT_NOTE", 'S', 160},
    {"MONEY_NUMBER_FIELD1", 'F', 0},
    {"MONEY_NUMBER_FIELD2", 'F', 0},
    {"MONEY_NUMBER_FIELD3", 'F', 0},
    {"STATUS", 'S', 10},
    {"VERIFY_NAME", 'S', 20},
    {"VERIFY_DATE", 'D', 0},
    {"EDIT_NAME", 'S', 20},
    {"CREATE_NAME", 'S', 20},
    {"EDIT_DATE", 'D', 0},
    {"CREATE_DATE", 'D', 0},
};

db::TField* NewField(QObject* owner, char type) {
    switch (type) {
    case 'D':
        return new db::TDateField(owner);
    case 'F':
        return new db::TFloatField(owner);
    default:
        return new db::TStringField(owner);
    }
}

void AddLookup(QObject* owner, TKXQuery* list, const QString& name, const QString& key,
               const QString& table) {
    auto* names = new db::TQuery(owner);
    names->SetDatabaseName(kDatabaseName);
    names->SQL().SetText("SELECT " + key + "," + name + " FROM " + table);
    names->Open();
    auto* field = new db::TStringField(owner);
    field->SetFieldName(name);
    field->SetFieldKind(db::fkLookup);
    field->SetSize(50);
    field->SetLookupDataSet(names);
    field->SetKeyFields(key);
    field->SetLookupKeyFields(key);
    field->SetLookupResultField(name);
    field->SetDataSet(list);
}

QStringList Assignments(const QStringList& columns) {
    QStringList lines;
    for (const QString& column : columns)
        lines.append("  " + column + " = :" + column + (column == columns.last() ? "" : ","));
    return lines;
}

const QStringList kKeyWhere = {"where", "  MONEY_RECORD_ID = :OLD_MONEY_RECORD_ID and",
                               "  MONEY_ID = :OLD_MONEY_ID and",
                               "  MONEY_TYPE_ID = :OLD_MONEY_TYPE_ID"};

} // namespace

EntryFormTest::EntryFormTest() {
    AppNumberingMode = 1;
    AppUserId = "0001";
    Exec({"INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, MONEY_TYPE_NAME, "
          "ORDER_ID) VALUES ('001', 'G001', '收入', 1), ('001001', '001', '销售', 1), "
          "('001002', '001', '利息', 2), ('002', 'G001', '支出', 2), ('002001', '002', '工资', 1)",
          "INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, MONEY_ACCOUNT_NAME, "
          "ORDER_ID) VALUES ('001', 'G001', '现金', 1), ('002', 'G001', '工商银行', 2)"});
    cashbook::SeedDefaultFieldSlots(cashbook::TSlotCaptions::List);

    slots_ = new TKXQuery(&owner_);
    slots_->SetDatabaseName(kDatabaseName);
    slots_->SQL().SetText("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER");
    slots_->OpenQuery();

    list_ = new TKXQuery(&owner_);
    list_->setObjectName("Query");
    list_->SetDatabaseName(kDatabaseName);
    list_->SetCachedUpdates(true);
    list_->SetTableName("KX_INTO_OUT_MONEY_TABLE");
    list_->SQL().SetText("SELECT * FROM KX_INTO_OUT_MONEY_TABLE  ORDER BY MONEY_DATE,MONEY_ID");
    QStringList columns;
    for (const TColumn& column : kColumns) {
        db::TField* field = NewField(&owner_, column.Type);
        field->SetFieldName(column.Name);
        if (column.Size > 0)
            field->SetSize(column.Size);
        field->SetDataSet(list_);
        columns.append(column.Name);
    }
    AddLookup(&owner_, list_, "MONEY_ACCOUNT_NAME", "MONEY_ACCOUNT_ID", "KX_MONEY_ACCOUNT_TABLE");
    AddLookup(&owner_, list_, "MONEY_TYPE_NAME", "MONEY_TYPE_ID", "KX_MONEY_INTO_OUT_TYPE_TABLE");

    update_ = new db::TUpdateSQL(&owner_);
    QStringList parameters;
    for (const QString& column : columns)
        parameters.append(':' + column);
    update_->InsertSQL().SetLines({"insert into KX_INTO_OUT_MONEY_TABLE",
                                   "  (" + columns.join(", ") + ")", "values",
                                   "  (" + parameters.join(", ") + ")"});
    update_->ModifySQL().SetLines(QStringList{"update KX_INTO_OUT_MONEY_TABLE", "set"} +
                                  Assignments(columns) + kKeyWhere);
    update_->DeleteSQL().SetLines(QStringList{"delete from KX_INTO_OUT_MONEY_TABLE"} + kKeyWhere);
    statusUpdate_ = new db::TUpdateSQL(&owner_);
    statusUpdate_->ModifySQL().SetLines(QStringList{"update KX_INTO_OUT_MONEY_TABLE", "set"} +
                                        Assignments({"MONEY_RECORD_ID", "MONEY_ID", "MONEY_TYPE_ID",
                                                     "STATUS", "VERIFY_NAME", "VERIFY_DATE"}) +
                                        kKeyWhere);
    list_->SetUpdateObject(update_);

    TFieldsDataArray rules;
    TSortChoices sort;
    rules.SetLength(38);
    BuildListColumns(ReadFieldSlots(*slots_), false, rules, printFields_, sort);
    list_->SetFieldsData(rules);
    list_->ActiveStatus = true;
    list_->SetStatusEditValue("未审核");
    list_->YearMonthPrefix = "200703";
    list_->UserName = AppUserName;
    list_->Today = AppToday;
    list_->SetEditData({{"EDIT_NAME", "", AppUserName}, {"EDIT_DATE", "", AppToday}});
    subjectPicker_ = std::make_unique<TSelectMoneyTypeForm>();
}

EntryFormTest::~EntryFormTest() {
    form_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void EntryFormTest::OpenList() {
    list_->CloseQuery();
    list_->OpenQuery();
}

cashbook::TEditIntoOutMoneyForm* EntryFormTest::ShowEditor(bool adding, const QString& subjectId,
                                                           const QString& subjectName) {
    if (!list_->Active())
        OpenList();
    form_.reset(TKXFormEvents::Create<cashbook::TEditIntoOutMoneyForm>(nullptr));
    form_->ListQuery = list_;
    form_->Rights.Add = true;
    form_->Rights.Verify = true;
    form_->Rights.Print = true;
    form_->PrintFields = printFields_;
    form_->FieldQuery = slots_;
    form_->SubjectPicker = subjectPicker_.get();
    form_->SubjectId = subjectId;
    form_->SubjectName = subjectName;
    form_->AutoRecordNumber = autoRecordNumber_;
    form_->ListUpdateSQL = update_;
    form_->StatusUpdateSQL = statusUpdate_;
    form_->OpenAdding = adding;
    EXPECT_TRUE(ShowActive(*form_));
    return form_.get();
}

void EntryFormTest::ChooseInNextModal(std::function<void(QWidget*)> action) {
    OnNextModal([action](QWidget* dialog) {
        action(dialog);
        if (auto* modal = qobject_cast<QDialog*>(dialog); modal && modal->isVisible())
            modal->accept();
    });
}

void EntryFormTest::PickSubjectNext(const QString& id, const QString& name) {
    ChooseInNextModal([id, name](QWidget* dialog) {
        auto* picker = qobject_cast<TSelectMoneyTypeForm*>(dialog);
        ASSERT_NE(picker, nullptr);
        picker->SelectedID = id;
        picker->SelectedName = name;
    });
}

void EntryFormTest::AddRecord(const QString& recordId, const QString& moneyId,
                              const QString& subjectId, const QString& status,
                              const QString& accountId) {
    Exec({QString("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                  "MONEY_TYPE_ID, MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, "
                  "MONEY_OUT_NUMBER, STATUS) VALUES (%1, %2, %3, %4, '2007-03-02', 100, 40, %5)")
              .arg(QuotedStr(recordId), QuotedStr(moneyId), QuotedStr(subjectId),
                   QuotedStr(accountId), QuotedStr(status))});
}

QString EntryFormTest::Value(const QString& sql) {
    return GetSqlFirstValue(kDatabaseName, sql);
}

QString EntryFormTest::Everything() {
    return Value("SELECT group_concat(r, ';') FROM (SELECT MONEY_RECORD_ID||'/'||MONEY_ID||'/'||"
                 "MONEY_TYPE_ID||'/'||ifnull(MONEY_ACCOUNT_ID,'')||'/'||ifnull(MONEY_DATE,'')||"
                 "'/'||ifnull(MONEY_INTO_NUMBER,'')||'/'||STATUS||'/'||ifnull(VERIFY_NAME,'') "
                 "AS r FROM KX_INTO_OUT_MONEY_TABLE UNION ALL SELECT MONEY_MONTH||'/'||"
                 "MONEY_ACCOUNT_ID||'/'||TODAY_MONTH_MONEY FROM KX_MONEY_MONTH_TABLE UNION ALL "
                 "SELECT MONEY_DAY_DATE||'/'||MONEY_ACCOUNT_ID||'/'||TODAY_DAY_MONEY FROM "
                 "KX_MONEY_DAY_TABLE)");
}

void EntryFormTest::Type(const QString& controlName, const QString& text) {
    QWidget* control = form_->FieldControl(controlName);
    ASSERT_NE(control, nullptr) << controlName.toStdString();
    FocusOn(control);
    qobject_cast<QLineEdit*>(control)->selectAll();
    QTest::keyClick(control, Qt::Key_Delete);
    TypeText(control, text);
}

void EntryFormTest::Press(Qt::Key key) {
    PressKey(form_.get(), key);
}

} // namespace kx::test
