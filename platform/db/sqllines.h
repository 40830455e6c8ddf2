#pragma once
// SQL text kept as lines, as the statements of queries and update objects
// are written and copied line by line. The owner learns of every change.

#include <QStringList>

#include <functional>

namespace kx::db {

class TSqlLines {
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    const QString& operator[](int index) const { return lines_.at(index); }
    const QStringList& Lines() const { return lines_; }
    // Every line followed by a line break.
    QString Text() const;

    void Clear() {
        Change([this] { lines_.clear(); });
    }
    void Add(const QString& line) {
        Change([&] { lines_.append(line); });
    }
    void SetLines(const QStringList& lines) {
        Change([&] { lines_ = lines; });
    }
    void SetText(const QString& text);
    void Assign(const TSqlLines& other) { SetLines(other.lines_); }

    std::function<void()> OnChange;

private:
    template <typename Edit> void Change(Edit edit) {
        edit();
        if (OnChange)
            OnChange();
    }

    QStringList lines_;
};

} // namespace kx::db
