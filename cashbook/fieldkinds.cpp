#include "cashbook/fieldkinds.h"

#include <QList>

#include <algorithm>

namespace kx {
namespace {

struct TFieldKind {
    QString Kind;
    QString Column;
    TFieldKindDefaults Defaults;
};

QList<TFieldKind> MakeKinds() {
    const QString string = QStringLiteral("String");
    const QString date = QStringLiteral("Date");
    const QString number = QStringLiteral("Float");
    const QString typed = QStringLiteral("T");
    const QString picked = QStringLiteral("DT");
    const QString dated = QStringLiteral("D");
    QList<TFieldKind> kinds;
    for (int n = 1; n <= 7; ++n)
        kinds.append({QStringLiteral("%1字符字段").arg(n),
                      QStringLiteral("MONEY_TEXT_FIELD%1").arg(n),
                      {string, n <= 5 ? "50" : "160", n <= 5 ? "20" : "80", typed}});
    for (int n = 1; n <= 2; ++n)
        kinds.append({QStringLiteral("%1日期字段").arg(n),
                      QStringLiteral("MONEY_DATE_FIELD%1").arg(n),
                      {date, "0", "10", dated}});
    for (int n = 1; n <= 3; ++n)
        kinds.append({QStringLiteral("%1数据字段").arg(n),
                      QStringLiteral("MONEY_NUMBER_FIELD%1").arg(n),
                      {number, "0", "10", typed}});
    kinds.append(
        {QStringLiteral("编号字段"), QStringLiteral("MONEY_ID"), {string, "20", "16", typed}});
    kinds.append(
        {QStringLiteral("借贷日期字段"), QStringLiteral("MONEY_DATE"), {date, "0", "10", dated}});
    kinds.append({QStringLiteral("资金账号字段"),
                  QStringLiteral("MONEY_ACCOUNT_NAME"),
                  {string, "20", "20", picked}});
    kinds.append({QStringLiteral("借款字段"),
                  QStringLiteral("MONEY_INTO_NUMBER"),
                  {number, "0", "10", typed}});
    kinds.append({QStringLiteral("贷款字段"),
                  QStringLiteral("MONEY_OUT_NUMBER"),
                  {number, "0", "10", typed}});
    kinds.append({QStringLiteral("部门字段"),
                  QStringLiteral("MONEY_DEPT_NAME"),
                  {string, "20", "20", picked}});
    kinds.append({QStringLiteral("人员字段"),
                  QStringLiteral("MONEY_EMPLOYEE_NAME"),
                  {string, "20", "20", picked}});
    kinds.append({QStringLiteral("备注字段"),
                  QStringLiteral("MONEY_TEXT_NOTE"),
                  {string, "160", "80", typed}});
    return kinds;
}

const QList<TFieldKind>& Kinds() {
    static const QList<TFieldKind> kinds = MakeKinds();
    return kinds;
}

template <class Match> const TFieldKind* FindKind(Match match) {
    const auto found = std::find_if(Kinds().begin(), Kinds().end(), match);
    return found == Kinds().end() ? nullptr : &*found;
}

const TFieldKind* KindOfColumn(const QString& column) {
    return FindKind([&](const TFieldKind& kind) { return kind.Column == column; });
}

bool IsOneOf(const QString& text, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* name) { return text == QString::fromUtf8(name); });
}

} // namespace

const QStringList& FieldKinds() {
    static const QStringList texts = [] {
        QStringList list;
        for (const TFieldKind& kind : Kinds())
            list.append(kind.Kind);
        return list;
    }();
    return texts;
}

QString FieldKindColumn(const QString& kind) {
    const TFieldKind* found = FindKind([&](const TFieldKind& each) { return each.Kind == kind; });
    return found ? found->Column : QString();
}

QString ColumnFieldKind(const QString& column) {
    const TFieldKind* found = KindOfColumn(column);
    return found ? found->Kind : QString();
}

std::optional<TFieldKindDefaults> FieldKindDefaults(const QString& column) {
    const TFieldKind* found = KindOfColumn(column);
    if (!found)
        return std::nullopt;
    return found->Defaults;
}

QString WrittenFindType(const TFieldKindDefaults& defaults, const QString& inputMode) {
    if (inputMode == kChoiceInput && defaults.FieldType == QLatin1String("String") &&
        defaults.FindType != QLatin1String("D"))
        return QStringLiteral("DT");
    return defaults.FindType;
}

TInputModeRule InputModeForKind(const QString& kindText) {
    if (kindText.contains(QStringLiteral("日期字段")))
        return {kChoiceInput, true};
    if (kindText.contains(QStringLiteral("数据字段")))
        return {kDirectInput, true};
    if (IsOneOf(kindText, {"编号字段", "备注字段"}))
        return {kDirectInput, true};
    if (IsOneOf(kindText, {"人员字段", "部门字段", "资金账号字段"}))
        return {kChoiceInput, true};
    return {};
}

TSlotDialogStart SlotDialogStart(const QString& column, const QString& findType) {
    TSlotDialogStart start;
    start.Kind = ColumnFieldKind(column);
    start.Mode = findType == QLatin1String("DT") || findType == QLatin1String("D") ? kChoiceInput
                                                                                   : kDirectInput;
    if (IsOneOf(column, {"MONEY_ID", "MONEY_TEXT_NOTE"})) {
        start.KindEnabled = false;
        start.Mode = kDirectInput;
        start.ModeEnabled = false;
    } else if (IsOneOf(column, {"MONEY_DEPT_NAME", "MONEY_EMPLOYEE_NAME"})) {
        start.Mode = kChoiceInput;
        start.ModeEnabled = false;
    } else if (IsOneOf(column, {"MONEY_DATE", "MONEY_DATE_FIELD1", "MONEY_DATE_FIELD2",
                                "MONEY_ACCOUNT_NAME"})) {
        start.ModeEnabled = false;
    }
    return start;
}

} // namespace kx
