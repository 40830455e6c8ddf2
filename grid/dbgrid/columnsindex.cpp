#include "grid/dbgrid/columnsindex.h"

#include "grid/base/drawingshims.h"

#include <algorithm>
#include <numeric>

namespace kx {

namespace {

bool IsBlank(QChar c) {
    return c.unicode() <= u' ';
}

void SkipBlanks(const QString& text, qsizetype& at) {
    while (at < text.size() && IsBlank(text.at(at)))
        ++at;
}

QString ReadQuotedItem(const QString& text, qsizetype& at) {
    QString item;
    ++at;
    while (at < text.size()) {
        const QChar c = text.at(at++);
        if (c != u'"')
            item += c;
        else if (at < text.size() && text.at(at) == u'"')
            item += text.at(at++);
        else
            break;
    }
    return item;
}

} // namespace

QStringList SplitCommaText(const QString& text) {
    QStringList items;
    qsizetype at = 0;
    SkipBlanks(text, at);
    while (at < text.size()) {
        if (text.at(at) == u'"') {
            items << ReadQuotedItem(text, at);
        } else {
            const qsizetype start = at;
            while (at < text.size() && !IsBlank(text.at(at)) && text.at(at) != u',')
                ++at;
            items << text.mid(start, at - start);
        }
        SkipBlanks(text, at);
        if (at < text.size() && text.at(at) == u',') {
            ++at;
            SkipBlanks(text, at);
            if (at == text.size())
                items << QString(); // a trailing comma ends an empty item
        }
    }
    return items;
}

QString ColumnsIndexText(const QStringList& fieldNames) {
    QStringList quoted;
    for (const QString& name : fieldNames)
        quoted << u'"' + name + u'"';
    return quoted.join(u',');
}

std::vector<int> ColumnsIndexOrder(const QStringList& fieldNames, const QString& text) {
    std::vector<int> order(static_cast<std::size_t>(fieldNames.size()));
    std::iota(order.begin(), order.end(), 0);
    const QStringList items = SplitCommaText(text);
    for (int position = 0; position < items.size(); ++position) {
        const auto found = std::find_if(order.begin(), order.end(), [&](int column) {
            return CompareStrLocale(fieldNames.at(column), items.at(position)) == 0;
        });
        if (found == order.end())
            continue;
        const int column = *found;
        order.erase(found);
        const auto target = std::min<std::size_t>(static_cast<std::size_t>(position), order.size());
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(target), column);
    }
    return order;
}

} // namespace kx
