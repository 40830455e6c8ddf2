#pragma once
// A list of record bookmarks kept in the data set's record order, with a
// binary search that remembers its last answer; the grid's selected records
// are one.

#include "platform/db/dataset.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kx {

class TBMListX {
public:
    TBMListX() = default;
    virtual ~TBMListX() = default;
    TBMListX(const TBMListX&) = delete;
    TBMListX& operator=(const TBMListX&) = delete;

    int BookmarkCount() const { return static_cast<int>(bookmarks_.size()); }
    const db::TBookmark& ItemAt(int index) const { return bookmarks_.at(index); }
    // The data set's current bookmark; refused while the link is inactive.
    db::TBookmark CurrentBookmark();
    // True when found; index is then its place, otherwise where it belongs.
    bool SearchBookmark(const db::TBookmark& bookmark, int& index);
    int IndexOfBookmark(const db::TBookmark& bookmark);
    bool IsCurrentRowMarked();
    virtual void MarkCurrentRow(bool value);
    virtual void ClearAll();
    // Deletes every listed record from the data set, the last first.
    void DeleteRecords();
    bool LinkActive() const { return linkActive_; }
    void SetLinkActive(bool value);

protected:
    virtual db::TDataSet* LinkedDataSet() const = 0;
    virtual void RefreshOwner() {}
    [[noreturn]] virtual void RaiseListError(const QString& message);
    virtual void ListChanged();
    virtual void SelectionChanged() {}
    virtual int CompareItems(const db::TBookmark& a, const db::TBookmark& b) const;

private:
    void InsertAt(int index, const db::TBookmark& bookmark);
    void RemoveAt(int index);

    QList<db::TBookmark> bookmarks_;
    db::TBookmark cachedBookmark_;
    int cachedIndex_ = -1;
    bool cachedFound_ = false;
    bool linkActive_ = false;
};

} // namespace kx
