// The filter row's models: the grid's switch and each column's filter.

#include "grid/dbgrid/dbgridfilter.h"

#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/datasetfieldvaluelistx.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/numberformat.h"

namespace kx {

namespace {

bool IsListValue(const QVariant& value) {
    return value.typeId() == QMetaType::QVariantList;
}

bool IsNullValue(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

bool HasPickOperand(quint8 op) {
    return op >= fopEqual && op <= fopNotIn;
}

} // namespace

quint8 FilterOperandTypeOf(int dataType) {
    switch (dataType) {
    case db::ftString:
    case db::ftMemo:
    case db::ftFmtMemo:
    case db::ftFixedChar:
    case db::ftWideString:
    case db::ftGuid:
        return fetText;
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
    case db::ftAutoInc:
    case db::ftLargeint:
    case db::ftFMTBcd:
        return fetNumber;
    case db::ftDate:
    case db::ftTime:
    case db::ftDateTime:
    case db::ftTimeStamp:
        return fetDateTime;
    case db::ftBoolean:
        return fetLogical;
    default:
        return fetOther;
    }
}

QString FilterValueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
        return sys::FloatToStr(value.toDouble());
    case QMetaType::QDate:
        return sys::FormatDateTime(QStringLiteral("yyyy-mm-dd"), value.toDate());
    case QMetaType::QDateTime:
        return sys::FormatDateTime(QStringLiteral("yyyy-mm-dd"), value.toDateTime());
    default:
        return u'\'' + value.toString() + u'\'';
    }
}

QString FilterOperatorText(quint8 op, const QVariant& operand) {
    if (op == fopIsNull)
        return QStringLiteral("=Null");
    if (op == fopIsNotNull)
        return QStringLiteral("<>Null");
    QString text = QString::fromLatin1(FilterOperatorSymbols.at(op));
    if (op != fopIn && op != fopNotIn)
        return text + u' ' + FilterValueText(operand);
    const QVariantList items = IsListValue(operand) ? operand.toList() : QVariantList{operand};
    QStringList written;
    for (const QVariant& item : items)
        written.append(FilterValueText(item));
    return text + QStringLiteral(" (") + written.join(u',') + u')';
}

QString QuotedValueList(const QVariant& value) {
    if (!IsListValue(value))
        return value.toString();
    QStringList written;
    for (const QVariant& item : value.toList())
        written.append(u'\'' + item.toString() + u'\'');
    return written.join(u',');
}

// ---- The grid's filter row ---------------------------------------------

void TSTDBGridXFilter::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    grid_->LayoutChanged();
    grid_->RefreshEditor();
}

void TSTDBGridXFilter::Assign(const TSTDBGridXFilter& source) {
    SetVisible(source.visible_);
    local_ = source.local_;
}

// ---- A column's filter -------------------------------------------------

TSTColumnFilterX::TSTColumnFilterX(TColumnX* column) : column_(column), keyValues_(FilterNull()) {
    ResetFilterExpression(expression_);
}

void TSTColumnFilterX::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    column_->NotifyChanged(false);
}

bool TSTColumnFilterX::HasPickKeys() const {
    return !column_->KeyList().isEmpty() && !column_->PickList().isEmpty();
}

void TSTColumnFilterX::ParseText(const QString& text, QString& normalText) {
    if (const db::TField* field = column_->Field())
        expression_.ExpressionType = FilterOperandTypeOf(field->DataType());
    if (HasPickKeys())
        expression_.ExpressionType = fetText;
    ParseFilterRowExpression(text, expression_);
    PickToKey(expression_);
    normalText = ExpressionAsText();
}

void TSTColumnFilterX::PickToKey(TSTFilterExpressionX& expression) const {
    if (!HasPickKeys())
        return;
    const QStringList picks = column_->PickList();
    const QStringList keys = column_->KeyList();
    const auto toKey = [&](const QVariant& value) -> QVariant {
        const int index = picks.indexOf(value.toString());
        return index >= 0 && index < keys.size() ? QVariant(keys[index]) : value;
    };
    const auto replace = [&](quint8 op, QVariant& operand) {
        if (!HasPickOperand(op) || IsNullValue(operand))
            return;
        if (!IsListValue(operand)) {
            operand = toKey(operand);
            return;
        }
        QVariantList items = operand.toList();
        for (QVariant& item : items)
            item = toKey(item);
        operand = items;
    };
    replace(expression.Operator1, expression.Operand1);
    replace(expression.Operator2, expression.Operand2);
}

void TSTColumnFilterX::SetExpressionText(const QString& text) {
    QString normalText;
    const QString keyField = GetKeyField();
    ParseText(text, normalText);
    if (!keyField.isEmpty() && expression_.Operator1 != fopIsNull &&
        expression_.Operator1 != fopIsNotNull) {
        // A text with no list to look it up in stands for no key, never for
        // the key of an earlier text.
        keyValues_ = FilterNull();
        db::TDataSet* listDataSet = GetListDataSet();
        if (!text.isEmpty() && listDataSet)
            keyValues_ = listDataSet->Lookup(GetListField(), text, keyField);
        ParseText(QString(), normalText);
        expression_.ExpressionType = fetText;
        if (IsNullValue(keyValues_)) {
            expression_.Operator1 = text.isEmpty() ? fopNone : fopIsNull;
        } else {
            expression_.Operator1 = fopIn;
            expression_.Operand1 = text;
        }
    }
    expressionText_ = text;
}

void TSTColumnFilterX::ChangeExpressionText(const QString& text) {
    SetExpressionText(text);
    TCustomDBGridX* grid = column_->Grid();
    if (!grid)
        return;
    grid->InvalidateGrid();
    if (grid->FilterEditorActive())
        grid->PlaceFilterEditor(false);
}

void TSTColumnFilterX::Clear() {
    keyValues_ = FilterNull();
    ChangeExpressionText(QString());
}

QString TSTColumnFilterX::ExpressionAsText() const {
    if (expression_.ExpressionType == fetOther || expression_.Operator1 == fopNone)
        return {};
    if (listSource_)
        return QuotedValueList(expression_.Operand1);
    QString text = FilterOperatorText(expression_.Operator1, expression_.Operand1);
    if (expression_.Relation != fopNone)
        text += u' ' + QString::fromLatin1(FilterOperatorSymbols.at(expression_.Relation)) + u' ' +
                FilterOperatorText(expression_.Operator2, expression_.Operand2);
    return text;
}

QVariant TSTColumnFilterX::GetOperand1() const {
    return GetKeyField().isEmpty() ? expression_.Operand1 : keyValues_;
}

QVariant TSTColumnFilterX::GetOperand2() const {
    return expression_.Operand2;
}

db::TField* TSTColumnFilterX::LookupField() const {
    const TCustomDBGridX* grid = column_->Grid();
    if (!grid || !grid->DataLink()->Active())
        return nullptr;
    const db::TDataSet* dataSet = grid->DataLink()->DataSet();
    db::TField* field = dataSet ? dataSet->FindField(column_->FieldName()) : nullptr;
    return field && field->Lookup() ? field : nullptr;
}

QString TSTColumnFilterX::GetKeyField() const {
    if (!keyField_.isEmpty())
        return keyField_;
    const db::TField* field = LookupField();
    return field ? field->LookupKeyFields() : QString();
}

QString TSTColumnFilterX::GetListField() const {
    if (!listField_.isEmpty())
        return listField_;
    const db::TField* field = LookupField();
    return field ? field->LookupResultField() : QString();
}

db::TDataSet* TSTColumnFilterX::GetListDataSet() const {
    if (listSource_ && listSource_->DataSet())
        return listSource_->DataSet();
    const db::TField* field = LookupField();
    return field ? field->LookupDataSet() : nullptr;
}

QString TSTColumnFilterX::GetDataField() const {
    if (!dataField_.isEmpty())
        return dataField_;
    const db::TField* field = LookupField();
    return field ? field->KeyFields() : column_->FieldName();
}

bool TSTColumnFilterX::HasValueList() const {
    const TCustomDBGridX* grid = column_->Grid();
    return listSource_ || (grid && grid->HasDatasetCursor());
}

std::shared_ptr<IMemTableDataFieldValueListX> TSTColumnFilterX::GetValueList() const {
    const TCustomDBGridX* grid = column_->Grid();
    db::TDataSet* listDataSet = listSource_ ? listSource_->DataSet() : nullptr;
    if (!grid || !grid->DataLink()->Active() || !listDataSet || !listDataSet->Active())
        return nullptr;
    const db::TField* field =
        listDataSet->FindField(listField_.isEmpty() ? column_->FieldName() : listField_);
    if (!field)
        return nullptr;
    auto list = std::make_shared<TDatasetFieldValueListX>();
    list->ChangeFieldName(field->FieldName());
    list->ChangeDataSet(listDataSet);
    return list;
}

void TSTColumnFilterX::Assign(const TSTColumnFilterX& source) {
    dataField_ = source.dataField_;
    SetVisible(source.visible_);
    keyField_ = source.keyField_;
    listField_ = source.listField_;
    listSource_ = source.listSource_;
}

} // namespace kx
