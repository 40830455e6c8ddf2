#include "frame/dialogs/findcondition.h"

#include "core/sqlfunctions.h"
#include "platform/sys/cp936.h"
#include "platform/sys/dateformat.h"

#include <QRegularExpression>

#include <algorithm>

namespace kx {
namespace {

const QString kValueMissing = QStringLiteral("必须有一个查找的值");
const QString kNotANumber = QStringLiteral("查找的值必须是数字");

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool IsPlainNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(\\d+\\.?\\d*|\\.\\d+)$"));
    return number.match(text.trimmed()).hasMatch();
}

TFindResult Refuse(const QString& prompt, TFindFocus focus) {
    TFindResult result;
    result.Prompt = prompt;
    result.Focus = focus;
    return result;
}

class TPieceBuilder {
public:
    explicit TPieceBuilder(const TFindInput& input)
        : in_(input), field_(*input.Field), kind_(field_.FindKind.trimmed().toUpper()),
          typeCode_(field_.TypeCode.trimmed().toUpper()),
          relation_(input.Simple ? input.SqlRelation : input.SqlRelation + u' ') {}

    TFindResult Build();

private:
    QString Qualified(const QString& column) const {
        return field_.TableAlias.isEmpty() ? column : field_.TableAlias + u'.' + column;
    }
    QString F() const { return Qualified(field_.FieldName); }
    QString K() const { return Qualified(field_.FindKey); }
    bool IsLike() const { return in_.SqlRelation.compare(u"Like", Qt::CaseInsensitive) == 0; }
    bool SqlServer() const { return in_.SqlType == urSql_Server; }
    QString Join(const QString& subject, const QString& value) const {
        return subject + u' ' + relation_ + u' ' + value;
    }
    // The value quoted by the relation and the type code; false when it
    // would go unquoted and is no number.
    bool ValueForm(const QString& value, QString& form) const;
    // The subject for a value form, wrapped in ISNULL where the dialect
    // needs it for an unquoted number.
    QString NumberSubject(const QString& subject) const;

    TFindResult Text(const QString& value, TFindFocus focus, const QString& closing);
    TFindResult YearMonth();
    TFindResult Date();
    TFindResult SubSelect();
    TFindResult PickedFilter();
    TFindResult PickedKey();
    TFindResult DateBoxValue();
    TFindResult PickedId();

    bool DateBoxMissing(TFindResult& refusal) const;
    TFindResult Done(const QString& piece, const QString& value) const {
        TFindResult result;
        result.Accepted = true;
        result.Piece = piece;
        result.Value = value;
        return result;
    }

    const TFindInput& in_;
    const TFieldsData& field_;
    const QString kind_;
    const QString typeCode_;
    const QString relation_;
};

bool TPieceBuilder::ValueForm(const QString& value, QString& form) const {
    if (IsLike()) {
        form = QuotedStr(u'%' + value + u'%');
    } else if (typeCode_ == u"C") {
        form = QuotedStr(value);
    } else {
        if (!IsPlainNumber(value))
            return false;
        form = value.trimmed();
    }
    return true;
}

QString TPieceBuilder::NumberSubject(const QString& subject) const {
    const bool unquoted = !IsLike() && typeCode_ != u"C";
    return unquoted && SqlServer() && !in_.Simple
               ? QStringLiteral("ISNULL(") + subject + QStringLiteral(",0)")
               : subject;
}

bool TPieceBuilder::DateBoxMissing(TFindResult& refusal) const {
    if (!in_.DateText.trimmed().isEmpty())
        return false;
    refusal = Refuse(kValueMissing, TFindFocus::DateBox);
    return true;
}

TFindResult TPieceBuilder::Text(const QString& value, TFindFocus focus, const QString& closing) {
    if (value.trimmed().isEmpty())
        return Refuse(kValueMissing, focus);
    QString form;
    if (!ValueForm(value, form))
        return Refuse(kNotANumber, focus);
    return Done(Join(NumberSubject(F()), form) + closing, value);
}

TFindResult TPieceBuilder::YearMonth() {
    const QString year = in_.Year.trimmed();
    const QString month = in_.Month.trimmed();
    if (year.isEmpty())
        return Refuse(QStringLiteral("必须有一个查找的年份"), TFindFocus::YearBox);
    if (year.size() != 4 || !AllDigits(year))
        return Refuse(QStringLiteral("错误的年份,正确的年份如2000年是:“2000”"),
                      TFindFocus::YearBox);
    if (month.isEmpty())
        return Refuse(QStringLiteral("必须有一个查找的月份"), TFindFocus::MonthBox);
    if (month.size() != 2 || !AllDigits(month))
        return Refuse(QStringLiteral("错误的月份,正确的月份如8月是:“08”"), TFindFocus::MonthBox);
    const QString value = year + QStringLiteral("年") + month + QStringLiteral("月");
    if (typeCode_ == u"C")
        return Done(Join(F(), QuotedStr(value)), value);
    QString key;
    switch (in_.SqlType) {
    case urSql_Server:
        key = QStringLiteral("100 * Datepart(yy,%1) + Datepart(mm,%1)").arg(F());
        break;
    case urAccess:
        key = QStringLiteral("100 * YEAR(%1) + MONTH(%1)").arg(F());
        break;
    default:
        key = QStringLiteral("100 * EXTRACT(YEAR FROM %1) + EXTRACT(MONTH FROM %1)").arg(F());
        break;
    }
    return Done(Join(key, QString::number(100 * year.toInt() + month.toInt())), value);
}

TFindResult TPieceBuilder::Date() {
    const QString text = in_.DateText.trimmed();
    if (text.isEmpty())
        return Refuse(QStringLiteral("必须有一个查找的日期"), TFindFocus::DateBox);
    QDate date;
    if (text.size() != 10 || !sys::TryStrToDate(text, date))
        return Refuse(QStringLiteral("错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”"),
                      TFindFocus::DateBox);
    const QString value = in_.DateText;
    const QString number = QString::number(10000 * date.year() + 100 * date.month() + date.day());
    const QString quoted = u' ' + QuotedStr(text);
    if (kind_ == u"DLS") {
        const QString compared =
            SqlServer() ? Join(F(), quoted)
                        : Join(F() + u' ' + FindDateKey(field_.FindKey, in_.SqlType), number);
        return Done(compared + u')', value);
    }
    if (typeCode_ == u"C" && !in_.Simple)
        return Done(Join(F(), QuotedStr(text)), value);
    if (SqlServer())
        return Done(Join(F(), quoted), value);
    return Done(Join(FindDateKey(F(), in_.SqlType), number), value);
}

TFindResult TPieceBuilder::SubSelect() {
    TFindResult refusal;
    if (DateBoxMissing(refusal))
        return refusal;
    const QString value = in_.DateText;
    QString form;
    if (IsLike())
        form = QuotedStr(u'%' + value + u'%') + QStringLiteral(") ");
    else if (typeCode_ == u"C" || typeCode_ == u"D")
        form = QuotedStr(value) + QStringLiteral(") ");
    else if (IsPlainNumber(value))
        form = value.trimmed() + QStringLiteral(") ");
    else
        return Refuse(kNotANumber, TFindFocus::DateBox);
    const QString subject = K() + QStringLiteral(" IN (SELECT ") + field_.SubSelectColumn +
                            QStringLiteral(" FROM ") + field_.SubTable + QStringLiteral(" WHERE ") +
                            field_.SubWhereColumn;
    return Done(Join(subject, form), value);
}

TFindResult TPieceBuilder::PickedFilter() {
    TFindResult refusal;
    if (DateBoxMissing(refusal))
        return refusal;
    QString id = in_.PickedId;
    const bool fixed = id.contains(u'@');
    if (fixed)
        id = id.left(id.indexOf(u'@'));
    const QString value = in_.DateText;
    QString form;
    if (!ValueForm(value, form))
        return Refuse(kNotANumber, TFindFocus::DateBox);
    const QString compared = Join(F(), form);
    const int star = id.indexOf(u'*');
    TFindResult result =
        Done(star >= 0 ? (id.left(star) + compared + id.mid(star + 1)).trimmed() : id, value);
    result.RelationFixed = fixed;
    result.RelationFreed = !fixed;
    return result;
}

TFindResult TPieceBuilder::PickedKey() {
    TFindResult refusal;
    if (DateBoxMissing(refusal))
        return refusal;
    if (in_.PickedId.isEmpty())
        return Refuse(QStringLiteral("必须从弹出的窗口里选择一个值"), TFindFocus::DateBox);
    if (in_.DateText != in_.PickedValue)
        return Refuse(QStringLiteral("选择出来的值不能改变"), TFindFocus::DateBox);
    QString id;
    if (IsLike())
        id = QuotedStr(in_.PickedId + u'%');
    else if (typeCode_ == u"C")
        id = QuotedStr(in_.PickedId);
    else
        id = in_.PickedId;
    return Done(Join(K(), id) + (kind_ == u"ELS" ? QStringLiteral(")") : QString()), in_.DateText);
}

TFindResult TPieceBuilder::DateBoxValue() {
    TFindResult refusal;
    if (DateBoxMissing(refusal))
        return refusal;
    QString form;
    if (!ValueForm(in_.DateText, form))
        return Refuse(kNotANumber, TFindFocus::DateBox);
    return Done(Join(F(), form) + (kind_ == u"LDT" ? QStringLiteral(")") : QString()),
                in_.DateText);
}

TFindResult TPieceBuilder::PickedId() {
    TFindResult refusal;
    if (DateBoxMissing(refusal))
        return refusal;
    if (kind_ == u"BS")
        return Done(in_.PickedId, in_.DateText);
    if (kind_ == u"LBS")
        return Done(field_.FieldName + in_.PickedId + u')', in_.DateText);
    return Done(F() + QStringLiteral(" LIKE ") + QuotedStr(u'%' + in_.DateText.trimmed() + u'%'),
                in_.DateText);
}

TFindResult TPieceBuilder::Build() {
    const QString closing = in_.Simple ? QStringLiteral(")") : QStringLiteral(") ");
    if (kind_ == u"T")
        return Text(in_.Text, TFindFocus::TextBox, QString());
    if (kind_ == u"LS")
        return Text(in_.Text, TFindFocus::TextBox, closing);
    if (kind_ == u"Y")
        return YearMonth();
    if (kind_ == u"D" || kind_ == u"DLS")
        return Date();
    if (kind_ == u"B" || kind_ == u"S")
        return Text(in_.ChoiceText, TFindFocus::ChoiceBox, QString());
    if (kind_ == u"DS")
        return SubSelect();
    if (kind_ == u"BF")
        return PickedFilter();
    if (kind_ == u"ES" || kind_ == u"ELS")
        return PickedKey();
    if (kind_ == u"DSF" || kind_ == u"DT")
        return DateBoxValue();
    if (kind_ == u"BS")
        return PickedId();
    if (in_.Simple)
        return Done(QString(), QString());
    if (kind_ == u"BLS")
        return Text(in_.ChoiceText, TFindFocus::ChoiceBox, QStringLiteral(") "));
    if (kind_ == u"ESB")
        return PickedKey();
    if (kind_ == u"LDT")
        return DateBoxValue();
    if (kind_ == u"LBS" || kind_ == u"BT")
        return PickedId();
    return Done(QString(), QString());
}

} // namespace

TFindResult BuildFindCondition(const TFindInput& input) {
    return TPieceBuilder(input).Build();
}

QString FindDateKey(const QString& column, TSqlType sqlType) {
    if (sqlType == urAccess)
        return QStringLiteral("(10000 * YEAR(%1) +100 * MONTH(%1)) + DAY(%1)").arg(column);
    return QStringLiteral("(10000 * EXTRACT(YEAR FROM %1) +100 * EXTRACT(Month FROM %1)) + "
                          "EXTRACT(DAY FROM %1)")
        .arg(column);
}

QString FindConditionLine(const QString& logicWord, const QString& fieldText,
                          const QString& relationText, bool relationFixed, const QString& value) {
    const QString lead = logicWord.isEmpty() ? QStringLiteral(" ") : u' ' + logicWord + u' ';
    if (relationFixed)
        return (logicWord.isEmpty() ? lead : lead + u' ') + fieldText + QStringLiteral(" 等于 ") +
               value;
    return lead + fieldText + u' ' + relationText + u' ' + value;
}

QString AsFirstFindLine(const QString& line) {
    for (const QString& word : {QStringLiteral(" 并且 "), QStringLiteral(" 或着 ")})
        if (line.startsWith(word))
            return u' ' + line.mid(word.size()).trimmed();
    return line;
}

QString CleanFindText(const QString& text, bool simple) {
    const auto after = [](QString t, const QString& separator) {
        const qsizetype at = t.indexOf(separator);
        if (at < 0)
            return t;
        return cp936::CutToBytes(t.mid(at + separator.size()), 200).trimmed();
    };
    QString t = text.trimmed();
    if (simple && t.contains(u"？"))
        t = t.left(t.indexOf(u"？"));
    for (int i = 0; i < 2; ++i)
        t = after(t, QStringLiteral("；"));
    if (t.contains(u'?'))
        t = t.left(t.indexOf(u'?'));
    for (int i = 0; i < 3; ++i)
        t = after(t, QStringLiteral(";"));
    return t;
}

} // namespace kx
