#pragma once
// The most-recently-used texts of an edit or a grid column, oldest first,
// newest last, and the settings of the list that offers them while typing.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace kx {

class TMRUListX {
public:
    explicit TMRUListX(QObject* owner = nullptr) : owner_(owner) {}

    QObject* Owner() const { return owner_; }
    bool Active() const { return active_; }
    void SetActive(bool active);
    bool AutoAdd() const { return autoAdd_; }
    void SetAutoAdd(bool autoAdd) { autoAdd_ = autoAdd; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive) { caseSensitive_ = caseSensitive; }
    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items) { items_ = items; }
    int Limit() const { return limit_; }
    void SetLimit(int limit);
    int Rows() const { return rows_; }
    void SetRows(int rows) { rows_ = rows; }
    // The width the user last sized the list to; 0 until then.
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }

    // A blank text adds nothing; a known one (by the case rule) moves to the
    // end; a new one is appended and the oldest dropped beyond Limit.
    void AddText(const QString& text);
    // Fills target with the items that begin with prefix; OnItemFilter may
    // change each answer. The list is short (Limit), so the copy always runs
    // to its end.
    void CopyMatching(QStringList& target, const QString& prefix) const;
    void TrimToLimit();
    virtual void OpenList();
    virtual void CloseList(bool accept);
    void Assign(const TMRUListX& source);
    virtual ~TMRUListX() = default;

    std::function<void(TMRUListX* sender)> OnOpenList;
    std::function<void(TMRUListX* sender, bool accept)> OnCloseList;
    std::function<void(TMRUListX* sender)> OnActivityChange;
    std::function<void(const TMRUListX* sender, const QString& item, bool& accept)> OnItemFilter;

private:
    bool SameText(const QString& a, const QString& b) const;

    QObject* owner_;
    QStringList items_;
    int limit_ = 100;
    int rows_ = 7;
    int width_ = 0;
    bool autoAdd_ = true;
    bool active_ = false;
    bool caseSensitive_ = false;
};

} // namespace kx
