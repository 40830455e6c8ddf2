#include "frame/app/kxbaseform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/options.h"
#include "frame/app/childcommandstate.h"
#include "frame/app/kxchild.h"
#include "frame/app/kxsetform.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"

#include <QDate>

namespace kx {

TKXBaseForm::TKXBaseForm(QWidget* owner) : TKXFormEvents(owner), KXSetForm(new TKXSetForm(this)) {
    KXSetForm->setObjectName(QStringLiteral("KXSetForm"));
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(782, 363);
}

void TKXBaseForm::SetNotTopShow(bool notTopShow) {
    KXChild->NotTopShow = notTopShow;
}

qint64 TKXBaseForm::ShowInPlace(int mode) {
    return KXChild->ShowInPlace(mode);
}

void TKXBaseForm::FormCreate() {
    KXSetForm->DataBaseName = kDatabaseName;
    AttachCompanion(*KXChild, Handlers());
    KXSetForm->ApplyImeName(AppImeName);
    KXSetForm->ScreenWidth = AppScreenWidth;
    RefreshToday();
    closing_ = false;
}

void TKXBaseForm::FormShow() {
    SetChildStates(false);
    if (fontSet_)
        return;
    fontSet_ = true;
    setFont(QFont(QStringLiteral("宋体"), 9));
}

void TKXBaseForm::FormClose(TCloseAction& action) {
    action = TCloseAction::caFree;
    closing_ = true;
}

void TKXBaseForm::FormDestroy() {
    SetChildStates(true);
}

// No window hands the main window's tool bar or menu to its base form, so
// the command states stay as they are; the calls keep the counters paired.
void TKXBaseForm::SetChildStates(bool closing) {
    SetChildToolbarState(nullptr, nullptr, closing, AppChildToolCount1, AppChildToolCount2, false);
    SetChildMenuState(nullptr, nullptr, closing, AppChildMenuCount1, AppChildMenuCount2, false);
}

TRights TKXBaseForm::ReadRights() {
    TRights rights;
    KXChild->GetRights(ProgramGroupName, ProgramName, rights, AppUserId);
    return rights;
}

void TKXBaseForm::SetupQuery(TKXQuery* query) {
    query->YearMonthPrefix = YearMonthPrefixOf(AppToday);
    query->DayPrefix = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    query->UserName = AppUserName;
    query->Today = AppToday;
    query->ColorOnFocus = AppFocusColor;
    query->SqlType = urStandard;
    query->SetDatabaseName(kDatabaseName);
}

void TKXBaseForm::SetupDataSource(TKXDataSource* dataSource) {
    dataSource->HookStateChange();
    dataSource->RightAdd = Rights.Add;
    dataSource->RightEdit = Rights.Add;
    dataSource->RightDelete = Rights.Add;
    dataSource->RightPrint = Rights.Print;
    dataSource->RightCheck = Rights.Verify;
    dataSource->ApplyRights();
    dataSource->SetEditColor(AppEditColor);
    dataSource->SetBrowseColor(AppBrowseColor);
    dataSource->SetColorOnFocus(AppFocusColor);
}

} // namespace kx
