#include "staff/attachmentkind.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "frame/dialogs/picturegeometry.h"
#include "staff/attachmentstore.h"

#include <QImageReader>

namespace kx::staff {

const TAttachmentKind& DocumentKind() {
    static const TAttachmentKind kind{QStringLiteral("KX_EMPLOYEE_MASTER_FILE_TABLE"),
                                      QStringLiteral("FILE_RECORD_ID"),
                                      QStringLiteral("FILE_TITLE_NAME"),
                                      QStringLiteral("FILE_ORDER"),
                                      QStringLiteral("F"),
                                      QStringLiteral("SYS_SELECT_EMPLOYEE_FILE_TABLE"),
                                      QStringLiteral("SelectClientFileForm"),
                                      QStringLiteral("员工电子文档保存浏览窗口"),
                                      QStringLiteral("员工电子文档保存窗口"),
                                      QStringLiteral("文件名称"),
                                      QStringLiteral("浏览电子文档"),
                                      QStringLiteral("没有员工电子文档资料"),
                                      QString(),
                                      QStringLiteral("必须选择要保存的电子文档"),
                                      QStringLiteral("以前保存的电子文档"),
                                      QStringLiteral("将被新选的电子文档替换，是否继续"),
                                      QStringLiteral("电子文档保存过程发生错误"),
                                      QStringLiteral("电子文档不存在"),
                                      QStringLiteral("电子文档成功导出到："),
                                      QStringLiteral("电子文档复制错误"),
                                      QStringLiteral("电子文档导出错误"),
                                      QStringLiteral("导出电子文档"),
                                      QStringLiteral("浏览电子文档"),
                                      false,
                                      QString(),
                                      false};
    return kind;
}

const TAttachmentKind& PictureKind() {
    static const TAttachmentKind kind{
        QStringLiteral("KX_EMPLOYEE_MASTER_PICTURE_TABLE"), QStringLiteral("PICTURE_RECORD_ID"),
        QStringLiteral("PICTURE_TITLE_NAME"), QStringLiteral("PICTURE_ORDER"), QStringLiteral("G"),
        QStringLiteral("SYS_SELECT_EMPLOYEE_PICTURE_TABLE"),
        QStringLiteral("SelectEmployeePictureForm"), QStringLiteral("员工图片资料保存浏览窗口"),
        QStringLiteral("员工图片保存窗口"), QStringLiteral("图片名称"), QStringLiteral("浏览图片"),
        QStringLiteral("没有员工图片资料"), QStringLiteral("没有保存的图片"),
        QStringLiteral("必须选择要保存的图片文件"), QStringLiteral("以前保存的图片文件"),
        QStringLiteral("将被新选的图片文件替换，是否继续"),
        QStringLiteral("图片文件保存过程发生错误"), QStringLiteral("图片文件不存在"),
        QStringLiteral("图片文件成功导出到："), QStringLiteral("图片文件复制错误"),
        QStringLiteral("图片文件复制错误"), QStringLiteral("浏览图片"), QStringLiteral("导出图片"),
        true,
        // Linux file names keep their case: both spellings are offered.
        QStringLiteral("BMP JPG JPEG (*.BMP *.JPG *.JPEG *.bmp *.jpg *.jpeg)"), true};
    return kind;
}

TAttachmentAction ActionOfChoice(const TAttachmentKind& kind, int item) {
    if (item != 1 && item != 2)
        return TAttachmentAction::None;
    const bool first = item == 1;
    return first == kind.ViewIsFirstItem ? TAttachmentAction::View : TAttachmentAction::Export;
}

bool IsStorablePicture(const QString& path) {
    const QByteArray format = PictureFormatOf(path);
    if (format.isEmpty())
        return false;
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.canRead();
}

QString MissingCopyMessage(const TAttachmentKind& kind, const QString& title) {
    return u'"' + title + u'"' + kind.Missing;
}

bool RecordIdTaken(const TAttachmentKind& kind, const QString& employeeId, const QString& recordId,
                   bool rowStored, bool rowHasCopy, const TAttachmentStore& store) {
    if (!rowHasCopy && store.HasCopy(recordId))
        return true;
    const QString others =
        rowStored ? " AND EMPLOYEE_RECORD_ID <> " + QuotedStr(employeeId) : QString();
    return GetSqlFirstFloat(kDatabaseName, "SELECT COUNT(*) FROM " + kind.Table + " WHERE " +
                                               kind.IdColumn + " = " + QuotedStr(recordId) +
                                               others) > 0;
}

QString FreeRecordId(const TAttachmentKind& kind, const QString& employeeId, const QDateTime& from,
                     const TAttachmentStore& store) {
    for (QDateTime at = from;; at = at.addSecs(1)) {
        const QString id = kind.IdPrefix + at.toString(QStringLiteral("yyMMddHHmmss"));
        if (!RecordIdTaken(kind, employeeId, id, false, false, store))
            return id;
    }
}

} // namespace kx::staff
