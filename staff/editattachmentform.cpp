#include "staff/editattachmentform.h"

#include "core/messages.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/ui/tag.h"
#include "staff/attachmentactions.h"
#include "staff/attachmentkind.h"
#include "staff/attachmentstore.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace kx::staff {
namespace {

constexpr int kHeadWidth = 793;
constexpr int kWideEdit = 740;
constexpr int kOrderEdit = 102;
constexpr int kOrderLength = 4;
constexpr int kTop = 50;

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

const QWidget* MainWindow() {
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<const QMainWindow*>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

TEditAttachmentForm::TEditAttachmentForm(QWidget* owner, const TAttachmentKind& kind,
                                         int clientHeight)
    : TKXBasePopEditShowForm(owner), LabelHead(new QLabel(Panel1)),
      KXDBComboEdit1(new TKXDBComboEdit(Panel1)), KXDBEdit1(new TKXDBEdit(Panel1)),
      KXDBEdit2(new TKXDBEdit(Panel1)), kind_(kind) {
    setWindowTitle(kind.EditCaption);
    resize(807, clientHeight);
    LabelHead->setObjectName(QStringLiteral("LabelHead"));
    LabelHead->setAlignment(Qt::AlignCenter);
    LabelHead->setFixedWidth(kHeadWidth);
    KXDBComboEdit1->setObjectName(QStringLiteral("KXDBComboEdit1"));
    KXDBEdit1->setObjectName(QStringLiteral("KXDBEdit1"));
    KXDBEdit2->setObjectName(QStringLiteral("KXDBEdit2"));
    KXDBComboEdit1->setFixedWidth(kWideEdit);
    KXDBEdit1->setFixedWidth(kWideEdit);
    KXDBEdit2->setFixedWidth(kOrderEdit);
    KXDBComboEdit1->SetButtonHint(QStringLiteral("电子文件选择"));
    // The name comes only from a chosen file: its text is never typed.
    ui::SetTag(KXDBComboEdit1, 2);
    KXDBEdit2->SetEditType(etInteger);
    KXDBEdit2->SetMaxLength(kOrderLength);
    KXDBComboEdit1->SetDataSource(DS);
    KXDBComboEdit1->SetDataField(kind.TitleColumn);
    KXDBEdit1->SetDataSource(DS);
    KXDBEdit1->SetDataField(QStringLiteral("NOTE"));
    KXDBEdit2->SetDataSource(DS);
    KXDBEdit2->SetDataField(kind.OrderColumn);
    KXDBComboEdit1->OnButtonClick = [this](QObject*) { KXDBComboEdit1ButtonClick(); };

    auto* fields = new QGridLayout;
    fields->addWidget(Caption(kind.TitleCaption, Panel1), 0, 0);
    fields->addWidget(KXDBComboEdit1, 0, 1, Qt::AlignLeft);
    fields->addWidget(Caption(QStringLiteral("备注"), Panel1), 1, 0);
    fields->addWidget(KXDBEdit1, 1, 1, Qt::AlignLeft);
    fields->addWidget(Caption(QStringLiteral("序号"), Panel1), 2, 0);
    fields->addWidget(KXDBEdit2, 2, 1, Qt::AlignLeft);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(6, 4, 6, 2);
    layout->addWidget(LabelHead, 0, Qt::AlignHCenter);
    layout->addLayout(fields);
    Button_Print->setVisible(false);
    button_Ok->setVisible(false);
    ArrangeButtons();
}

// The edit buttons above, moving and closing below.
void TEditAttachmentForm::ArrangeButtons() {
    delete Panel2->layout();
    auto* bar = new QGridLayout(Panel2);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(2);
    const QList<QPushButton*> rows[] = {
        {Button_add, button_edit, button_delete, button_save, button_cancel},
        {button1_first, button1_prior, button1_next, button1_last, button_close}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < rows[row].size(); ++column)
            bar->addWidget(rows[row][column], row, column + 1);
    }
    bar->setColumnStretch(0, 1);
    bar->setColumnStretch(6, 1);
}

void TEditAttachmentForm::FormCreate() {
    TKXBasePopEditShowForm::FormCreate();
    KXChild->RestoreTop = 160;
}

void TEditAttachmentForm::FormShow() {
    TKXBasePopEditShowForm::FormShow();
    const QWidget* main = MainWindow();
    move(main ? main->geometry().center().x() - width() / 2 : x(), kTop);
    LabelHead->setText(HeadText + u' ' + EmployeeName);
    if (AddOnShow)
        Button_add->click();
    if (EditOnShow)
        button_edit->click();
    if (ListEditing())
        KXDBComboEdit1->setFocus();
}

bool TEditAttachmentForm::ListEditing() const {
    return ListQuery && (ListQuery->State() == db::dsInsert || ListQuery->State() == db::dsEdit);
}

QString TEditAttachmentForm::Title() const {
    return ListQuery->FieldByName(kind_.TitleColumn)->AsString();
}

void TEditAttachmentForm::Button_addClick(QObject* sender) {
    TKXBasePopEditShowForm::Button_addClick(sender);
    if (ListEditing())
        ListQuery->FieldByName(QStringLiteral("EMPLOYEE_RECORD_ID"))->SetAsString(EmployeeRecordID);
}

void TEditAttachmentForm::button_editClick(QObject* sender) {
    TKXBasePopEditShowForm::button_editClick(sender);
    KXDBComboEdit1->setFocus();
}

void TEditAttachmentForm::button_saveClick(QObject* sender) {
    if (ListEditing() && KXDBComboEdit1->text().trimmed().isEmpty()) {
        ShowPromptMessage(kind_.ChooseFile);
        KXDBComboEdit1->setFocus();
        return;
    }
    // A save that is refused, e.g. by a data folder that cannot be written,
    // must not lock the user in: cancel is offered again and takes the copy
    // back.
    const auto afterSave = qScopeGuard([this] {
        if (!ListEditing())
            unsavedCopyId_.clear();
        else if (!unsavedCopyId_.isEmpty())
            button_cancel->setEnabled(true);
    });
    TKXBasePopEditShowForm::button_saveClick(sender);
}

void TEditAttachmentForm::button_cancelClick(QObject* sender) {
    if (unsavedCopyId_.isEmpty() || !ListEditing()) {
        TKXBasePopEditShowForm::button_cancelClick(sender);
        return;
    }
    TAttachmentStore().Remove(unsavedCopyId_);
    unsavedCopyId_.clear();
    if (rowCreatedForCopy_)
        DropRowCreatedForStore();
    else
        TKXBasePopEditShowForm::button_cancelClick(sender);
}

void TEditAttachmentForm::button_deleteClick(QObject* /*sender*/) {
    DeleteAttachmentRow(kind_, ListQuery, true);
}

void TEditAttachmentForm::KXDBComboEdit1ButtonClick() {
    if (ListEditing())
        StoreAttachment();
    else
        ViewOrExport();
}

void TEditAttachmentForm::ViewOrExport() {
    ViewOrExportAttachment(this, kind_, ListQuery, kind_.EditExportFailed);
}

// A copy is written under the row's id only when no other row's file goes by
// that name; else the row takes the next free id first.
void TEditAttachmentForm::KeepRecordIdFree(bool rowHasCopy) {
    db::TField* id = ListQuery->FieldByName(kind_.IdColumn);
    const TAttachmentStore store;
    const bool rowStored = ListQuery->State() == db::dsEdit;
    if (RecordIdTaken(kind_, EmployeeRecordID, id->AsString(), rowStored, rowHasCopy, store))
        id->SetAsString(FreeRecordId(kind_, EmployeeRecordID, QDateTime::currentDateTime(), store));
}

// The row was saved for this store only; with no copy it is taken back.
void TEditAttachmentForm::DropRowCreatedForStore() {
    ListQuery->CancelRecord();
    DeleteAttachmentRow(kind_, ListQuery, false);
}

void TEditAttachmentForm::StoreAttachment() {
    if (!ListEditing())
        return;
    const QString oldTitle = Title();
    if (!oldTitle.isEmpty() &&
        !ShowConfirmMessage(kind_.ReplaceHead + u'"' + oldTitle + u'"' + kind_.ReplaceTail))
        return;
    bool rowCreatedNow = false;
    if (ListQuery->State() == db::dsInsert) {
        KeepRecordIdFree(false);
        // The row is saved at once, before a file is chosen; when that save
        // is refused the row simply stays new.
        ListQuery->InternalEdit = true;
        try {
            ListQuery->PostRecord();
        } catch (const std::exception&) {
            ListQuery->InternalEdit = false;
        }
        rowCreatedNow = ListQuery->State() == db::dsBrowse;
    }
    if (ListQuery->State() == db::dsBrowse) {
        if (ListQuery->IsEmpty())
            return;
        ListQuery->EditRecord();
    }
    const QString path = AttachmentDesktop().AskOpenFile(this, kind_.OpenFilter);
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty()) {
        ShowPromptMessage(kind_.ChooseFile);
        return;
    }
    if (kind_.Pictures && !IsStorablePicture(path)) {
        ShowPromptMessage(kPictureFormatMessage);
        return;
    }
    const TAttachmentStore store;
    if (!store.EnsureFolder()) {
        if (rowCreatedNow)
            DropRowCreatedForStore();
        ShowPromptMessage("文件夹 " + QDir::toNativeSeparators(store.Folder()) +
                          " 建立过程发生错误");
        return;
    }
    KeepRecordIdFree(!oldTitle.isEmpty());
    if (!store.Store(path, ListQuery->FieldByName(kind_.IdColumn)->AsString())) {
        // An earlier copy and its row stay as they were; only a row made for
        // this copy goes.
        if (rowCreatedNow)
            DropRowCreatedForStore();
        ShowErrorMessage(kind_.StoreFailed);
        return;
    }
    ListQuery->FieldByName(kind_.TitleColumn)->SetAsString(name);
    if (unsavedCopyId_.isEmpty())
        rowCreatedForCopy_ = rowCreatedNow;
    unsavedCopyId_ = ListQuery->FieldByName(kind_.IdColumn)->AsString();
    // The copy is made: the row can only be saved now.
    button_cancel->setEnabled(false);
}

} // namespace kx::staff
