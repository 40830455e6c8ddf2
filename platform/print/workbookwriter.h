#pragma once
// A workbook with one worksheet, filled cell by cell and written as an .xlsx
// file. Cells are addressed (row, column) from 1 and kept in memory until
// Write, so a workbook can be filled first and written where it belongs.

#include <QString>

#include <map>
#include <utility>
#include <variant>

namespace kx::print {

class TWorkbookWriter {
public:
    // A worksheet name the format accepts: at most 31 characters, none of
    // []:*?/\, not starting or ending with an apostrophe, never empty.
    static QString ValidSheetName(const QString& name);

    explicit TWorkbookWriter(const QString& sheetName);

    const QString& SheetName() const { return sheetName_; }

    // textFormat gives the cell the text number format "@", so a spreadsheet
    // program keeps digits as typed. A text beyond the 32,767 characters a
    // cell holds is cut.
    void SetText(int row, int column, const QString& text, bool textFormat = false);
    void SetNumber(int row, int column, double value);

    // Writes the workbook, replacing a file of that name; false when the file
    // cannot be written or a cell lies beyond the worksheet.
    bool Write(const QString& path) const;

private:
    struct TextCell {
        QString Text;
        bool TextFormat = false;
    };
    using Cell = std::variant<TextCell, double>;

    bool WriteWorkbook(const QString& fileName) const;

    QString sheetName_;
    std::map<std::pair<int, int>, Cell> cells_;
};

} // namespace kx::print
