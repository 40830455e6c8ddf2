#pragma once
// Where the cells of a spreadsheet export go: title rows, the caption row,
// one row per record with an optional running number, and the footer rows,
// addressed (row, column) from 1; and in which form each text goes in.

#include "tablereport/excelfieldname.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kx {

struct TExcelCell {
    int Row = 1;
    int Column = 1;
    QString Text;
    // The cell takes the text number format "@".
    bool TextFormat = false;
};

using TExcelCells = QList<TExcelCell>;

class TExcelPlacement {
public:
    // id adds the column "序号" before the column entries.
    TExcelPlacement(TExcelFieldArray columns, TExcelFieldArray titles, TExcelFieldArray footers,
                    bool id);

    // Row 3 when any title with a text has a label above it, row 2 when any
    // title has a text, else row 1; so no title is ever overwritten.
    int CaptionRow() const { return captionRow_; }

    TExcelCells TitleCells() const;
    // "序号" with id, then every column entry's caption, also for entries
    // without a field.
    TExcelCells CaptionCells() const;
    // Record number (from 1): its running number with id, and the trimmed
    // text of each column entry that has a field; texts holds one text per
    // column entry.
    TExcelCells RecordCells(int number, const QStringList& texts) const;
    // The footer rows below the last of recordCount records.
    TExcelCells FooterCells(int recordCount) const;

private:
    int EntryColumn(qsizetype index) const;

    TExcelFieldArray columns_;
    TExcelFieldArray titles_;
    TExcelFieldArray footers_;
    bool id_ = false;
    int captionRow_ = 1;
};

// Digit strings a spreadsheet would turn into numbers or dates keep their
// text form: more than 10 code page 936 bytes, or 9 or 10 without a ".".
bool NeedsTextFormat(const QString& text);

// The number a cell of the General format takes the text for: a plain
// decimal number (sign, thousands commas, point and exponent allowed); none
// for a code with a leading zero and anything else, which stays text.
std::optional<double> GeneralNumber(const QString& text);

} // namespace kx
