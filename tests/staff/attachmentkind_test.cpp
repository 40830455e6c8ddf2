// The rules the documents' and pictures' windows keep without a window:
// the chooser's order, which files are pictures, and free record ids.

#include "staff/attachmentkind.h"

#include "core/sqlfunctions.h"
#include "staff/attachmentstore.h"
#include "tests/core/programfixture.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

TEST(AttachmentKind, ChooserItemsStandInOppositeOrders) {
    const struct {
        const TAttachmentKind& kind;
        int item;
        TAttachmentAction action;
    } cases[] = {{DocumentKind(), 1, TAttachmentAction::Export},
                 {DocumentKind(), 2, TAttachmentAction::View},
                 {DocumentKind(), 0, TAttachmentAction::None},
                 {PictureKind(), 1, TAttachmentAction::View},
                 {PictureKind(), 2, TAttachmentAction::Export},
                 {PictureKind(), 0, TAttachmentAction::None}};
    for (const auto& c : cases)
        EXPECT_EQ(ActionOfChoice(c.kind, c.item), c.action) << c.kind.Table.toStdString() << c.item;
    EXPECT_EQ(DocumentKind().ChooserItem1, "导出电子文档");
    EXPECT_EQ(PictureKind().ChooserItem1, "浏览图片");
}

TEST(AttachmentKind, PicturesNeedTheirExtensionAndAReadableContent) {
    QTemporaryDir dir;
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    const auto save = [&](const QString& name, const char* format) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    };
    const auto text = [&](const QString& name) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        return file.fileName();
    };
    const struct {
        QString path;
        bool storable;
    } cases[] = {{save("photo.jpeg", "JPEG"), true}, {save("Photo.Jpg", "JPEG"), true},
                 {save("scan.BMP", "BMP"), true},    {save("photo.png", "PNG"), false},
                 {text("notes.jpg"), false},         {save("noextension", "JPEG"), false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsStorablePicture(c.path), c.storable) << c.path.toStdString();
}

TEST(AttachmentKind, TakenIdsAreSkippedSecondBySecond) {
    test::OpenDataFolder data;
    QTemporaryDir program;
    const TAttachmentStore store(program.path());
    ASSERT_TRUE(ExecSqlText(kDatabaseName,
                            "INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE (EMPLOYEE_RECORD_ID, "
                            "FILE_RECORD_ID, FILE_TITLE_NAME) VALUES ('E2', 'F070305101010', "
                            "'a.doc')"));
    QFile orphan;
    ASSERT_TRUE(store.EnsureFolder());
    orphan.setFileName(store.StoredPath("F070305101011"));
    ASSERT_TRUE(orphan.open(QIODevice::WriteOnly));
    orphan.close();

    const TAttachmentKind& kind = DocumentKind();
    EXPECT_TRUE(RecordIdTaken(kind, "E1", "F070305101010", true, false, store))
        << "another employee's";
    EXPECT_FALSE(RecordIdTaken(kind, "E2", "F070305101010", true, true, store)) << "the row's own";
    EXPECT_TRUE(RecordIdTaken(kind, "E2", "F070305101010", false, false, store))
        << "a new row of the same employee in the same second";
    EXPECT_TRUE(RecordIdTaken(kind, "E1", "F070305101011", true, false, store))
        << "a file in the way";
    EXPECT_FALSE(RecordIdTaken(kind, "E1", "F070305101012", false, false, store));
    EXPECT_FALSE(RecordIdTaken(PictureKind(), "E1", "F070305101010", false, false, store));

    const QDateTime at(QDate(2007, 3, 5), QTime(10, 10, 10));
    EXPECT_EQ(FreeRecordId(kind, "E1", at, store), "F070305101012");
    EXPECT_EQ(FreeRecordId(kind, "E2", at, store), "F070305101012");
    EXPECT_EQ(FreeRecordId(PictureKind(), "E1", at, store), "G070305101010");
}

} // namespace
} // namespace kx::staff
