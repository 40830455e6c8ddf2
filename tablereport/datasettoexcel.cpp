#include "tablereport/datasettoexcel.h"

#include "core/messages.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "tablereport/excelplacement.h"

#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <optional>

namespace kx {
namespace {

const QString kNoDataSource = QStringLiteral("没有数据源");
const QString kNoData = QStringLiteral("没有数据");
const QString kExported = QStringLiteral("数据成功导出到：");
const QString kTooManyRows =
    QStringLiteral("数据超过%1行，Excel工作表放不下，不能导出").arg(TDatasetToExcel::kMaxRows);
const QString kNumberCaption = QStringLiteral("序号");

// Record types of the worksheet stream.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kRk = 0x027E;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kEof = 0x000A;

constexpr quint16 kBlankFormat = 0x0017;
// Declares the texts as code page 936, so that spreadsheet programs that do
// not assume the Chinese Windows code page still read them.
constexpr quint16 kChineseCodePage = 936;
// A label's text must fit the 16-bit record length after its 8 other bytes.
constexpr int kMaxLabelBytes = 0xFFFF - 8;
// RK holds a 30-bit integer; larger values go as NUMBER.
constexpr qint32 kMinRk = -(1 << 29);
constexpr qint32 kMaxRk = (1 << 29) - 1;

void Put16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void Put32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void PutDouble(QByteArray& out, double value) {
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const quint64 le = qToLittleEndian(bits);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// The cell records of one worksheet, written at a current cell that moves
// right with every cell.
class WorksheetWriter {
public:
    explicit WorksheetWriter(QIODevice& out) : out_(out) {}

    void Bof() {
        QByteArray body;
        Put16(body, 0);      // version
        Put16(body, 0x0010); // worksheet
        Put16(body, 0);      // build
        Put16(body, 0);      // year
        Record(kBof, body);
    }
    void CodePage() {
        QByteArray body;
        Put16(body, kChineseCodePage);
        Record(kCodePage, body);
    }
    void Eof() { Record(kEof, {}); }

    void StartRow(int row) {
        row_ = static_cast<quint16>(row);
        column_ = 0;
    }
    void Label(const QString& text) { LabelAt(row_, column_++, text); }
    void LabelAt(int row, int column, const QString& text) {
        const QByteArray bytes = cp936::CutBytes(cp936::Encode(text), kMaxLabelBytes);
        QByteArray body = Cell(row, column, 0);
        Put16(body, static_cast<quint16>(bytes.size()));
        body.append(bytes);
        Record(kLabel, body);
    }
    void Number(double value) { NumberAt(row_, column_++, value); }
    void NumberAt(int row, int column, double value) {
        QByteArray body = Cell(row, column, 0);
        PutDouble(body, value);
        Record(kNumber, body);
    }
    void Integer(qint64 value) {
        if (value < kMinRk || value > kMaxRk) {
            Number(static_cast<double>(value));
            return;
        }
        QByteArray body = Cell(row_, column_++, 0);
        // The integer in the upper 30 bits; bit 1 marks an integer.
        Put32(body, (static_cast<quint32>(value) << 2) | 2);
        Record(kRk, body);
    }
    void Blank() { Record(kBlank, Cell(row_, column_++, kBlankFormat)); }

private:
    static QByteArray Cell(int row, int column, quint16 format) {
        QByteArray body;
        Put16(body, static_cast<quint16>(row));
        Put16(body, static_cast<quint16>(column));
        Put16(body, format);
        return body;
    }
    void Record(quint16 type, const QByteArray& body) {
        QByteArray record;
        Put16(record, type);
        Put16(record, static_cast<quint16>(body.size()));
        record.append(body);
        out_.write(record);
    }

    QIODevice& out_;
    quint16 row_ = 0;
    quint16 column_ = 0;
};

// Keeps the data set's bound controls quiet while the export walks its
// records, and puts it back on its record afterwards, also after an error.
class RecordWalk {
public:
    explicit RecordWalk(db::TDataSet& dataset)
        : dataset_(dataset), bookmark_(dataset.GetBookmark()) {
        dataset_.DisableControls();
    }
    ~RecordWalk() {
        if (dataset_.BookmarkValid(bookmark_))
            dataset_.GotoBookmark(bookmark_);
        dataset_.EnableControls();
    }
    RecordWalk(const RecordWalk&) = delete;
    RecordWalk& operator=(const RecordWalk&) = delete;

private:
    db::TDataSet& dataset_;
    db::TBookmark bookmark_;
};

bool IsWritten(const TExcelFieldName& entry) {
    return !entry.FieldName.isEmpty();
}

bool HasCaption(const TExcelFieldName& entry) {
    return !entry.Caption.isEmpty();
}

// Titles take two rows when any entry has a caption above its text.
int TitleRows(const TExcelFieldArray& titles) {
    if (titles.isEmpty())
        return 0;
    return std::any_of(titles.begin(), titles.end(), HasCaption) ? 2 : 1;
}

int FooterRows(const TExcelFieldArray& footers) {
    const auto captioned = [](const TExcelFieldName& e) { return IsWritten(e) && HasCaption(e); };
    if (std::any_of(footers.begin(), footers.end(), captioned))
        return 2;
    return std::any_of(footers.begin(), footers.end(), IsWritten) ? 1 : 0;
}

// An entry's caption above its text, or the text alone, at (row, column).
void WriteCaptioned(WorksheetWriter& sheet, int row, int column, const TExcelFieldName& entry) {
    if (HasCaption(entry)) {
        sheet.LabelAt(row, column, entry.Caption);
        sheet.LabelAt(row + 1, column, entry.FieldName);
    } else {
        sheet.LabelAt(row, column, entry.FieldName);
    }
}

void WriteValue(WorksheetWriter& sheet, const db::TField& field) {
    const QString text = field.AsString();
    if (text.isEmpty()) {
        sheet.Blank();
        return;
    }
    switch (field.DataType()) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
        sheet.Integer(field.AsInteger());
        break;
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
        sheet.Number(field.AsFloat());
        break;
    default:
        sheet.Label(field.IsBlob() ? QString() : text);
        break;
    }
}

void WriteTitles(WorksheetWriter& sheet, const TExcelFieldArray& titles) {
    for (int i = 0; i < titles.size(); ++i)
        if (IsWritten(titles[i]))
            WriteCaptioned(sheet, 0, i, titles[i]);
}

void WriteCaptionRow(WorksheetWriter& sheet, int row, bool id, const TExcelFieldArray& columns) {
    sheet.StartRow(row);
    if (id)
        sheet.Label(kNumberCaption);
    for (const TExcelFieldName& column : columns)
        if (IsWritten(column))
            sheet.Label(column.Caption);
}

// One row per record from the first; answers the row after the last one.
int WriteRecords(WorksheetWriter& sheet, int row, bool id, db::TDataSet& dataset,
                 const TExcelFieldArray& columns) {
    RecordWalk walk(dataset);
    dataset.First();
    QList<const db::TField*> fields;
    for (const TExcelFieldName& column : columns)
        if (IsWritten(column))
            fields << dataset.FieldByName(column.FieldName);
    for (int number = 1; !dataset.Eof(); ++number, dataset.Next()) {
        sheet.StartRow(row++);
        if (id)
            sheet.Integer(number);
        for (const db::TField* field : std::as_const(fields))
            WriteValue(sheet, *field);
    }
    return row;
}

// Footers sit under the data columns: one column further right with the
// number column. A total goes in as the number it is, so that the sheet can
// go on reckoning with it.
void WriteFooters(WorksheetWriter& sheet, int row, bool id, const TExcelFieldArray& footers) {
    const int shift = id ? 1 : 0;
    for (int j = 0; j < footers.size(); ++j) {
        const TExcelFieldName& footer = footers[j];
        if (!IsWritten(footer))
            continue;
        const int column = j + shift;
        const int textRow = HasCaption(footer) ? row + 1 : row;
        if (HasCaption(footer))
            sheet.LabelAt(row, column, footer.Caption);
        if (const std::optional<double> number = GeneralNumber(footer.FieldName))
            sheet.NumberAt(textRow, column, *number);
        else
            sheet.LabelAt(textRow, column, footer.FieldName);
    }
}

} // namespace

TDatasetToExcel::TDatasetToExcel(QObject* owner) : QObject(owner) {}

void TDatasetToExcel::ExportToFile(const QString& fileName, const TExcelFieldArray& columns,
                                   const TExcelFieldArray& titles,
                                   const TExcelFieldArray& footers) {
    columns_ = columns;
    titles_ = titles;
    footers_ = footers;
    if (!dataset_ || !dataset_->Active()) {
        ShowPromptMessage(kNoDataSource);
        return;
    }
    if (dataset_->IsEmpty()) {
        ShowPromptMessage(kNoData);
        return;
    }
    if (RowsNeeded() > kMaxRows) {
        ShowPromptMessage(kTooManyRows);
        return;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw Exception(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    fileName_ = fileName;
    WriteSheet(file);
    if (!file.commit())
        throw Exception(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
    ShowPromptMessage(kExported + fileName_);
}

int TDatasetToExcel::RowsNeeded() const {
    return TitleRows(titles_) + 1 + dataset_->RecordCount() + FooterRows(footers_);
}

void TDatasetToExcel::WriteSheet(QIODevice& out) {
    WorksheetWriter sheet(out);
    sheet.Bof();
    sheet.CodePage();
    WriteTitles(sheet, titles_);
    const int captionRow = TitleRows(titles_);
    WriteCaptionRow(sheet, captionRow, id_, columns_);
    const int footerRow = WriteRecords(sheet, captionRow + 1, id_, *dataset_, columns_);
    WriteFooters(sheet, footerRow, id_, footers_);
    sheet.Eof();
}

} // namespace kx

#include "moc_datasettoexcel.cpp"
