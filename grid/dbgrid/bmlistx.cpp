#include "grid/dbgrid/bmlistx.h"

#include "grid/base/drawingshims.h"
#include "platform/sys/exception.h"

namespace kx {

db::TBookmark TBMListX::CurrentBookmark() {
    if (!linkActive_)
        RaiseListError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    return LinkedDataSet()->Bookmark();
}

bool TBMListX::SearchBookmark(const db::TBookmark& bookmark, int& index) {
    if (cachedIndex_ >= 0 && bookmark == cachedBookmark_) {
        index = cachedIndex_;
        return cachedFound_;
    }
    int low = 0;
    int high = BookmarkCount() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int comparison = CompareItems(bookmarks_.at(middle), bookmark);
        if (comparison < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (comparison == 0) {
                found = true;
                low = middle;
            }
        }
    }
    index = low;
    cachedBookmark_ = bookmark;
    cachedIndex_ = low;
    cachedFound_ = found;
    return found;
}

int TBMListX::IndexOfBookmark(const db::TBookmark& bookmark) {
    int index = -1;
    return SearchBookmark(bookmark, index) ? index : -1;
}

bool TBMListX::IsCurrentRowMarked() {
    int index = -1;
    return SearchBookmark(CurrentBookmark(), index);
}

void TBMListX::MarkCurrentRow(bool value) {
    const db::TBookmark current = CurrentBookmark();
    int index = -1;
    if (SearchBookmark(current, index) == value)
        return;
    if (value)
        InsertAt(index, current);
    else
        RemoveAt(index);
}

void TBMListX::ClearAll() {
    if (bookmarks_.isEmpty())
        return;
    bookmarks_.clear();
    ListChanged();
    SelectionChanged();
    RefreshOwner();
}

void TBMListX::DeleteRecords() {
    db::TDataSet* dataSet = LinkedDataSet();
    dataSet->DisableControls();
    try {
        for (int i = BookmarkCount() - 1; i >= 0; --i) {
            dataSet->GotoBookmark(bookmarks_.at(i));
            dataSet->Delete();
            RemoveAt(i);
        }
    } catch (...) {
        dataSet->EnableControls();
        throw;
    }
    dataSet->EnableControls();
    SelectionChanged();
}

void TBMListX::SetLinkActive(bool value) {
    ClearAll();
    SelectionChanged();
    linkActive_ = value;
}

void TBMListX::RaiseListError(const QString& message) {
    throw Exception(message);
}

void TBMListX::ListChanged() {
    cachedBookmark_.clear();
    cachedIndex_ = -1;
}

int TBMListX::CompareItems(const db::TBookmark& a, const db::TBookmark& b) const {
    return CompareDataSetBookmarks(*LinkedDataSet(), a, b);
}

void TBMListX::InsertAt(int index, const db::TBookmark& bookmark) {
    bookmarks_.insert(index, bookmark);
    ListChanged();
}

void TBMListX::RemoveAt(int index) {
    bookmarks_.removeAt(index);
    ListChanged();
}

} // namespace kx
