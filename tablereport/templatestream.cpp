#include "tablereport/templatestream.h"

#include "platform/sys/cp936.h"
#include "tablereport/reportcontrol.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace kx {
namespace {

using TCellPosition = std::pair<int32_t, int32_t>;

constexpr int kLineRecordSize = 32;

// Bounds far beyond any page that keep the layout arithmetic of the largest
// page inside 32 bits: positions, sizes (heights and widths), pens and text
// margins, and the numbers of lines and of cells in a line.
constexpr int32_t kMaxPosition = 1'000'000;
constexpr int32_t kMaxSize = 100'000;
constexpr int32_t kMaxPen = 1'000;
constexpr int32_t kMaxZoom = 1'000;
constexpr int32_t kMaxLines = 5'000;
constexpr int32_t kMaxCells = 5'000;
constexpr int kTrailerSize = 20;
constexpr int kBmpFileHeaderSize = 14;

// The fixed part of a cell record: everything but text, format and picture
// bytes and the merged-cell pairs.
int FixedCellRecordSize(uint16_t signature) {
    if (signature == kTemplateSignatureOldest)
        return 176;
    return signature == kTemplateSignatureMiddle ? 180 : 181;
}

class TByteWriter {
public:
    void U8(uint8_t value) { bytes_.append(char(value)); }
    void U16(uint16_t value) { Append(value); }
    void I32(int32_t value) { Append(value); }
    void Rect(const TRect& rect) {
        I32(rect.Left);
        I32(rect.Top);
        I32(rect.Right);
        I32(rect.Bottom);
    }
    void String(const QString& text) {
        const QByteArray bytes = cp936::CutBytes(cp936::Encode(text), kMaxCellTextBytes);
        I32(int32_t(bytes.size()));
        bytes_.append(bytes);
    }
    void Raw(const char* data, qsizetype size) { bytes_.append(data, size); }
    QByteArray Take() { return std::move(bytes_); }

private:
    template <typename T> void Append(T value) {
        char buffer[sizeof(T)];
        qToLittleEndian<T>(value, buffer);
        bytes_.append(buffer, sizeof(T));
    }
    QByteArray bytes_;
};

// Reads fields and refuses, instead of reading on, whenever the stream holds
// fewer bytes than a field or a count asks for.
class TByteReader {
public:
    TByteReader(const QByteArray& bytes, QString refusal)
        : bytes_(bytes), refusal_(std::move(refusal)) {}

    [[noreturn]] void Refuse() const { throw ETemplateFormat(refusal_); }
    void Require(bool condition) const {
        if (!condition)
            Refuse();
    }
    qsizetype Remaining() const { return bytes_.size() - at_; }

    uint8_t U8() { return uint8_t(Take(1)[0]); }
    uint16_t U16() { return qFromLittleEndian<uint16_t>(Take(2)); }
    int32_t I32() { return qFromLittleEndian<int32_t>(Take(4)); }
    // A number whose magnitude stays within the limit.
    int32_t Within(int32_t limit) {
        const int32_t value = I32();
        Require(value >= -limit && value <= limit);
        return value;
    }
    int32_t Position() { return Within(kMaxPosition); }
    int32_t Size() { return Within(kMaxSize); }
    int32_t Pen() { return Within(kMaxPen); }
    TRect Rect() {
        TRect rect;
        rect.Left = Position();
        rect.Top = Position();
        rect.Right = Position();
        rect.Bottom = Position();
        return rect;
    }
    // A count that each item of at least itemSize bytes must fit in the rest.
    int32_t Count(qsizetype itemSize) {
        const int32_t count = I32();
        Require(count >= 0 && count <= Remaining() / itemSize);
        return count;
    }
    // Texts beyond the cell limit are cut on a character boundary.
    QString String() {
        const int32_t size = Count(1);
        const QByteArray bytes(Take(size), size);
        return cp936::Decode(cp936::CutBytes(bytes, kMaxCellTextBytes));
    }
    // A BMP file takes the length its own file header gives.
    QByteArray Bitmap() {
        Require(Remaining() >= kBmpFileHeaderSize);
        const char* header = bytes_.constData() + at_;
        Require(header[0] == 'B' && header[1] == 'M');
        const quint32 size = qFromLittleEndian<quint32>(header + 2);
        Require(size >= quint32(kBmpFileHeaderSize) && size <= quint64(Remaining()));
        return QByteArray(Take(qsizetype(size)), qsizetype(size));
    }
    TLogFont Font() {
        TLogFont font;
        std::copy_n(Take(TLogFont::Size), TLogFont::Size, font.Bytes.begin());
        return font;
    }

private:
    const char* Take(qsizetype size) {
        Require(size >= 0 && size <= Remaining());
        const char* data = bytes_.constData() + at_;
        at_ += size;
        return data;
    }

    const QByteArray& bytes_;
    QString refusal_;
    qsizetype at_ = 0;
};

void WriteBorder(TByteWriter& out, const TBorder& border) {
    out.U8(border.Line ? 1 : 0);
    out.I32(border.Width);
}

TBorder ReadBorder(TByteReader& in) {
    TBorder border;
    border.Line = in.U8() != 0;
    border.Width = in.Pen();
    return border;
}

std::map<const TReportCell*, TCellPosition> CellPositions(const TReportControl& source) {
    std::map<const TReportCell*, TCellPosition> positions;
    for (std::size_t l = 0; l < source.Lines.size(); ++l)
        for (std::size_t c = 0; c < source.Lines[l]->Cells.size(); ++c)
            positions[source.Lines[l]->Cells[c].get()] = {int32_t(l), int32_t(c)};
    return positions;
}

void WriteCell(TByteWriter& out, const TReportCell& cell, int32_t index,
               const std::map<const TReportCell*, TCellPosition>& positions,
               const TTemplateWriteOptions& options) {
    out.I32(cell.TextMargin);
    out.I32(index);
    out.I32(cell.CellLeft());
    out.I32(cell.CellWidth());
    out.Rect(cell.CellRect);
    out.Rect(cell.TextRect);
    out.I32(cell.MinHeight);
    out.I32(cell.RequiredHeight);
    out.I32(cell.MergedTextHeight);
    WriteBorder(out, cell.LeftBorder());
    WriteBorder(out, cell.TopBorder());
    WriteBorder(out, cell.RightBorder());
    WriteBorder(out, cell.BottomBorder());
    out.I32(cell.Diagonal);
    out.I32(int32_t(cell.TextColor));
    out.I32(int32_t(cell.BackColor));
    out.I32(cell.HorzAlign);
    out.I32(cell.VertAlign);
    out.String(options.TextOf ? options.TextOf(cell) : cell.Text());
    out.String(options.WriteDisplayFormats ? cell.DisplayFormat() : QString());
    const bool hasPicture = cell.HasPicture && !cell.Picture.isEmpty();
    out.U8(hasPicture ? 1 : 0);
    if (hasPicture)
        out.Raw(cell.Picture.constData(), cell.Picture.size());
    out.Raw(cell.LogFont().Bytes.data(), TLogFont::Size);
    const TCellPosition owner =
        cell.MergeOwner ? positions.at(cell.MergeOwner) : TCellPosition{-1, -1};
    out.I32(owner.first);
    out.I32(owner.second);
    out.I32(int32_t(cell.MergedCells.size()));
    for (const TReportCell* merged : cell.MergedCells) {
        out.I32(positions.at(merged).first);
        out.I32(positions.at(merged).second);
    }
}

// The merge references of one cell as the stream gives them.
struct TMergeRecord {
    std::optional<TCellPosition> Owner;
    std::vector<TCellPosition> Merged;
};

void ReadCell(TByteReader& in, TReportCell& cell, uint16_t signature,
              const TTemplateReadOptions& options, TMergeRecord& merges) {
    cell.TextMargin = in.Pen();
    cell.CellIndex = in.I32();
    const int32_t left = in.Position();
    const int32_t width = in.Size();
    cell.CellRect = in.Rect();
    cell.TextRect = in.Rect();
    cell.MinHeight = in.Size();
    cell.RequiredHeight = in.Size();
    cell.MergedTextHeight = in.Size();
    const TBorder leftBorder = ReadBorder(in);
    const TBorder topBorder = ReadBorder(in);
    const TBorder rightBorder = ReadBorder(in);
    const TBorder bottomBorder = ReadBorder(in);
    cell.Diagonal = in.I32();
    cell.TextColor = uint32_t(in.I32());
    cell.BackColor = uint32_t(in.I32());
    cell.HorzAlign = in.I32();
    cell.VertAlign = in.I32();
    const QString text = in.String();
    QString format;
    if (signature != kTemplateSignatureOldest)
        format = in.String();
    if (!options.KeepDisplayFormats)
        format.clear();
    cell.HasPicture = signature == kTemplateSignature && in.U8() != 0;
    cell.Picture = cell.HasPicture ? in.Bitmap() : QByteArray();
    const TLogFont font = in.Font();
    cell.SetStored(left, width, leftBorder, topBorder, rightBorder, bottomBorder, text, format,
                   font);
    const int32_t ownerLine = in.I32();
    const int32_t ownerCell = in.I32();
    if (ownerLine >= 0 && ownerCell >= 0)
        merges.Owner = TCellPosition{ownerLine, ownerCell};
    const int32_t mergedCount = in.Count(8);
    for (int32_t i = 0; i < mergedCount; ++i) {
        const int32_t line = in.I32();
        merges.Merged.push_back({line, in.I32()});
    }
}

// Merges run downwards and one level deep, and the owner's list and each
// merged cell's owner agree; anything else would leave dangling links.
class TMergeLinker {
public:
    TMergeLinker(TReportControl& page, TByteReader& in) : page_(page), in_(in) {}

    void Add(TCellPosition position, TMergeRecord record) {
        records_[position] = std::move(record);
    }

    void Link() {
        for (const auto& [position, record] : records_)
            Check(position, record);
        for (const auto& [position, record] : records_) {
            TReportCell* cell = CellAt(position);
            if (record.Owner)
                cell->MergeOwner = CellAt(*record.Owner);
            for (const TCellPosition& merged : record.Merged)
                cell->MergedCells.push_back(CellAt(merged));
        }
    }

private:
    bool Exists(const TCellPosition& p) const {
        return p.first >= 0 && std::size_t(p.first) < page_.Lines.size() && p.second >= 0 &&
               std::size_t(p.second) < page_.Lines[std::size_t(p.first)]->Cells.size();
    }
    TReportCell* CellAt(const TCellPosition& p) const {
        return page_.Lines[std::size_t(p.first)]->Cells[std::size_t(p.second)].get();
    }
    const TMergeRecord& RecordOf(const TCellPosition& p) const { return records_.at(p); }

    void Check(const TCellPosition& position, const TMergeRecord& record) const {
        if (record.Owner) {
            const TCellPosition& owner = *record.Owner;
            in_.Require(Exists(owner) && owner.first < position.first);
            const TMergeRecord& ownerRecord = RecordOf(owner);
            in_.Require(!ownerRecord.Owner &&
                        std::ranges::count(ownerRecord.Merged, position) == 1);
            in_.Require(record.Merged.empty());
        }
        for (const TCellPosition& merged : record.Merged) {
            in_.Require(Exists(merged));
            in_.Require(RecordOf(merged).Owner == position);
        }
    }

    TReportControl& page_;
    TByteReader& in_;
    std::map<TCellPosition, TMergeRecord> records_;
};

void MoveContent(TReportControl& from, TReportControl& to, bool forGrid) {
    to.Selection.clear();
    to.EditingCell = nullptr;
    to.Lines = std::move(from.Lines);
    for (auto& line : to.Lines)
        line->Control = forGrid ? &to : nullptr;
    to.Zoom = from.Zoom;
    to.PageWidth = from.PageWidth;
    to.PageHeight = from.PageHeight;
    to.RecordedPageWidth = from.RecordedPageWidth;
    to.RecordedPageHeight = from.RecordedPageHeight;
    to.ControlWidth = from.ControlWidth;
    to.ControlHeight = from.ControlHeight;
    to.LeftMarginPx = from.LeftMarginPx;
    to.TopMarginPx = from.TopMarginPx;
    to.RightMarginPx = from.RightMarginPx;
    to.BottomMarginPx = from.BottomMarginPx;
    to.LeftMarginMm = from.LeftMarginMm;
    to.TopMarginMm = from.TopMarginMm;
    to.RightMarginMm = from.RightMarginMm;
    to.BottomMarginMm = from.BottomMarginMm;
    to.Reserved1 = from.Reserved1;
    to.Reserved2 = from.Reserved2;
    to.Reserved3 = from.Reserved3;
    to.PaperSize = from.PaperSize;
    to.Orientation = from.Orientation;
    to.PaperLength = from.PaperLength;
    to.PaperWidth = from.PaperWidth;
    to.FooterStart = from.FooterStart;
}

} // namespace

QByteArray WriteTemplate(const TReportControl& source, const TTemplateWriteOptions& options) {
    TByteWriter out;
    out.U16(kTemplateSignature);
    out.I32(options.Zoom);
    out.I32(source.PageWidth);
    out.I32(source.PageHeight);
    out.I32(source.LeftMarginPx);
    out.I32(source.TopMarginPx);
    out.I32(source.RightMarginPx);
    out.I32(source.BottomMarginPx);
    out.I32(source.LeftMarginMm);
    out.I32(source.TopMarginMm);
    out.I32(source.RightMarginMm);
    out.I32(source.BottomMarginMm);
    out.U8(source.Reserved1);
    out.I32(source.Reserved2);
    out.I32(source.Reserved3);
    out.I32(int32_t(source.Lines.size()));
    for (const auto& line : source.Lines)
        out.I32(int32_t(line->Cells.size()));
    const auto positions = CellPositions(source);
    for (std::size_t l = 0; l < source.Lines.size(); ++l) {
        const TReportLine& line = *source.Lines[l];
        out.I32(int32_t(l));
        out.I32(line.ContentHeight);
        out.I32(line.UserHeight);
        out.I32(line.LineTop());
        out.Rect(line.LineRect);
        for (std::size_t c = 0; c < line.Cells.size(); ++c)
            WriteCell(out, *line.Cells[c], int32_t(c), positions, options);
    }
    out.I32(source.PaperSize);
    out.I32(source.Orientation);
    out.I32(source.PaperLength);
    out.I32(source.PaperWidth);
    out.I32(source.FooterStart);
    return out.Take();
}

void ReadTemplate(const QByteArray& bytes, TReportControl& target,
                  const TTemplateReadOptions& options) {
    TByteReader in(bytes, options.Refusal);
    const uint16_t signature = in.U16();
    in.Require(signature == kTemplateSignatureOldest || signature == kTemplateSignatureMiddle ||
               signature == kTemplateSignature);

    TReportControl page(target.Measurer);
    const int32_t zoom = in.Within(kMaxZoom);
    page.Zoom = options.ForGrid ? 100 : zoom;
    const int32_t pageWidth = in.Position();
    page.SetPageSize(pageWidth, in.Position());
    page.LeftMarginPx = in.Position();
    page.TopMarginPx = in.Position();
    page.RightMarginPx = in.Position();
    page.BottomMarginPx = in.Position();
    page.LeftMarginMm = in.I32();
    page.TopMarginMm = in.I32();
    page.RightMarginMm = in.I32();
    page.BottomMarginMm = in.I32();
    page.Reserved1 = in.U8();
    page.Reserved2 = in.I32();
    page.Reserved3 = in.I32();

    const int32_t lineCount = in.Count(4 + kLineRecordSize);
    in.Require(lineCount <= kMaxLines);
    std::vector<int32_t> cellCounts;
    qint64 cellTotal = 0;
    for (int32_t l = 0; l < lineCount; ++l) {
        // Every line keeps at least one cell; an empty one means damage.
        cellCounts.push_back(in.Count(FixedCellRecordSize(signature)));
        in.Require(cellCounts.back() > 0 && cellCounts.back() <= kMaxCells);
        cellTotal += cellCounts.back();
    }
    in.Require(qint64(lineCount) * kLineRecordSize + cellTotal * FixedCellRecordSize(signature) +
                   kTrailerSize <=
               in.Remaining());
    for (const int32_t count : cellCounts) {
        TReportLine* line = page.AppendLine();
        if (!options.ForGrid)
            line->Control = nullptr;
        line->CreateCells(0, count, page.RightMarginPx - page.LeftMarginPx);
    }

    TMergeLinker linker(page, in);
    for (int32_t l = 0; l < lineCount; ++l) {
        TReportLine& line = *page.Lines[std::size_t(l)];
        line.LineIndex = in.I32();
        line.ContentHeight = in.Size();
        line.UserHeight = in.Size();
        line.SetTop(in.Position());
        line.LineRect = in.Rect();
        for (std::size_t c = 0; c < line.Cells.size(); ++c) {
            TMergeRecord merges;
            ReadCell(in, *line.Cells[c], signature, options, merges);
            linker.Add({l, int32_t(c)}, std::move(merges));
        }
    }
    page.PaperSize = in.I32();
    page.Orientation = in.I32();
    page.PaperLength = in.I32();
    page.PaperWidth = in.I32();
    page.FooterStart = in.I32();
    linker.Link();

    MoveContent(page, target, options.ForGrid);
    target.UpdateLines();
    target.Invalidate({0, 0, target.PageWidth, target.PageHeight});
}

void SaveTemplateFile(const TReportControl& source, const QString& fileName) {
    const QByteArray bytes = WriteTemplate(source);
    QSaveFile file(fileName);
    // Unbuffered, a short write shows in write()'s count; a buffered flush
    // at commit would let a cut-off file replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(file.errorString());
}

void LoadTemplateFile(const QString& fileName, TReportControl& target,
                      const TTemplateReadOptions& options) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(file.errorString());
    ReadTemplate(file.readAll(), target, options);
}

} // namespace kx
