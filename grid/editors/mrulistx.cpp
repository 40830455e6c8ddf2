#include "grid/editors/mrulistx.h"

#include "grid/base/drawingshims.h"

namespace kx {

void TMRUListX::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (OnActivityChange)
        OnActivityChange(this);
}

void TMRUListX::SetLimit(int limit) {
    if (limit == limit_)
        return;
    limit_ = limit;
    TrimToLimit();
}

bool TMRUListX::SameText(const QString& a, const QString& b) const {
    return caseSensitive_ ? CompareStrLocale(a, b) == 0 : CompareTextLocale(a, b) == 0;
}

void TMRUListX::AddText(const QString& text) {
    if (text.trimmed().isEmpty())
        return;
    for (int i = 0; i < items_.size(); ++i) {
        if (SameText(items_.at(i), text)) {
            items_.move(i, items_.size() - 1);
            return;
        }
    }
    items_.append(text);
    TrimToLimit();
}

void TMRUListX::CopyMatching(QStringList& target, const QString& prefix) const {
    target.clear();
    for (const QString& item : items_) {
        bool accept = SameText(item.left(prefix.size()), prefix);
        if (OnItemFilter)
            OnItemFilter(this, item, accept);
        if (accept)
            target.append(item);
    }
}

void TMRUListX::TrimToLimit() {
    while (items_.size() > std::max(limit_, 0))
        items_.removeFirst();
}

void TMRUListX::OpenList() {
    if (OnOpenList)
        OnOpenList(this);
}

void TMRUListX::CloseList(bool accept) {
    if (OnCloseList)
        OnCloseList(this, accept);
}

void TMRUListX::Assign(const TMRUListX& source) {
    SetActive(source.active_);
    items_ = source.items_;
    limit_ = source.limit_;
    rows_ = source.rows_;
    caseSensitive_ = source.caseSensitive_;
}

} // namespace kx
