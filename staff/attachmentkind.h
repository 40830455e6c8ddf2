#pragma once
// What sets the employees' documents apart from their pictures: their table
// and columns, their windows' captions and messages, and the rules the
// windows keep without a window: which chooser item exports and which
// views, which files may be stored as pictures, and which record ids are
// free for a new copy.

#include <QDateTime>
#include <QString>

namespace kx::staff {

class TAttachmentStore;

struct TAttachmentKind {
    QString Table;
    QString IdColumn;
    QString TitleColumn;
    QString OrderColumn;
    QString IdPrefix;
    QString LayoutTable;
    QString LayoutFormName;
    QString ListCaption;
    QString EditCaption;
    QString TitleCaption; // the file name's field caption
    QString ViewButton;
    QString EmptyList;     // edit pressed on an empty list
    QString NothingStored; // view or export without a stored copy; empty: silent
    QString ChooseFile;    // save or store without a file
    QString ReplaceHead;   // + the quoted title + ReplaceTail
    QString ReplaceTail;
    QString StoreFailed; // error box
    QString Missing;     // after the quoted title
    QString Exported;    // + the chosen path
    QString CopyFailed;  // viewing copy, and export in the list window
    QString EditExportFailed;
    QString ChooserItem1;
    QString ChooserItem2;
    bool ViewIsFirstItem;
    // The open dialog's filter; empty: every file.
    QString OpenFilter;
    bool Pictures;
};

const TAttachmentKind& DocumentKind();
const TAttachmentKind& PictureKind();

enum class TAttachmentAction { None, Export, View };

// The action of the item chosen in the kind's chooser (0: none chosen).
TAttachmentAction ActionOfChoice(const TAttachmentKind& kind, int item);

inline const QString kPictureFormatMessage =
    QStringLiteral("图片格式必须是: BMP 、JPG 或 JPEG 格式");

// A picture is stored only when its name ends in .BMP, .JPG or .JPEG (any
// case) and its content reads as a picture of that type.
bool IsStorablePicture(const QString& path);

// The title in double quotes with the kind's missing-copy text.
QString MissingCopyMessage(const TAttachmentKind& kind, const QString& title);

// Whether another row of the kind's table uses the id (for a row not yet
// stored, any row; for a stored one, another employee's), or a copy of that
// name lies in the store while the row itself has none: saving or copying
// under that id would take another row's place or overwrite its file.
bool RecordIdTaken(const TAttachmentKind& kind, const QString& employeeId, const QString& recordId,
                   bool rowStored, bool rowHasCopy, const TAttachmentStore& store);

// The kind's prefix and the time stamp "yymmddhhnnss" of the first second
// from `from` on whose id is not taken.
QString FreeRecordId(const TAttachmentKind& kind, const QString& employeeId, const QDateTime& from,
                     const TAttachmentStore& store);

} // namespace kx::staff
