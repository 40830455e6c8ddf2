#pragma once
// What the documents' and pictures' list and edit windows do alike with a
// row's stored copy: view it, export it, and delete the row with its copy.
// The desktop is reached through replaceable hooks, so the windows can be
// driven without dialogs.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace kx {

class TKXQuery;

namespace staff {

struct TAttachmentKind;

struct TAttachmentDesktop {
    // A file to store; empty when cancelled. The filter is empty for any
    // file.
    std::function<QString(QWidget* owner, const QString& filter)> AskOpenFile;
    // A file to export to, preset to the stored file's name; empty when
    // cancelled.
    std::function<QString(QWidget* owner, const QString& presetName)> AskSaveFile;
    // 1 or 2 for the item chosen, 0 when none.
    std::function<int(const QString& item1, const QString& item2, const QString& caption)>
        AskChoice;
    std::function<bool(const QUrl& url)> OpenUrl;
    std::function<void(const QString& caption, const QString& fileName, const QString& typeName)>
        ShowPicture;
};

// The hooks every attachment window uses; the real dialogs by default.
TAttachmentDesktop& AttachmentDesktop();

// Asks whether to view or export the current row's stored copy and does it:
// documents open in the desktop's program for their type, pictures in the
// picture viewer. A failed export reports `exportFailed`.
void ViewOrExportAttachment(QWidget* owner, const TAttachmentKind& kind, TKXQuery* rows,
                            const QString& exportFailed);

// Deletes the current row (asking first unless `ask` is off) and, once the
// deletion is stored, its copy.
void DeleteAttachmentRow(const TAttachmentKind& kind, TKXQuery* rows, bool ask);

} // namespace staff
} // namespace kx
