#include "frame/admin/userform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/admin/userformrules.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/controls/kxpagecontrol.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findsimpleformdialog.h"
#include "frame/dialogs/runquerywithbusywindow.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/params.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/canvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kx {
namespace {

TUserListPrint& UserListPrint() {
    static TUserListPrint print;
    return print;
}

const QString kYes = QStringLiteral("是");
const QString kSelectUsers = QStringLiteral("SELECT * FROM SYS_USER_TABLE ");
const QString kOrderByUserId = QStringLiteral(" ORDER BY USE_ID");
const QStringList kColumns = {"USE_ID", "USE_NAME",    "USE_PASSWORD", "SYS_USER",  "STOP_RIGHT",
                              "NOTE",   "CREATE_NAME", "CREATE_DATE",  "EDIT_NAME", "EDIT_DATE"};
// Rows of the system user: light green with black text, green text when
// selected ($D6FFC8 and $40FF00 in blue-green-red order).
constexpr ui::TColor kSystemUserColor = 0xD6FFC8;
constexpr ui::TColor kSystemUserSelectedText = 0x40FF00;

// User ids are kept in upper case, whatever is typed.
class TUpperCaseDBEdit : public TKXDBEdit {
public:
    using TKXDBEdit::TKXDBEdit;

protected:
    void KeyPress(QChar& key) override {
        key = key.toUpper();
        TKXDBEdit::KeyPress(key);
    }
};

void WriteUpdateStatements(db::TUpdateSQL* update) {
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : kColumns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == kColumns.last() ? "" : ","));
    }
    const QString where = QStringLiteral("where USE_ID = :OLD_USE_ID");
    update->InsertSQL().SetLines({"insert into SYS_USER_TABLE", "(" + kColumns.join(", ") + ")",
                                  "values", "(" + parameters.join(", ") + ")"});
    update->ModifySQL().SetLines(QStringList{"update SYS_USER_TABLE", "set"} + assignments +
                                 QStringList{where});
    update->DeleteSQL().SetLines({"delete from SYS_USER_TABLE", where});
}

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A number column read back as the id text the rights rows are keyed by.
QString IdText(const db::TField* field) {
    return QString::number(qRound64(field->AsFloat()));
}

constexpr int kIdRole = Qt::UserRole;
constexpr int kAllowedRole = Qt::UserRole + 1;

} // namespace

TUserForm::TUserForm(QWidget* owner)
    : TKXDForm(owner), SYS_COMPOSE_TABLEQuery(new db::TQuery(this)),
      SYS_PROGRAM_TABLEQuery(new db::TQuery(this)), DSCompose(new db::TDataSource(this)),
      DSProgram(new db::TDataSource(this)), FindSimpleFormDialog(new TFindSimpleFormDialog(this)),
      PageControl1(new TKXPageControl(Panel1)) {
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("用户管理"));
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(625, 353);
    SYS_COMPOSE_TABLEQuery->setObjectName(QStringLiteral("SYS_COMPOSE_TABLEQuery"));
    SYS_COMPOSE_TABLEQuery->SetDatabaseName(kDatabaseName);
    SYS_COMPOSE_TABLEQuery->SQL().SetText(QStringLiteral("SELECT  *  FROM  SYS_COMPOSE_TABLE"));
    SYS_PROGRAM_TABLEQuery->setObjectName(QStringLiteral("SYS_PROGRAM_TABLEQuery"));
    SYS_PROGRAM_TABLEQuery->SetDatabaseName(kDatabaseName);
    SYS_PROGRAM_TABLEQuery->SQL().SetText(
        QStringLiteral("SELECT  *  FROM  SYS_PROGRAM_TABLE   WHERE COMPOSE_ID = :COMPOSE_ID"));
    DSCompose->SetDataSet(SYS_COMPOSE_TABLEQuery);
    DSProgram->SetDataSet(SYS_PROGRAM_TABLEQuery);
    FindSimpleFormDialog->Caption = QStringLiteral("用户");

    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->SetDataSource(1, DS);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);
    TabSheetUsers = BuildUsersPage();
    TabSheetRights = BuildRightsPage();
    PageControl1->addTab(TabSheetUsers, QStringLiteral("用户列表"));
    PageControl1->addTab(TabSheetRights, QStringLiteral("用户权限"));

    Query->SetDBNGride(DBGrid1);
    Query->SetKXDS(DS);
    WriteUpdateStatements(UpdateSQL1);
    button_print->setVisible(bool(UserListPrint()));
    SetOnClick(button_print, [this](QObject*) {
        if (UserListPrint())
            UserListPrint()(*this);
    });
    SetOnClick(button_find, [this](QObject* sender) { button_findClick(sender); });
}

QWidget* TUserForm::BuildUsersPage() {
    auto* page = new QWidget;
    EditUseId = new TUpperCaseDBEdit(page);
    EditUseName = new TKXDBEdit(page);
    ComboStopRight = new TKXDBComboBox(page);
    EditNote = new TKXDBEdit(page);
    DBGrid1 = new TKXNDBGrid(page);
    const struct {
        QWidget* control;
        const char* name;
        const char* field;
        const char* caption;
        int row;
        int column;
    } controls[] = {
        {EditUseId, "EditUseId", "USE_ID", "用户编号", 0, 0},
        {EditUseName, "EditUseName", "USE_NAME", "用户姓名", 0, 2},
        {ComboStopRight, "ComboStopRight", "STOP_RIGHT", "用户状态", 1, 0},
        {EditNote, "EditNote", "NOTE", "备注", 1, 2},
    };
    auto* fields = new QGridLayout;
    for (const auto& entry : controls) {
        entry.control->setObjectName(QString::fromLatin1(entry.name));
        fields->addWidget(Caption(QString::fromUtf8(entry.caption), page), entry.row, entry.column);
        fields->addWidget(entry.control, entry.row, entry.column + 1);
    }
    for (TKXDBEdit* edit : {EditUseId, EditUseName, EditNote}) {
        edit->SetDataSource(DS);
        edit->SetDataField(edit == EditUseId     ? QStringLiteral("USE_ID")
                           : edit == EditUseName ? QStringLiteral("USE_NAME")
                                                 : QStringLiteral("NOTE"));
    }
    ComboStopRight->SetStyle(csDropDownList);
    ComboStopRight->SetDataSource(DS);
    ComboStopRight->SetDataField(QStringLiteral("STOP_RIGHT"));
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->SetDataSource(DS);
    DBGrid1->OnApplyCellAttr = [](TKXNDBGrid*, db::TField* field, ui::TCanvas& canvas,
                                  TGridDrawState state) {
        if (!field || field->DataSet()->FieldByName(QStringLiteral("SYS_USER"))->AsString() != kYes)
            return;
        if (state & gdSelected) {
            canvas.SetFontColor(kSystemUserSelectedText);
            return;
        }
        canvas.SetBrushColor(kSystemUserColor);
        canvas.SetFontColor(ui::clBlack);
    };
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addWidget(DBGrid1, 1);
    return page;
}

QWidget* TUserForm::BuildRightsPage() {
    auto* page = new QWidget;
    KXDBListBoxUser = new QListWidget(page);
    KXDBListBoxUser->setObjectName(QStringLiteral("KXDBListBoxUser"));
    KXDBComboBoxCompose = new QComboBox(page);
    KXDBComboBoxCompose->setObjectName(QStringLiteral("KXDBComboBoxCompose"));
    KXDBListBoxProgram = new QListWidget(page);
    KXDBListBoxProgram->setObjectName(QStringLiteral("KXDBListBoxProgram"));
    PanelRights = new QFrame(page);
    PanelRights->setObjectName(QStringLiteral("PanelRights"));
    ButtonSelectAll = new QPushButton(QStringLiteral("全选"), PanelRights);
    ButtonInvert = new QPushButton(QStringLiteral("反选"), PanelRights);
    GroupBoxRights = new QGroupBox(QStringLiteral("权限"), PanelRights);
    CB1 = new QCheckBox(QStringLiteral(" 编辑"), GroupBoxRights);
    CB2 = new QCheckBox(QStringLiteral(" 浏览"), GroupBoxRights);
    CB3 = new QCheckBox(QStringLiteral(" 打印"), GroupBoxRights);
    CB4 = new QCheckBox(QStringLiteral(" 审核"), GroupBoxRights);
    auto* boxes = new QVBoxLayout(GroupBoxRights);
    const std::array<QCheckBox*, TUserRightsBoxes::kBoxCount> checks = {CB1, CB2, CB3, CB4};
    for (int box = 0; box < TUserRightsBoxes::kBoxCount; ++box) {
        checks[box]->setObjectName(QStringLiteral("CB%1").arg(box + 1));
        boxes->addWidget(checks[box]);
        connect(checks[box], &QCheckBox::clicked, this, [this, box](bool ticked) {
            ui::Guard([&] { BoxClicked(TUserRightsBoxes::TBox(box), ticked); })();
        });
    }
    auto* panel = new QVBoxLayout(PanelRights);
    panel->addWidget(ButtonSelectAll);
    panel->addWidget(ButtonInvert);
    panel->addWidget(GroupBoxRights);
    panel->addStretch();
    PanelRights->setEnabled(false);

    auto* users = new QVBoxLayout;
    users->addWidget(new QLabel(QStringLiteral("用户"), page));
    users->addWidget(KXDBListBoxUser);
    auto* programs = new QVBoxLayout;
    programs->addWidget(new QLabel(QStringLiteral("程序组"), page));
    programs->addWidget(KXDBComboBoxCompose);
    programs->addWidget(new QLabel(QStringLiteral("程序"), page));
    programs->addWidget(KXDBListBoxProgram);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(users, 1);
    layout->addLayout(programs, 2);
    layout->addWidget(PanelRights);

    RightsBoxes.GetRight = [this](int right) {
        QString value;
        KXChild->GetRight(rememberedUser_, rememberedCompose_, rememberedProgram_, right, value);
        return value;
    };
    RightsBoxes.SetRight = [this](int right, const QString& value) {
        KXChild->SetRight(rememberedUser_, rememberedCompose_, rememberedProgram_, right, value);
    };
    RightsBoxes.Prompt = [](const QString& text) { ShowPromptMessage(text); };
    connect(KXDBListBoxUser, &QListWidget::itemClicked, this, ui::Guard([this] {
                userClicked_ = true;
                CheckSelection();
            }));
    connect(KXDBListBoxProgram, &QListWidget::itemClicked, this, ui::Guard([this] {
                programClicked_ = true;
                CheckSelection();
            }));
    connect(KXDBComboBoxCompose, &QComboBox::activated, this,
            [this](int index) { ui::Guard([&] { ComposeChosen(index); })(); });
    connect(ButtonSelectAll, &QPushButton::clicked, this, ui::Guard([this] {
                RightsBoxes.SelectAll();
                ShowBoxes();
            }));
    connect(ButtonInvert, &QPushButton::clicked, this, ui::Guard([this] {
                RightsBoxes.Invert();
                ShowBoxes();
            }));
    return page;
}

void TUserForm::FormCreate() {
    TKXDForm::FormCreate();
    FieldsData = UserFieldsData();
    CheckData = UserCheckData();
    Query->SetFieldsData(FieldsData);
    Query->SetCheckData(CheckData);
    Query->SetTableName(QStringLiteral("SYS_USER_TABLE"));
    // The user's rights rows go in the same transaction as the user.
    Query->KeyValue = QStringLiteral("USE_ID");
    Query->DetailTable = QStringLiteral("SYS_RIGHT_TABLE");
    Query->DetailDError = QStringLiteral("用户权限");
    Query->ActiveControl = EditUseId->objectName();
    DBGrid1->DataBaseName = kDatabaseName;
    DBGrid1->UserID = AppUserId;
    DBGrid1->SetFieldsData(FieldsData);
    FindSimpleFormDialog->SetFieldsData(FieldsData);
    ComboStopRight->addItems({QStringLiteral("有效"), QStringLiteral("停用")});
    // The trimmed texts are what a user is saved under.
    Query->BeforePost = [this](db::TDataSet*) { TrimUserNames(); };
    DS->OnStateChange = [this](db::TDataSource*) {
        KXChild->Options = Query->State() == db::dsBrowse ? (moEnter | moUpDn) : moEnter;
    };
    SelectText = QStringLiteral("SELECT * FROM SYS_USER_TABLE WHERE ");
    OrderByText = kOrderByUserId;
    Query->SQL().SetText(kSelectUsers + kOrderByUserId);
    Query->OpenQuery();
    SYS_COMPOSE_TABLEQuery->Open();
    PageControl1->HookChanging();
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { ui::Guard([&] { PageChanged(index); })(); });
    PageControl1->setCurrentWidget(TabSheetUsers);
}

void TUserForm::FormShow() {
    TKXDForm::FormShow();
    FindSimpleFormDialog->ColorOnFocus = AppFocusColor;
    FindSimpleFormDialog->ColorNotOnFocus = AppEditColor;
    FindSimpleFormDialog->Color = AppEditColor;
    Rights.Add = Rights.Edit = Rights.Delete = Rights.Browse = Rights.Print = true;
    DS->RightAdd = DS->RightEdit = DS->RightDelete = DS->RightPrint = true;
    DS->ApplyRights();
    for (QToolButton* button : {button_add, button_edit, button_delete, button_print})
        button->setEnabled(true);
    Query->SetInsertData(UserInsertData(AppUserName, AppToday));
    Query->SetEditData(UserEditData(AppUserName, AppToday));
    KXDBComboBoxCompose->clear();
    for (SYS_COMPOSE_TABLEQuery->First(); !SYS_COMPOSE_TABLEQuery->Eof();
         SYS_COMPOSE_TABLEQuery->Next())
        KXDBComboBoxCompose->addItem(
            SYS_COMPOSE_TABLEQuery->FieldByName(QStringLiteral("COMPOSE_NAME"))->AsString(),
            IdText(SYS_COMPOSE_TABLEQuery->FieldByName(QStringLiteral("COMPOSE_ID"))));
    KXDBComboBoxCompose->setCurrentIndex(-1);
    FillUserList();
}

void TUserForm::FormClose(TCloseAction& action) {
    TKXDForm::FormClose(action);
    // Layout rows of users that are gone serve no one; a failure leaves
    // them for the next time.
    for (const QString& sql : LayoutCleanupStatements())
        ExecSqlText(kDatabaseName, sql);
}

void TUserForm::PageChanged(int index) {
    const bool users = PageControl1->widget(index) == TabSheetUsers;
    button_add->setEnabled(users && Rights.Add);
    button_edit->setEnabled(users && Rights.Add);
    button_delete->setEnabled(users && Rights.Add);
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);
    button_find->setEnabled(users);
    button_print->setEnabled(users && Rights.Print);
    if (!users)
        FillUserList();
}

void TUserForm::button_addClick(QObject* sender) {
    TKXDForm::button_addClick(sender);
    newUser_ = true;
}

void TUserForm::button_editClick(QObject* sender) {
    TKXDForm::button_editClick(sender);
    EditUseId->SetReadOnly(true);
    EditUseId->SetColor(AppBrowseColor);
}

void TUserForm::button_deleteClick(QObject* sender) {
    if (Query->IsEmpty())
        return;
    const QString refusal =
        DeleteUserRefusal(Query->FieldByName(QStringLiteral("SYS_USER"))->AsString());
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return;
    }
    TKXDForm::button_deleteClick(sender);
}

void TUserForm::button_saveClick(QObject* sender) {
    if (Query->State() == db::dsEdit || Query->State() == db::dsInsert) {
        const QString refusal =
            StopUserRefusal(Query->FieldByName(QStringLiteral("SYS_USER"))->AsString(),
                            ComboStopRight->currentText());
        if (!refusal.isEmpty()) {
            ShowPromptMessage(refusal);
            Query->FieldByName(QStringLiteral("STOP_RIGHT"))->SetAsString(QStringLiteral("有效"));
            ComboStopRight->setCurrentText(QStringLiteral("有效"));
            return;
        }
    }
    // A name of blanks is no name: the required check sees the trimmed texts.
    if (Query->State() == db::dsEdit || Query->State() == db::dsInsert)
        TrimUserNames();
    if (Query->State() == db::dsInsert)
        SaveNewUser(sender);
    else
        TKXDForm::button_saveClick(sender);
    if (newUser_ && Query->Saved && Query->State() == db::dsBrowse)
        ShowPromptMessage(NewUserPasswordPrompt());
    newUser_ = false;
}

// Rights rows left under the new user's id (by a crash between deleting a
// user and its rights, or by a restored archive) must not pass to it: they go
// in the same transaction that adds the user.
void TUserForm::SaveNewUser(QObject* sender) {
    db::TDatabase* database = Query->Database();
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    try {
        const QString userId = Query->FieldByName(QStringLiteral("USE_ID"))->AsString();
        if (!ExecSqlText(kDatabaseName, UserRightsDeleteSql(userId))) {
            ShowPromptMessage(QStringLiteral("用户权限删除过程发生错误"));
            Abort();
        }
        TKXDForm::button_saveClick(sender);
    } catch (...) {
        if (ownTransaction && database->InTransaction())
            database->Rollback();
        throw;
    }
    if (!ownTransaction || !database->InTransaction())
        return;
    if (Query->Saved && Query->State() == db::dsBrowse)
        database->Commit();
    else
        database->Rollback();
}

void TUserForm::TrimUserNames() {
    Query->FieldByName(QStringLiteral("USE_ID"))->SetAsString(EditUseId->text().trimmed());
    Query->FieldByName(QStringLiteral("USE_NAME"))->SetAsString(EditUseName->text().trimmed());
}

void TUserForm::button_cancelClick(QObject* sender) {
    TKXDForm::button_cancelClick(sender);
    newUser_ = false;
}

void TUserForm::button_findClick(QObject* /*sender*/) {
    if (!FindSimpleFormDialog->Execute())
        return;
    const QString sql = FindSimpleFormDialog->GetAllData()
                            ? kSelectUsers + kOrderByUserId
                            : SelectText + FindSimpleFormDialog->GetFindText() + OrderByText;
    RunQueryWithBusyWindow(*Query, sql);
}

// ---- Rights page ---------------------------------------------------------------

void TUserForm::FillUserList() {
    const QString chosen = CurrentUserId();
    KXDBListBoxUser->clear();
    const auto users =
        OpenSqlQuery(kDatabaseName,
                     QStringLiteral("SELECT USE_ID, USE_NAME FROM SYS_USER_TABLE ORDER BY USE_ID"));
    for (; !users->Eof(); users->Next()) {
        auto* item = new QListWidgetItem(users->FieldByName(QStringLiteral("USE_NAME"))->AsString(),
                                         KXDBListBoxUser);
        item->setData(kIdRole, users->FieldByName(QStringLiteral("USE_ID"))->AsString());
        if (item->data(kIdRole).toString() == chosen)
            KXDBListBoxUser->setCurrentItem(item);
    }
    if (CurrentUserId() != chosen)
        ClearBoxes();
}

void TUserForm::ComposeChosen(int index) {
    SYS_PROGRAM_TABLEQuery->Close();
    KXDBListBoxProgram->clear();
    if (index < 0) {
        ClearBoxes();
        return;
    }
    SYS_PROGRAM_TABLEQuery->ParamByName(QStringLiteral("COMPOSE_ID"))
        ->SetAsInteger(KXDBComboBoxCompose->itemData(index).toInt());
    SYS_PROGRAM_TABLEQuery->Open();
    for (; !SYS_PROGRAM_TABLEQuery->Eof(); SYS_PROGRAM_TABLEQuery->Next()) {
        const auto flag = [this](const char* column) {
            return SYS_PROGRAM_TABLEQuery->FieldByName(QString::fromLatin1(column))->AsString() ==
                   kYes;
        };
        auto* item = new QListWidgetItem(
            SYS_PROGRAM_TABLEQuery->FieldByName(QStringLiteral("PROGRAM_NAME"))->AsString(),
            KXDBListBoxProgram);
        item->setData(kIdRole,
                      IdText(SYS_PROGRAM_TABLEQuery->FieldByName(QStringLiteral("PROGRAM_ID"))));
        item->setData(kAllowedRole, QVariantList{flag("ADD_RIGHT"), flag("BROWSE_RIGHT"),
                                                 flag("PRINT_RIGHT"), flag("VERIFY_RIGHT")});
    }
    // A new group's programs are not chosen yet.
    ClearBoxes();
    CheckSelection();
}

void TUserForm::CheckSelection() {
    if (!userClicked_ || !programClicked_)
        return;
    if (!KXDBListBoxUser->currentItem() || !KXDBListBoxProgram->currentItem()) {
        ClearBoxes();
        return;
    }
    if (CurrentUserId() == rememberedUser_ && CurrentComposeId() == rememberedCompose_ &&
        CurrentProgramId() == rememberedProgram_)
        return;
    rememberedUser_ = CurrentUserId();
    rememberedCompose_ = CurrentComposeId();
    rememberedProgram_ = CurrentProgramId();
    LoadBoxes();
}

void TUserForm::ClearBoxes() {
    rememberedUser_.clear();
    rememberedCompose_.clear();
    rememberedProgram_.clear();
    RightsBoxes.Clear();
    ShowBoxes();
}

void TUserForm::LoadBoxes() {
    std::array<bool, TUserRightsBoxes::kBoxCount> allowed{};
    const QVariantList flags = KXDBListBoxProgram->currentItem()->data(kAllowedRole).toList();
    for (int box = 0; box < TUserRightsBoxes::kBoxCount && box < flags.size(); ++box)
        allowed[box] = flags[box].toBool();
    RightsBoxes.Load(allowed, rememberedUser_, rememberedCompose_, rememberedProgram_);
    ShowBoxes();
}

void TUserForm::ShowBoxes() {
    PanelRights->setEnabled(RightsBoxes.PanelEnabled());
    const std::array<QCheckBox*, TUserRightsBoxes::kBoxCount> checks = {CB1, CB2, CB3, CB4};
    for (int box = 0; box < TUserRightsBoxes::kBoxCount; ++box) {
        const auto which = TUserRightsBoxes::TBox(box);
        checks[box]->setEnabled(RightsBoxes.Enabled(which));
        checks[box]->setChecked(RightsBoxes.Ticked(which));
    }
}

void TUserForm::BoxClicked(TUserRightsBoxes::TBox box, bool ticked) {
    RightsBoxes.Change(box, ticked);
    ShowBoxes();
}

QString TUserForm::CurrentUserId() const {
    const QListWidgetItem* item = KXDBListBoxUser->currentItem();
    return item ? item->data(kIdRole).toString() : QString();
}

QString TUserForm::CurrentComposeId() const {
    return KXDBComboBoxCompose->currentIndex() < 0 ? QString()
                                                   : KXDBComboBoxCompose->currentData().toString();
}

QString TUserForm::CurrentProgramId() const {
    const QListWidgetItem* item = KXDBListBoxProgram->currentItem();
    return item ? item->data(kIdRole).toString() : QString();
}

void SetUserListPrint(TUserListPrint print) {
    UserListPrint() = std::move(print);
}

} // namespace kx

#include "moc_userform.cpp"
