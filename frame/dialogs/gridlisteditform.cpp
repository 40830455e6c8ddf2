#include "frame/dialogs/gridlisteditform.h"

#include "core/messages.h"
#include "frame/app/formbuttons.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/db/updatesql.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {
namespace {

QPushButton* AddButton(QWidget* form, QVBoxLayout* column, const char* name,
                       const QString& caption) {
    auto* button = new QPushButton(caption, form);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

TGridListEditForm::TGridListEditForm(const QString& editorName, QWidget* parent) : QDialog(parent) {
    // Made in this order, the edit comes before the grid and the grid before
    // the buttons in the tab order.
    Label1 = new QLabel(this);
    valueEdit_ = new TKXDBEdit(this);
    DBGrid = new TKXNDBGrid(this);
    Query = new TKXQuery(this);
    DS = new TKXDataSource(this);
    UpdateSQL1 = new db::TUpdateSQL(this);
    valueEdit_->setObjectName(editorName);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));

    auto* right = new QVBoxLayout;
    button_add = AddButton(this, right, "button_add", QStringLiteral("增加[F5]"));
    button_edit = AddButton(this, right, "button_edit", QStringLiteral("编辑[F6]"));
    button_delete = AddButton(this, right, "button_delete", QStringLiteral("删除[F7]"));
    button_save = AddButton(this, right, "button_save", QStringLiteral("保存[F8]"));
    button_cancel = AddButton(this, right, "button_cancel", QStringLiteral("取消[F9]"));
    right->addSpacing(8);
    button_All = AddButton(this, right, "button_All", QStringLiteral("全部数据"));
    button_Ok = AddButton(this, right, "button_Ok", QStringLiteral("确定[F3]"));
    button_close = AddButton(this, right, "button_close", QStringLiteral("关闭[F12]"));
    right->addStretch();
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);

    layout_ = new QGridLayout(this);
    layout_->setContentsMargins(6, 6, 6, 6);
    layout_->addWidget(Label1, 0, 0);
    layout_->addWidget(DBGrid, 1, 0, 1, 2);
    layout_->addLayout(right, 0, 2, 2, 1);
    layout_->setColumnStretch(1, 1);
    layout_->setRowStretch(1, 1);

    DBGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                       dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid->SetReadOnly(true);
    DBGrid->SetDataSource(DS);
    valueEdit_->SetDataSource(DS);

    Query->setObjectName(QStringLiteral("Query"));
    Query->SetCachedUpdates(true);
    Query->SetRequestLive(true);
    Query->SetUpdateMode(db::upWhereKeyOnly);
    Query->SetUpdateObject(UpdateSQL1);
    Query->ActiveControl = editorName;
    Query->SetDBNGride(DBGrid);
    Query->SetKXDS(DS);
    DS->setObjectName(QStringLiteral("DS"));
    DS->SetDataSet(Query);
    DS->SetAutoEdit(false);
    DS->SetActiveColor(true);
    DS->Button_Edit = button_edit;
    DS->Button_Delete = button_delete;
    DS->Button_Save = button_save;
    DS->Button_Cancel = button_cancel;
    DS->Button_Close = button_close;

    const std::pair<QPushButton*, void (TGridListEditForm::*)()> clicks[] = {
        {button_edit, &TGridListEditForm::EditRow},
        {button_delete, &TGridListEditForm::DeleteRow},
        {button_save, &TGridListEditForm::SaveRow},
        {button_cancel, &TGridListEditForm::CancelRow},
        {button_Ok, &TGridListEditForm::OkClick}};
    for (const auto& [button, handler] : clicks) {
        const auto click = handler;
        connect(button, &QPushButton::clicked, this,
                ui::Guard([this, click] { (this->*click)(); }));
    }
    connect(button_close, &QPushButton::clicked, this, &QDialog::reject);
    DBGrid->OnDblClick = [this](QObject*) {
        if (HasRows() && button_Ok->isEnabled())
            button_Ok->click();
    };
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return HandleKey(event->key()); });
}

void TGridListEditForm::PlaceEditor(QWidget* editor) {
    layout_->addWidget(editor, 0, 1);
}

void TGridListEditForm::PlaceEditor(QLayout* editor) {
    layout_->addLayout(editor, 0, 1);
}

bool TGridListEditForm::Editing() const {
    return Query->State() == db::dsInsert || Query->State() == db::dsEdit;
}

bool TGridListEditForm::HasRows() const {
    return Query->Active() && !Query->IsEmpty();
}

void TGridListEditForm::StampQuery(const QString& userName, const QString& date) {
    Query->YearMonthPrefix = YearMonthPrefixOf(date);
    Query->UserName = userName;
    Query->Today = date;
}

void TGridListEditForm::ApplyControlColors(ui::TColor browse, ui::TColor focus) {
    valueEdit_->SetColor(browse);
    valueEdit_->SetColorOnFocus(focus);
    DBGrid->SetColor(browse);
    DBGrid->ColorOnFocus = browse;
}

void TGridListEditForm::ShowStateColors(ui::TColor edit, ui::TColor browse, ui::TColor focus) {
    Query->ColorOnFocus = focus;
    DS->HookStateChange();
    DS->ApplyRights();
    DS->SetEditColor(edit);
    DS->SetBrowseColor(browse);
    DS->SetColorOnFocus(focus);
    DS->ApplyStateColors();
}

void TGridListEditForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

bool TGridListEditForm::ClickIfEnabled(QPushButton* button) {
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

bool TGridListEditForm::HandleKey(int key) {
    switch (key) {
    case Qt::Key_F3:
        return ClickIfEnabled(button_Ok);
    case Qt::Key_F5:
        return ClickIfEnabled(button_add);
    case Qt::Key_F6:
        return ClickIfEnabled(button_edit);
    case Qt::Key_F7:
        return ClickIfEnabled(button_delete);
    case Qt::Key_F8:
        return ClickIfEnabled(button_save);
    case Qt::Key_F9:
        return ClickIfEnabled(button_cancel);
    case Qt::Key_F12:
        // The close button is disabled while editing; the key still asks,
        // so the user learns why the window stays.
        reject();
        return true;
    default:
        return false;
    }
}

void TGridListEditForm::EditRow() {
    if (HasRows())
        Query->EditRecord();
}

void TGridListEditForm::SaveRow() {
    if (Editing()) {
        Query->FieldByName(valueEdit_->DataField())->SetAsString(valueEdit_->text());
        Query->PostRecord();
    }
    DBGrid->setFocus();
}

void TGridListEditForm::CancelRow() {
    Query->CancelRecord();
    DBGrid->setFocus();
}

void TGridListEditForm::OkClick() {
    if (!HasRows()) {
        ShowPromptMessage(QStringLiteral("必须选择一个记录"));
        return;
    }
    accept();
}

bool TGridListEditForm::RefuseClosing() const {
    if (!Editing())
        return false;
    ShowPromptMessage(QStringLiteral("必须保存或取消新增、修改的数据"));
    return true;
}

void TGridListEditForm::done(int result) {
    if (!RefuseClosing())
        QDialog::done(result);
}

void TGridListEditForm::closeEvent(QCloseEvent* event) {
    if (RefuseClosing())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace kx

#include "moc_gridlisteditform.cpp"
