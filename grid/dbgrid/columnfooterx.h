#pragma once
// Footer cells of a column and the grid's sum list behind them. A footer
// shows nothing, a sum, an average or a count over the data set, a field of
// the current record, or a fixed text; a sum, average or count owns one
// entry in the grid's sum list for as long as it shows one.

#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/dbsumlist.h"

namespace kx {

enum TFooterValueType : quint8 { fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText };

class TColumnFooterX {
public:
    enum TFooterValue : quint8 { fvAlignment, fvFont, fvColor, fvToolTips };

    explicit TColumnFooterX(TColumnX* column);
    virtual ~TColumnFooterX();
    TColumnFooterX(const TColumnFooterX&) = delete;
    TColumnFooterX& operator=(const TColumnFooterX&) = delete;

    TColumnX* Column() const { return column_; }
    void Assign(const TColumnFooterX& source);
    virtual void ResetToDefaults();
    bool IsAssigned(TFooterValue value) const { return (assigned_ & (1u << value)) != 0; }

    TFooterValueType ValueType() const { return valueType_; }
    void SetValueType(TFooterValueType value);
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& value);
    const QString& Value() const { return value_; }
    void SetValue(const QString& value);
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& value);
    db::TAlignment Alignment() const;
    void SetAlignment(db::TAlignment value);
    ui::TColor Color() const;
    void SetColor(ui::TColor value);
    QFont Font() const;
    void SetFont(const QFont& font);
    QFont DefaultFont() const;
    bool ToolTips() const;
    void SetToolTips(bool value);
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    TDBSum* SumEntry() const { return sumEntry_; }
    // Null without a sum entry, else the entry's total.
    QVariant GetSumValue() const;
    // Gives the footer exactly the sum entry its value type asks for.
    void SyncSumEntry();

private:
    void MarkAssigned(TFooterValue value) { assigned_ |= 1u << value; }
    TCustomDBGridX* Grid() const;
    void FreeSumEntry();

    TColumnX* column_;
    unsigned assigned_ = 0;
    TFooterValueType valueType_ = fvtNon;
    QString fieldName_;
    QString value_;
    QString displayFormat_;
    db::TAlignment alignment_ = db::taLeftJustify;
    ui::TColor color_ = ui::clWindow;
    QFont font_;
    bool toolTips_ = false;
    bool endEllipsis_ = false;
    bool wordWrap_ = false;
    TDBSum* sumEntry_ = nullptr;
};

// The further footers of a column, one per footer row from the first.
class TColumnFootersX {
public:
    explicit TColumnFootersX(TColumnX* column) : column_(column) {}
    int Count() const { return static_cast<int>(items_.size()); }
    TColumnFooterX* Items(int index) const {
        return items_.at(static_cast<std::size_t>(index)).get();
    }
    TColumnFooterX* Add();
    void Delete(int index);
    void Clear();
    void Assign(const TColumnFootersX& source);

private:
    TColumnX* column_;
    std::vector<std::unique_ptr<TColumnFooterX>> items_;
};

// The grid's sum list: the aggregate producer, bound to the grid.
class TDBGridXSumList : public TDBSumListProducer {
    Q_OBJECT
public:
    using TDBSumListProducer::TDBSumListProducer;
    void Assign(const TDBGridXSumList& source);
};

} // namespace kx
