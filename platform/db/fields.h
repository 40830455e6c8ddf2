#pragma once
// The ordered field list of a data set. The list does not own its fields:
// fields made at open belong to the data set, persistent fields to the
// owner that made them (Qt parents).

#include <QList>
#include <QString>

namespace kx::db {

class TField;

class TFields {
public:
    int Count() const { return static_cast<int>(fields_.size()); }
    TField* operator[](int index) const { return fields_.at(index); }
    TField* Fields(int index) const { return fields_.at(index); }
    // Letter case is ignored, as in SQL.
    TField* FindField(const QString& fieldName) const;
    // Raises EDatabaseError "Field 'X' not found".
    TField* FieldByName(const QString& fieldName) const;
    int IndexOf(const TField* field) const { return static_cast<int>(fields_.indexOf(field)); }

    QList<TField*>::const_iterator begin() const { return fields_.begin(); }
    QList<TField*>::const_iterator end() const { return fields_.end(); }

private:
    friend class TDataSet;
    friend class TField;

    void Add(TField* field) { fields_.append(field); }
    void Remove(TField* field) { fields_.removeOne(field); }
    // Moves a field to a new position, clamped to the list.
    void Move(TField* field, int index);
    void Clear() { fields_.clear(); }

    QList<TField*> fields_;
};

} // namespace kx::db
