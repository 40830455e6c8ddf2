#pragma once
// The filler's text rules: tags written by the designer, variables, page
// numbers and sums, each turning a cell's text into what the page shows.

#include "tablereport/printfields.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kx {

// Sums are kept for the first 41 cells of the detail line.
constexpr int kSumColumns = 41;
using TColumnSums = std::array<double, kSumColumns>;

// {caption} becomes "@set.field" of the first master field with that
// caption, [caption] "#set.field" of a detail field, <name> "`name". The
// tag is cut out by code page 936 byte positions, so a tag after other text
// in the cell keeps the text as written.
QString TranslateTags(const QString& text, const TPrintFieldsArray& fields);

// Variables by name, the names compared in upper case.
class TVarTable {
public:
    void SetVarValue(const QString& name, const QString& value);
    // A text beginning with "`": the date, time or date and time, else the
    // variable's value; an unknown name gives an empty text.
    QString ResolveVariable(const QString& text, const QDateTime& now) const;

private:
    struct TVarTableItem {
        QString Name;
        QString Value;
    };
    std::vector<TVarTableItem> items_;
};

// "`PAGENUM", "`PAGENUM/" and "`PAGENUM-" as "第 N 页", "第 N/M 页" and
// "第 M-N 页"; nothing for any other text.
std::optional<QString> PageNumberText(const QString& text, int page, int pageCount);

// "`SUM(list)" over the totals and "`SUMPAGE(list)" over the page sums: the
// list of column numbers joined by "+" and "-", written with the display
// format ("大写金额" in Chinese capitals). A total of zero shows "0", a page
// sum of zero nothing. Mistakes in the list show their prompts.
QString SumText(const QString& text, const TColumnSums& sums, const QString& displayFormat,
                bool pageSum);

// The prefixes the page renderer resolves, in any case.
bool IsPageNumberTag(const QString& text);
bool IsSumTag(const QString& text);
bool IsPageSumTag(const QString& text);

} // namespace kx
