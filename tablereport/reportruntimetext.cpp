#include "tablereport/reportruntimetext.h"

#include "core/moneytext.h"
#include "platform/sys/cp936.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/messagedialog.h"

#include <QRegularExpression>

namespace kx {
namespace {

// Names and keywords compare in ASCII upper case; Chinese names stay as they
// are.
QString AsciiUpper(const QString& text) {
    QString upper = text;
    for (QChar& c : upper)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return upper;
}

bool StartsWithNoCase(const QString& text, const QString& prefix) {
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// Trims bytes up to the blank at both ends.
QByteArray TrimControl(const QByteArray& bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && uchar(bytes[begin]) <= ' ')
        ++begin;
    while (end > begin && uchar(bytes[end - 1]) <= ' ')
        --end;
    return bytes.mid(begin, end - begin);
}

// The text between the brackets when open comes before close: copied from
// the byte after open for (position of close - 2) bytes, positions from 1.
std::optional<QString> TagCaption(const QByteArray& bytes, char open, char close) {
    const qsizetype openAt = bytes.indexOf(open) + 1;
    const qsizetype closeAt = bytes.indexOf(close) + 1;
    if (openAt == 0 || closeAt == 0 || openAt >= closeAt)
        return std::nullopt;
    const QByteArray caption = bytes.mid(openAt, std::max<qsizetype>(closeAt - 2, 0));
    return cp936::Decode(TrimControl(caption));
}

std::optional<QString> FieldTag(const QString& caption, const TPrintFieldsArray& fields,
                                bool master) {
    for (const TPrintFields& field : fields)
        if (field.Caption == caption && (master ? field.InMaster : field.InDetail))
            return QString(master ? u'@' : u'#') + field.DataSetName + u'.' + field.FieldName;
    return std::nullopt;
}

void ShowSumPrompt(const QString& text) {
    ui::ShowMessageDialog(nullptr, QStringLiteral("提示信息"), text, ui::MessageIcon::Warning,
                          ui::MessageButtons::Ok);
}

// Evaluates "3", "2+3-4" from left to right; nothing when the list is not one.
std::optional<double> EvaluateSumList(const QString& list, const TColumnSums& sums,
                                      const QString& zeroPrompt) {
    static const QRegularExpression term(QStringLiteral("\\s*([+-]?)\\s*(\\d+)\\s*"));
    double value = 0;
    qsizetype at = 0;
    bool first = true;
    while (at < list.size() || first) {
        const QRegularExpressionMatch match =
            term.match(list, at, QRegularExpression::NormalMatch,
                       QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch() || (!first && match.capturedView(1).isEmpty()))
            return std::nullopt;
        first = false;
        at = match.capturedEnd();
        bool ok = false;
        const int column = match.captured(2).toInt(&ok);
        if (!ok)
            return std::nullopt;
        if (column == 0)
            ShowSumPrompt(zeroPrompt);
        const double amount =
            column >= 1 && column <= kSumColumns ? sums[std::size_t(column - 1)] : 0.0;
        value += match.capturedView(1) == u"-" ? -amount : amount;
    }
    return value;
}

} // namespace

QString TranslateTags(const QString& text, const TPrintFieldsArray& fields) {
    const QByteArray bytes = cp936::Encode(text);
    if (const auto caption = TagCaption(bytes, '{', '}'))
        return FieldTag(*caption, fields, true).value_or(text);
    if (const auto caption = TagCaption(bytes, '[', ']'))
        return FieldTag(*caption, fields, false).value_or(text);
    if (const auto name = TagCaption(bytes, '<', '>'))
        return u'`' + *name;
    return text;
}

void TVarTable::SetVarValue(const QString& name, const QString& value) {
    const QString upper = AsciiUpper(name);
    bool found = false;
    for (TVarTableItem& item : items_) {
        if (item.Name == upper) {
            item.Value = value;
            found = true;
        }
    }
    if (!found)
        items_.push_back({upper, value});
}

QString TVarTable::ResolveVariable(const QString& text, const QDateTime& now) const {
    const QString name = AsciiUpper(text.mid(1));
    const QString date = now.date().toString(QStringLiteral("yyyy-MM-dd"));
    const QString time = now.time().toString(QStringLiteral("HH:mm:ss"));
    if (name == u"DATE")
        return date;
    if (name == u"TIME")
        return time;
    if (name == u"DATETIME")
        return date + u' ' + time;
    for (const TVarTableItem& item : items_)
        if (item.Name == name)
            return item.Value;
    return {};
}

std::optional<QString> PageNumberText(const QString& text, int page, int pageCount) {
    const QString upper = AsciiUpper(text);
    if (upper == u"`PAGENUM")
        return QStringLiteral("第 %1 页").arg(page);
    if (upper == u"`PAGENUM/")
        return QStringLiteral("第 %1/%2 页").arg(page).arg(pageCount);
    if (upper == u"`PAGENUM-")
        return QStringLiteral("第 %1-%2 页").arg(pageCount).arg(page);
    return std::nullopt;
}

bool IsPageNumberTag(const QString& text) {
    return StartsWithNoCase(text, QStringLiteral("`PAGENUM"));
}

bool IsSumTag(const QString& text) {
    return StartsWithNoCase(text, QStringLiteral("`SUM("));
}

bool IsPageSumTag(const QString& text) {
    return StartsWithNoCase(text, QStringLiteral("`SUMPAGE("));
}

QString SumText(const QString& text, const TColumnSums& sums, const QString& displayFormat,
                bool pageSum) {
    const QString name = pageSum ? QStringLiteral("Sumpage") : QStringLiteral("SumAll");
    const QString errorPrompt = QStringLiteral("统计时发生错误，请检查`%1()设置是否正确").arg(name);
    const QString empty = pageSum ? QString() : QStringLiteral("0");
    const qsizetype open = text.indexOf(u'(');
    const qsizetype close = text.indexOf(u')', open + 1);
    if (close < 0) {
        ShowSumPrompt(errorPrompt);
        return empty;
    }
    const std::optional<double> value =
        EvaluateSumList(text.mid(open + 1, close - open - 1), sums,
                        QStringLiteral("模板中`%1()括号内参数不应为零").arg(name));
    if (!value)
        ShowSumPrompt(errorPrompt);
    if (!value || *value == 0)
        return empty;
    if (displayFormat == u"大写金额")
        return AmountToChinese(sys::FloatToStr(*value));
    return sys::FormatFloat(displayFormat, *value);
}

} // namespace kx
