#include "tablereport/saveprinttableeditform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/formimenames.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/db/params.h"
#include "platform/db/updatesql.h"
#include "platform/sys/exception.h"
#include "tablereport/printcatalogue.h"

#include <QLabel>
#include <QPushButton>

namespace kx {
namespace {

constexpr int kTitleLength = 80;

} // namespace

TSavePrintTableEditForm::TSavePrintTableEditForm(QWidget* parent)
    : TGridListEditForm(QStringLiteral("TitleEdit"), parent), DatabaseName(kDatabaseName),
      WorkDate(AppToday), ImeName(AppImeName), UserName(AppUserName), BrowseColor(AppBrowseColor),
      FocusColor(AppFocusColor), EditColor(AppEditColor), TitleEdit(ValueEdit()),
      fieldsData_(CatalogueFieldsData()) {
    setWindowTitle(QStringLiteral("报表模板资料录入编辑窗口"));
    resize(460, 300);
    Label1->setText(QStringLiteral("报表模板标题"));
    TitleEdit->setMaxLength(kTitleLength);
    TitleEdit->SetDataField(QStringLiteral("PRINT_NAME"));
    PlaceEditor(TitleEdit);
    // Rows are made by the designer's save only.
    for (QPushButton* hidden : {button_add, button_All}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    SetupCatalogueQuery(*Query, *UpdateSQL1);
    Query->SetFieldsData(fieldsData_);
    Query->BeforeDelete = [this](db::TDataSet*) { RemoveTableBody(); };
    DBGrid->SetFieldsData(fieldsData_);
    DS->OnStateChange = [this](db::TDataSource*) { button_Ok->setEnabled(!Editing()); };
}

TSavePrintTableEditForm::~TSavePrintTableEditForm() {
    Query->CloseQuery();
}

void TSavePrintTableEditForm::FormShow() {
    editData_ = TEditDataArray{{QStringLiteral("PRINT_TYPE"), QString(), PrintType}};
    Query->SetEditData(editData_);
    StampQuery(UserName, WorkDate);
    Query->SqlType = SqlType;
    ApplyColors();
    TitleEdit->SetImeName(ImeName);
    ApplyImeToForm(this, ImeName);

    Query->CloseQuery();
    Query->SetDatabaseName(DatabaseName);
    Query->SQL().SetText(QStringLiteral("SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX "
                                        "= :PRINT_INDEX AND PRINT_TYPE = :PRINT_TYPE"));
    Query->ParamByName(QStringLiteral("PRINT_INDEX"))->SetAsString(PrintIndex);
    Query->ParamByName(QStringLiteral("PRINT_TYPE"))->SetAsString(PrintType);
    Query->OpenQuery();
    DBGrid->setFocus();
}

void TSavePrintTableEditForm::ApplyColors() {
    ApplyControlColors(BrowseColor, FocusColor);
    ShowStateColors(EditColor, BrowseColor, FocusColor);
}

bool TSavePrintTableEditForm::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !Editing() && ClickIfEnabled(button_Ok);
    default:
        return TGridListEditForm::HandleKey(key);
    }
}

void TSavePrintTableEditForm::DeleteRow() {
    if (!HasRows())
        return;
    const QString printId = Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString();
    // Bodies in the template table go inside the row's deletion; a file
    // goes once the row is gone, so no row is ever left without its body.
    Query->DeleteRecord();
    const TPrintCatalogue catalogue{DatabaseName, TemplateDir, TemplateTable};
    if (catalogue.InFiles() && !catalogue.RemoveBody(printId))
        ShowPromptMessage(QStringLiteral("报表模板删除过程发生错误"));
}

// Runs in the row's deletion transaction: a body that stays keeps the row.
void TSavePrintTableEditForm::RemoveTableBody() {
    const TPrintCatalogue catalogue{DatabaseName, TemplateDir, TemplateTable};
    if (catalogue.InFiles())
        return;
    if (!catalogue.RemoveBody(Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString())) {
        ShowPromptMessage(QStringLiteral("报表模板删除过程发生错误"));
        Abort();
    }
}

void TSavePrintTableEditForm::OkClick() {
    if (Editing())
        return;
    TGridListEditForm::OkClick();
}

} // namespace kx

#include "moc_saveprinttableeditform.cpp"
