#include "tablereport/excelplacement.h"

#include "platform/sys/cp936.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

const QString kNumberCaption = QStringLiteral("序号");

bool HasText(const TExcelFieldName& entry) {
    return !entry.FieldName.isEmpty();
}

bool HasLabel(const TExcelFieldName& entry) {
    return HasText(entry) && !entry.Caption.isEmpty();
}

int FindCaptionRow(const TExcelFieldArray& titles) {
    if (std::any_of(titles.begin(), titles.end(), HasLabel))
        return 3;
    return std::any_of(titles.begin(), titles.end(), HasText) ? 2 : 1;
}

void Add(TExcelCells& cells, int row, int column, const QString& text, bool textFormat) {
    if (!text.isEmpty())
        cells.append({row, column, text, textFormat});
}

// A title or footer entry: its label above its text, or the text alone.
void AddLabelled(TExcelCells& cells, int row, int column, const TExcelFieldName& entry) {
    if (!HasText(entry))
        return;
    if (HasLabel(entry)) {
        Add(cells, row, column, entry.Caption, false);
        ++row;
    }
    Add(cells, row, column, entry.FieldName, NeedsTextFormat(entry.FieldName));
}

} // namespace

TExcelPlacement::TExcelPlacement(TExcelFieldArray columns, TExcelFieldArray titles,
                                 TExcelFieldArray footers, bool id)
    : columns_(std::move(columns)), titles_(std::move(titles)), footers_(std::move(footers)),
      id_(id), captionRow_(FindCaptionRow(titles_)) {}

int TExcelPlacement::EntryColumn(qsizetype index) const {
    return static_cast<int>(index) + 1 + (id_ ? 1 : 0);
}

// Titles stand by entry from column 1; the number column does not move them.
TExcelCells TExcelPlacement::TitleCells() const {
    TExcelCells cells;
    for (qsizetype i = 0; i < titles_.size(); ++i)
        AddLabelled(cells, 1, static_cast<int>(i) + 1, titles_[i]);
    return cells;
}

TExcelCells TExcelPlacement::CaptionCells() const {
    TExcelCells cells;
    if (id_)
        Add(cells, captionRow_, 1, kNumberCaption, false);
    for (qsizetype i = 0; i < columns_.size(); ++i)
        Add(cells, captionRow_, EntryColumn(i), columns_[i].Caption, false);
    return cells;
}

TExcelCells TExcelPlacement::RecordCells(int number, const QStringList& texts) const {
    TExcelCells cells;
    const int row = captionRow_ + number;
    if (id_)
        Add(cells, row, 1, QString::number(number), false);
    for (qsizetype i = 0; i < columns_.size() && i < texts.size(); ++i) {
        if (!HasText(columns_[i]))
            continue;
        const QString text = texts[i].trimmed();
        Add(cells, row, EntryColumn(i), text, NeedsTextFormat(text));
    }
    return cells;
}

TExcelCells TExcelPlacement::FooterCells(int recordCount) const {
    TExcelCells cells;
    const int row = captionRow_ + recordCount + 1;
    for (qsizetype i = 0; i < footers_.size(); ++i)
        AddLabelled(cells, row, EntryColumn(i), footers_[i]);
    return cells;
}

bool NeedsTextFormat(const QString& text) {
    const int bytes = cp936::ByteLength(text);
    return bytes > 10 || (bytes >= 9 && !text.contains(u'.'));
}

std::optional<double> GeneralNumber(const QString& text) {
    static const QRegularExpression plain(QStringLiteral(
        R"(^[+-]?(?:(?:\d+|\d{1,3}(?:,\d{3})+)(?:\.\d*)?|\.\d+)(?:[eE][+-]?\d+)?$)"));
    // A leading zero marks a code ("007", "001002"), whose zeros a number
    // would lose.
    static const QRegularExpression code(QStringLiteral(R"(^[+-]?0\d)"));
    if (!plain.match(text).hasMatch() || code.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QString(text).remove(u',').toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kx
