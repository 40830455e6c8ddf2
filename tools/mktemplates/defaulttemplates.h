#pragma once
// The table-report templates a new data folder ships with, one for each
// catalogue row the first-run set-up writes, so that a new user can print
// from the records list, the ledgers, the statistics and the employee list
// at once. Each is a title, the company and the print date, a caption line,
// one detail line of the window's printable fields, page and report sums
// under the amounts and the page number.

#include "tablereport/printfields.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kx {
class TReportControl;
class TTextMeasurer;
} // namespace kx

namespace kx::tools {

enum class TColumnKind {
    Text,
    // Right-aligned with two decimals.
    Money,
    // Money with its page sum and its report total.
    SummedMoney,
};

struct TTemplateColumn {
    // The caption of a detail field the window offers; empty for the line
    // number.
    QString Caption;
    // In page pixels; the last column takes what the line has left.
    int Width = 0;
    TColumnKind Kind = TColumnKind::Text;
};

struct TDefaultTemplate {
    QString PrintId;
    QString Title;
    bool Landscape = false;
    std::vector<TTemplateColumn> Columns;
    TPrintFieldsArray (*PrintFields)() = nullptr;
    // Detail cells name their fields rather than their captions, for
    // windows whose captions the user may rename.
    bool BindByField = false;
};

const std::vector<TDefaultTemplate>& DefaultTemplates();

// Lays the template out on page (which must be empty). Raises kx::Exception
// when a column names no detail field of fields or the columns leave the
// last one too narrow.
void BuildDefaultTemplate(const TDefaultTemplate& shipped, const TPrintFieldsArray& fields,
                          TReportControl& page);

// The template as the chooser reads it from <data folder>/<PRINT_ID>.
QByteArray DefaultTemplateBytes(const TDefaultTemplate& shipped, TTextMeasurer& measurer);

// Writes every template into folder as <PRINT_ID>, replacing what is there.
// Returns an empty string on success, else the reason.
QString WriteDefaultTemplates(const QString& folder, TTextMeasurer& measurer);

} // namespace kx::tools
