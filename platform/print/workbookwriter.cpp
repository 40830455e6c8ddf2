#include "platform/print/workbookwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <filesystem>
#include <system_error>

namespace kx::print {
namespace {

constexpr int kMaxSheetName = 31;
constexpr int kMaxCellText = 32767;
const QString kDefaultSheetName = QStringLiteral("Sheet1");

// The longest leading part of at most maxUnits UTF-16 units that does not end
// inside a surrogate pair.
QString CutUnits(const QString& text, int maxUnits) {
    if (text.size() <= maxUnits)
        return text;
    const int cut = text.at(maxUnits - 1).isHighSurrogate() ? maxUnits - 1 : maxUnits;
    return text.left(cut);
}

bool InSheet(const std::pair<int, int>& place) {
    return place.first >= 1 && place.first <= LXW_ROW_MAX && place.second >= 1 &&
           place.second <= LXW_COL_MAX;
}

} // namespace

QString TWorkbookWriter::ValidSheetName(const QString& name) {
    QString valid = name;
    for (QChar& c : valid) {
        if (QStringView(u"[]:*?/\\").contains(c))
            c = u'_';
    }
    while (valid.startsWith(u'\''))
        valid.remove(0, 1);
    valid = CutUnits(valid, kMaxSheetName);
    while (valid.endsWith(u'\''))
        valid.chop(1);
    return valid.isEmpty() ? kDefaultSheetName : valid;
}

TWorkbookWriter::TWorkbookWriter(const QString& sheetName)
    : sheetName_(ValidSheetName(sheetName)) {}

void TWorkbookWriter::SetText(int row, int column, const QString& text, bool textFormat) {
    cells_[{row, column}] = TextCell{CutUnits(text, kMaxCellText), textFormat};
}

void TWorkbookWriter::SetNumber(int row, int column, double value) {
    cells_[{row, column}] = value;
}

bool TWorkbookWriter::Write(const QString& path) const {
    for (const auto& [place, cell] : cells_) {
        if (!InSheet(place))
            return false;
    }
    // The workbook goes to a name of its own beside the target and takes the
    // target's place only when complete, so a failed write leaves no torn file.
    const QFileInfo target(path);
    QTemporaryFile part(target.absoluteDir().filePath(QStringLiteral(".XXXXXX.xlsx")));
    if (!part.open())
        return false;
    part.close();
    if (!WriteWorkbook(part.fileName()))
        return false;
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(part.fileName()).toStdString(),
                            QFile::encodeName(target.absoluteFilePath()).toStdString(), error);
    if (error)
        return false;
    part.setAutoRemove(false);
    return true;
}

bool TWorkbookWriter::WriteWorkbook(const QString& fileName) const {
    lxw_workbook* workbook = workbook_new(QFile::encodeName(fileName).constData());
    if (!workbook)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName_.toUtf8().constData());
    lxw_format* text = workbook_add_format(workbook);
    format_set_num_format(text, "@");
    bool written = sheet != nullptr;
    for (auto at = cells_.begin(); written && at != cells_.end(); ++at) {
        const auto row = static_cast<lxw_row_t>(at->first.first - 1);
        const auto column = static_cast<lxw_col_t>(at->first.second - 1);
        if (const auto* value = std::get_if<double>(&at->second)) {
            written = worksheet_write_number(sheet, row, column, *value, nullptr) == LXW_NO_ERROR;
        } else {
            const auto& cell = std::get<TextCell>(at->second);
            written = worksheet_write_string(sheet, row, column, cell.Text.toUtf8().constData(),
                                             cell.TextFormat ? text : nullptr) == LXW_NO_ERROR;
        }
    }
    // Closing also frees the workbook, so it runs after a failed cell too.
    return workbook_close(workbook) == LXW_NO_ERROR && written;
}

} // namespace kx::print
