#pragma once
// The data-aware grid's link to its data source: the field map that turns a
// column position into a field of the data set, and every notice of the
// data set passed on to the grid. It also knows whether the in-place editor
// holds text not yet written to the field.

#include "platform/db/datalink.h"

#include <QString>

#include <vector>

namespace kx {

class TCustomDBGridX;

class TGridDataLinkX : public db::TDataLink {
public:
    explicit TGridDataLinkX(TCustomDBGridX* grid) : grid_(grid) {}
    ~TGridDataLinkX() override { ClearFieldMap(); }

    TCustomDBGridX* OwnerGrid() const { return grid_; }

    // Refuses more positions than a grid can show.
    bool AddMapping(const QString& fieldName);
    void ClearFieldMap();
    int MapCount() const { return static_cast<int>(fieldIndexMap_.size()); }
    db::TField* MappedField(int position) const;
    bool ByColumnNames() const { return byColumnNames_; }
    void SetByColumnNames(bool value) { byColumnNames_ = value; }
    bool UsesDefaultFields() const;
    // The field count of the map.
    int FieldCount() const { return MapCount(); }

    bool EditorChanged() const { return editorChanged_; }
    void MarkEditorChanged() { editorChanged_ = true; }
    bool InWriteBack() const { return inWriteBack_; }
    // Esc: reloads the editor when it was typed in, else cancels the edit.
    void Reset();

    static constexpr int MaxMapCount = 268435455;

protected:
    void ActiveChanged() override;
    void DataEvent(db::TDataEvent event, db::TField* field) override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void LayoutChanged() override;
    void FocusControl(db::TField* field) override;
    void EditingChanged() override;
    void RecordChanged(db::TField* field) override;
    void UpdateData() override;

private:
    TCustomDBGridX* grid_;
    std::vector<int> fieldIndexMap_;
    bool byColumnNames_ = false;
    bool editorChanged_ = false;
    bool inWriteBack_ = false;
};

} // namespace kx
