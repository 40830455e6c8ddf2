// The attachment store in a temporary program folder: copies named by the
// record id, replaced whole or not at all, exported, and removed.

#include "staff/attachmentstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class AttachmentStoreTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
    TAttachmentStore store_{dir_.path()};
};

TEST_F(AttachmentStoreTest, StoresReplacesAndRemovesCopiesUnderTheRecordId) {
    EXPECT_EQ(store_.Folder(), dir_.path() + "/DataFile");
    EXPECT_FALSE(QFileInfo::exists(store_.Folder()));
    ASSERT_TRUE(store_.Store(Write("合同.doc", "first"), "F070305101010"));
    EXPECT_EQ(Read(store_.Folder() + "/F070305101010"), "first");

    ASSERT_TRUE(store_.Store(Write("合同2.doc", "second, longer"), "F070305101010"));
    EXPECT_EQ(Read(store_.StoredPath("F070305101010")), "second, longer");
    EXPECT_EQ(QDir(store_.Folder()).entryList(QDir::Files), QStringList{"F070305101010"})
        << "no temporary file is left behind";

    // A failed copy keeps the copy that was there.
    EXPECT_FALSE(store_.Store(dir_.filePath("gone.doc"), "F070305101010"));
    EXPECT_EQ(Read(store_.StoredPath("F070305101010")), "second, longer");

    ASSERT_TRUE(store_.Store(Write("照片.jpg", "picture"), "G070305101011"));
    store_.RemoveStoredCopies({"F070305101010", "F000000000000"});
    EXPECT_EQ(QDir(store_.Folder()).entryList(QDir::Files), QStringList{"G070305101011"});
    EXPECT_TRUE(store_.Remove("G070305101011"));
    EXPECT_TRUE(store_.Remove("G070305101011")) << "a missing copy is no error";
}

TEST_F(AttachmentStoreTest, FailuresLeaveNothingHalfWritten) {
    const QString source = Write("a.txt", "text");
    // Every missing level is created; a file where a folder should be fails.
    const TAttachmentStore fresh(dir_.filePath("missing/program"));
    EXPECT_TRUE(fresh.Store(source, "F1"));
    EXPECT_EQ(Read(fresh.StoredPath("F1")), "text");
    const TAttachmentStore blocked(source);
    EXPECT_FALSE(blocked.EnsureFolder());
    EXPECT_FALSE(blocked.Store(source, "F1"));

    // A folder in the way of the copy's name.
    ASSERT_TRUE(QDir().mkpath(store_.Folder() + "/F2"));
    EXPECT_FALSE(store_.Store(source, "F2"));
    EXPECT_EQ(QDir(store_.Folder()).entryList(QDir::Files), QStringList{});

    // Ids that are no plain file name never reach outside the folder.
    for (const QString id : {"", ".", "..", "../a.txt", "x/y", "x\\y"}) {
        EXPECT_TRUE(store_.StoredPath(id).isEmpty()) << id.toStdString();
        EXPECT_FALSE(store_.Remove(id));
    }
    EXPECT_EQ(Read(source), "text");
}

TEST_F(AttachmentStoreTest, ExportCopiesOverAnExistingFile) {
    ASSERT_TRUE(store_.Store(Write("src.pdf", "stored"), "F3"));
    const QString target = Write("out.pdf", "old export, longer");
    EXPECT_EQ(store_.CopyOut("F3", target), TAttachmentStore::TCopyResult::Done);
    EXPECT_EQ(Read(target), "stored");
    EXPECT_EQ(store_.CopyOut("F4", target), TAttachmentStore::TCopyResult::Missing);
    EXPECT_EQ(store_.CopyOut("F3", dir_.filePath("no/such/folder/out.pdf")),
              TAttachmentStore::TCopyResult::Failed);
    EXPECT_EQ(Read(target), "stored");
}

} // namespace
} // namespace kx::staff
