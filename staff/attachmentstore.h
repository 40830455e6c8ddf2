#pragma once
// The folder "DataFile" beside the data folder (in its parent, the program
// folder), where the documents and pictures attached to employees are kept,
// so that a data folder and its documents move together: one byte-for-byte copy per row,
// named by the row's record id without extension. The user's own file name
// lives only in the row.

#include <QString>
#include <QStringList>

namespace kx::staff {

class TAttachmentStore {
public:
    enum class TCopyResult { Done, Missing, Failed };

    // The store inside that program folder; by default the one above the
    // data folder.
    explicit TAttachmentStore(const QString& programFolder = {});

    QString Folder() const;
    // The stored copy of a record; empty for an id that is no plain file
    // name, so a damaged row never reaches outside the folder.
    QString StoredPath(const QString& recordId) const;
    bool HasCopy(const QString& recordId) const;

    // Creates the folder, with every missing level above it, when it is
    // missing.
    bool EnsureFolder() const;
    // Makes the file the record's stored copy. The copy is written under a
    // temporary name and takes the stored name only once complete, so a
    // failure leaves an earlier copy as it was.
    bool Store(const QString& sourceFile, const QString& recordId) const;
    // Removes the record's copy; a missing copy is no error.
    bool Remove(const QString& recordId) const;
    // Removes the copies of these records, e.g. the rows of an employee
    // whose deletion has been committed. Ids without a copy are skipped.
    void RemoveStoredCopies(const QStringList& recordIds) const;
    // Copies the stored copy to the target, replacing a file there.
    TCopyResult CopyOut(const QString& recordId, const QString& targetFile) const;

private:
    QString folder_;
};

} // namespace kx::staff
