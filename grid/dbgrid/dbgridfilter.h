#pragma once
// The models behind the grid's filter row: whether the row is shown, and
// each column's filter text with its parsed expression and, for columns that
// show a looked-up text, the key values that text stands for.

#include "grid/base/filterexpressionparser.h"
#include "platform/db/datasource.h"

#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>

namespace kx {

class IMemTableDataFieldValueListX;
class TColumnX;
class TCustomDBGridX;

// The operand type a filter on a field of this data type takes.
quint8 FilterOperandTypeOf(int dataType);
// An operand as the normal text writes it: numbers plainly, dates in the
// short date format, anything else between single quotes.
QString FilterValueText(const QVariant& value);
// One condition: "=Null" and "<>Null" for the null tests, "In (a,b)" for
// lists, else the operator, a blank and the operand.
QString FilterOperatorText(quint8 op, const QVariant& operand);
// A single value as its text; a list as its items in single quotes,
// separated by commas.
QString QuotedValueList(const QVariant& value);

class TSTDBGridXFilter {
public:
    explicit TSTDBGridXFilter(TCustomDBGridX* grid) : grid_(grid) {}

    bool Local() const { return local_; }
    void SetLocal(bool value) { local_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // While raised, the filter editor is not placed.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() { --updateCount_; }
    int UpdateCount() const { return updateCount_; }
    void Assign(const TSTDBGridXFilter& source);

private:
    TCustomDBGridX* grid_;
    bool local_ = false;
    bool visible_ = false;
    int updateCount_ = 0;
};

class TSTColumnFilterX {
public:
    explicit TSTColumnFilterX(TColumnX* column);
    virtual ~TSTColumnFilterX() = default;

    const QString& DataField() const { return dataField_; }
    void SetDataField(const QString& value) { dataField_ = value; }
    const QString& KeyField() const { return keyField_; }
    void SetKeyField(const QString& value) { keyField_ = value; }
    const QString& ListField() const { return listField_; }
    void SetListField(const QString& value) { listField_ = value; }
    db::TDataSource* ListSource() const { return listSource_; }
    void SetListSource(db::TDataSource* source) { listSource_ = source; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    const QVariant& KeyValues() const { return keyValues_; }
    const TSTFilterExpressionX& GetExpression() const { return expression_; }
    const QString& ExpressionText() const { return expressionText_; }

    // Takes the typed text as the filter; the shown text stays as typed.
    void SetExpressionText(const QString& text);
    // The same, and the grid shows it.
    void ChangeExpressionText(const QString& text);
    void Clear();
    // Parses text into the expression; normalText is how the filter reads.
    void ParseText(const QString& text, QString& normalText);

    virtual QString ExpressionAsText() const;
    virtual bool HasValueList() const;
    // Replaces operands found in the pick list by their keys.
    virtual void PickToKey(TSTFilterExpressionX& expression) const;
    virtual QString GetDataField() const;
    virtual QVariant GetOperand1() const;
    virtual QVariant GetOperand2() const;

    QString GetKeyField() const;
    QString GetListField() const;
    db::TDataSet* GetListDataSet() const;
    std::shared_ptr<IMemTableDataFieldValueListX> GetValueList() const;

    // Copies the settings; the expression stays.
    void Assign(const TSTColumnFilterX& source);

    // The size the user last gave the drop-down list; 0 until then.
    int DropDownWidth = 0;
    int DropDownRows = 0;

private:
    // The grid's field named like the column when it is a lookup field.
    db::TField* LookupField() const;
    bool HasPickKeys() const;

    TColumnX* column_;
    QString dataField_;
    QString keyField_;
    QString listField_;
    QPointer<db::TDataSource> listSource_;
    bool visible_ = true;
    QVariant keyValues_;
    TSTFilterExpressionX expression_;
    QString expressionText_;
};

} // namespace kx
