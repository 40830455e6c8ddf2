#include "staff/attachmentactions.h"

#include "core/appstate.h"
#include "core/filefunctions.h"
#include "core/messages.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "frame/dialogs/showpictureform.h"
#include "platform/db/field.h"
#include "staff/attachmentkind.h"
#include "staff/attachmentstore.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kx::staff {
namespace {

QString TempFolder() {
    return AppTempFolder.isEmpty() ? GetTempFolder() : AppTempFolder;
}

TAttachmentDesktop RealDesktop() {
    return {[](QWidget* owner, const QString& filter) {
                return QFileDialog::getOpenFileName(owner, QString(), QString(), filter);
            },
            [](QWidget* owner, const QString& presetName) {
                return QFileDialog::getSaveFileName(owner, QString(), presetName);
            },
            &SelectOneOfTwo, &QDesktopServices::openUrl, &ShowPictureFile};
}

QString Text(TKXQuery* rows, const QString& field) {
    return rows->FieldByName(field)->AsString();
}

void Export(QWidget* owner, const TAttachmentKind& kind, const QString& id, const QString& title,
            const QString& exportFailed) {
    const QString target = AttachmentDesktop().AskSaveFile(owner, title);
    if (target.isEmpty())
        return;
    switch (TAttachmentStore().CopyOut(id, target)) {
    case TAttachmentStore::TCopyResult::Missing:
        ShowPromptMessage(MissingCopyMessage(kind, title));
        return;
    case TAttachmentStore::TCopyResult::Failed:
        ShowPromptMessage(exportFailed);
        return;
    case TAttachmentStore::TCopyResult::Done:
        ShowPromptMessage(kind.Exported + QDir::toNativeSeparators(target));
        return;
    }
}

void View(const TAttachmentKind& kind, const QString& id, const QString& title) {
    const TAttachmentStore store;
    if (!store.HasCopy(id)) {
        ShowPromptMessage(MissingCopyMessage(kind, title));
        return;
    }
    const QString folder = TempFolder();
    // The title is a bare file name; a damaged one still lands in the
    // temporary folder.
    const QString viewing = folder + QFileInfo(title).fileName();
    if (!QDir().mkpath(folder) ||
        store.CopyOut(id, viewing) != TAttachmentStore::TCopyResult::Done) {
        ShowPromptMessage(kind.CopyFailed);
        return;
    }
    if (kind.Pictures)
        AttachmentDesktop().ShowPicture(QStringLiteral("图片显示窗口"), viewing, title);
    else
        AttachmentDesktop().OpenUrl(QUrl::fromLocalFile(viewing));
}

} // namespace

TAttachmentDesktop& AttachmentDesktop() {
    static TAttachmentDesktop desktop = RealDesktop();
    return desktop;
}

void ViewOrExportAttachment(QWidget* owner, const TAttachmentKind& kind, TKXQuery* rows,
                            const QString& exportFailed) {
    const bool hasRow = rows && rows->Active() && !rows->IsEmpty();
    const QString title = hasRow ? Text(rows, kind.TitleColumn) : QString();
    if (title.isEmpty()) {
        if (!kind.NothingStored.isEmpty())
            ShowPromptMessage(kind.NothingStored);
        return;
    }
    const QString id = Text(rows, kind.IdColumn);
    const int item = AttachmentDesktop().AskChoice(kind.ChooserItem1, kind.ChooserItem2,
                                                   QStringLiteral("操作选择窗口"));
    switch (ActionOfChoice(kind, item)) {
    case TAttachmentAction::None:
        return;
    case TAttachmentAction::Export:
        Export(owner, kind, id, title, exportFailed);
        return;
    case TAttachmentAction::View:
        View(kind, id, title);
        return;
    }
}

void DeleteAttachmentRow(const TAttachmentKind& kind, TKXQuery* rows, bool ask) {
    if (!rows || !rows->Active() || rows->IsEmpty())
        return;
    const QString id = Text(rows, kind.IdColumn);
    const bool hasCopy = !Text(rows, kind.TitleColumn).isEmpty();
    rows->NoDeleteConfirm = !ask;
    rows->DeleteRecord();
    // Only a stored deletion takes the copy along: a refused or failed one
    // leaves the row and its file as they were.
    if (rows->Saved && hasCopy)
        TAttachmentStore().Remove(id);
}

} // namespace kx::staff
