#include "tools/griddemo/filterrowdemo.h"

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/dbgridfilter.h"
#include "platform/db/field.h"

#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace kx {

namespace {

bool IsNull(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

// -1, 0 or 1; numbers as numbers, anything else as text.
int CompareValues(const QVariant& value, const QVariant& operand) {
    bool valueIsNumber = false;
    bool operandIsNumber = false;
    const double a = value.toDouble(&valueIsNumber);
    const double b = operand.toDouble(&operandIsNumber);
    if (valueIsNumber && operandIsNumber && operand.typeId() != QMetaType::QString)
        return a < b ? -1 : (a > b ? 1 : 0);
    return QString::compare(value.toString(), operand.toString());
}

// "%" stands for any text and "_" for one character; without them the
// operand is looked for anywhere in the value.
bool Like(const QString& value, const QString& pattern) {
    if (!pattern.contains(u'%') && !pattern.contains(u'_'))
        return value.contains(pattern, Qt::CaseInsensitive);
    QString expression;
    for (const QChar ch : pattern)
        expression += ch == u'%'   ? QStringLiteral(".*")
                      : ch == u'_' ? QStringLiteral(".")
                                   : QRegularExpression::escape(QString(ch));
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption)
        .match(value)
        .hasMatch();
}

bool InList(const QVariant& value, const QVariant& operand) {
    const QVariantList items =
        operand.typeId() == QMetaType::QVariantList ? operand.toList() : QVariantList{operand};
    return std::any_of(items.begin(), items.end(),
                       [&](const QVariant& item) { return CompareValues(value, item) == 0; });
}

bool Condition(quint8 op, const QVariant& value, const QVariant& operand) {
    if (op == fopIsNull)
        return IsNull(value);
    if (op == fopIsNotNull)
        return !IsNull(value);
    if (IsNull(value))
        return false;
    switch (op) {
    case fopEqual:
        return CompareValues(value, operand) == 0;
    case fopNotEqual:
        return CompareValues(value, operand) != 0;
    case fopGreater:
        return CompareValues(value, operand) > 0;
    case fopLess:
        return CompareValues(value, operand) < 0;
    case fopGreaterOrEqual:
        return CompareValues(value, operand) >= 0;
    case fopLessOrEqual:
        return CompareValues(value, operand) <= 0;
    case fopLike:
        return Like(value.toString(), operand.toString());
    case fopNotLike:
        return !Like(value.toString(), operand.toString());
    case fopIn:
        return InList(value, operand);
    case fopNotIn:
        return !InList(value, operand);
    default:
        return true;
    }
}

} // namespace

bool FilterExpressionAccepts(const TSTFilterExpressionX& expression, const QVariant& value) {
    if (expression.Operator1 == fopNone)
        return true;
    const bool first = Condition(expression.Operator1, value, expression.Operand1);
    if (expression.Relation == fopAnd)
        return first && Condition(expression.Operator2, value, expression.Operand2);
    if (expression.Relation == fopOr)
        return first || Condition(expression.Operator2, value, expression.Operand2);
    return first;
}

TFilterRowDemo::TFilterRowDemo(QWidget* parent) : QWidget(parent), grid_(this) {
    data_.SetTreeView(false);
    data_.DefineFields({{QStringLiteral("PAYEE"), db::ftString, 30},
                        {QStringLiteral("CITY"), db::ftString, 20},
                        {QStringLiteral("AMOUNT"), db::ftFloat, 0},
                        {QStringLiteral("NOTE"), db::ftString, 80}});
    const QStringList cities{QStringLiteral("Harbour"), QStringLiteral("Hilltown"), QString(),
                             QStringLiteral("Riverside")};
    for (int i = 1; i <= 24; ++i) {
        const QString city = cities[i % cities.size()];
        data_.AddNode(1, {QStringLiteral("Payee %1").arg(i, 2, 10, QLatin1Char('0')),
                          city.isEmpty() ? QVariant() : QVariant(city), 125.5 * i,
                          i % 3 == 0 ? QVariant()
                                     : QVariant(QStringLiteral("Payment %1 for the quarter's "
                                                               "office supplies and postage")
                                                    .arg(i))});
    }
    source_.SetDataSet(&data_);
    grid_.STFilter()->SetVisible(true);
    struct TShown {
        const char* Field;
        const char* Caption;
        int Width;
    };
    constexpr TShown shown[] = {{"PAYEE", "Payee", 120},
                                {"CITY", "City", 110},
                                {"AMOUNT", "Amount", 90},
                                {"NOTE", "Note", 220}};
    for (const TShown& item : shown) {
        TColumnX* column = grid_.Columns()->Add();
        column->SetFieldName(QString::fromLatin1(item.Field));
        column->Title()->SetCaption(QString::fromLatin1(item.Caption));
        column->SetWidth(item.Width);
        column->SetToolTips(true);
    }
    grid_.OnApplyFilter = [this](TCustomDBGridX*) { FilterRows(); };
    grid_.SetDataSource(&source_);
    data_.Open();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&grid_);
}

void TFilterRowDemo::FilterRows() {
    struct TColumnFilter {
        int FieldIndex;
        TSTFilterExpressionX Expression;
    };
    QList<TColumnFilter> filters;
    for (int i = 0; i < grid_.Columns()->Count(); ++i) {
        const TColumnX* column = grid_.Columns()->GetColumn(i);
        const db::TField* field = data_.FindField(column->FieldName());
        const TSTFilterExpressionX& expression = column->STFilter()->GetExpression();
        if (field && expression.Operator1 != fopNone)
            filters.append({field->FieldNo() - 1, expression});
    }
    data_.SetRowFilter([filters](const QVariantList& values) {
        return std::all_of(filters.begin(), filters.end(), [&](const TColumnFilter& filter) {
            return FilterExpressionAccepts(filter.Expression, values.value(filter.FieldIndex));
        });
    });
}

} // namespace kx
