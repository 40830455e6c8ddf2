#include "bandreport/brpagelist.h"

#include "bandreport/brcompress.h"
#include "bandreport/brerror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <bit>

namespace kx {

namespace {

constexpr qint64 kRecordFrame = 12;

void WriteInt(TBRStream& stream, qint32 value) {
    const qint32 little = qToLittleEndian(value);
    stream.Write(reinterpret_cast<const char*>(&little), 4);
}

qint32 ReadInt(TBRStream& stream) {
    char bytes[4];
    stream.Read(bytes, 4);
    return qFromLittleEndian<qint32>(bytes);
}

qint32 IntAt(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

[[noreturn]] void RaiseDamaged(const QString& fileName, const QString& reason) {
    throw EBRError(QStringLiteral("\"%1\" is not a valid page file: %2")
                       .arg(QDir::toNativeSeparators(fileName), reason));
}

} // namespace

TBRPageList::TBRPageList() = default;
TBRPageList::~TBRPageList() = default;

double TBRPageList::OleTimeStamp() {
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1899, 12, 30).daysTo(now.date())) +
           double(now.time().msecsSinceStartOfDay()) / 86400000.0;
}

void TBRPageList::SetStream(std::unique_ptr<TBRStream> stream) {
    std::lock_guard guard(lock_);
    stream_ = std::move(stream);
    recordStarts_.clear();
    pageCount_ = 0;
}

void TBRPageList::WriteHeader() {
    QByteArray header(TBRStream::kHeaderSize, '\0');
    qToLittleEndian<quint16>(3, header.data());
    qToLittleEndian<quint16>(40, header.data() + 2);
    qToLittleEndian<qint32>(pageCount_, header.data() + 8);
    const double stamp = OleTimeStamp();
    qToLittleEndian<quint64>(std::bit_cast<quint64>(stamp), header.data() + 16);
    header[25] = compression_ ? 1 : 0;
    stream_->Seek(0);
    stream_->Write(header.constData(), header.size());
}

void TBRPageList::AddPage(const QByteArray& page) {
    std::lock_guard guard(lock_);
    if (!stream_)
        throw EBRError(QStringLiteral("No page stream to add a page to"));
    if (pageCount_ + 1 == 1) {
        pageCount_ = 1;
        WriteHeader();
    } else {
        ++pageCount_;
    }
    const qint64 start = stream_->Size();
    stream_->Seek(start);
    WriteInt(*stream_, pageCount_);
    const qint64 nextField = stream_->Position();
    WriteInt(*stream_, qint32(nextField));
    if (compression_) {
        WriteInt(*stream_, qint32(page.size()));
        const QByteArray coded = TBRCompress::Encode(page);
        stream_->Write(coded.constData(), coded.size());
    } else {
        stream_->Write(page.constData(), page.size());
    }
    WriteInt(*stream_, qint32(start));
    const qint64 end = stream_->Position();
    stream_->Seek(nextField);
    WriteInt(*stream_, qint32(end));
    stream_->Seek(end);
    recordStarts_.append(start);
}

std::optional<QByteArray> TBRPageList::GetPage(int pageNumber) {
    std::lock_guard guard(lock_);
    if (!stream_ || pageNumber < 1 || pageNumber > pageCount_ || pageNumber > recordStarts_.size())
        return std::nullopt;
    const qint64 start = recordStarts_.at(pageNumber - 1);
    stream_->Seek(start + 4);
    const qint64 next = ReadInt(*stream_);
    const qint64 dataSize = next - start - kRecordFrame;
    QByteArray page;
    if (compression_) {
        const qint32 count = ReadInt(*stream_);
        const QByteArray coded = stream_->Read(dataSize - 4);
        page = TBRCompress::Decode(coded.constData(), coded.size(), count);
    } else {
        page = stream_->Read(dataSize);
    }
    stream_->Seek(next);
    return page;
}

void TBRPageList::Finish() {
    std::lock_guard guard(lock_);
    if (!stream_ || pageCount_ == 0)
        return;
    const qint64 kept = stream_->Position();
    WriteHeader();
    stream_->Seek(kept);
}

void TBRPageList::OpenPageFile(const QString& fileName) {
    std::unique_ptr<TBRStream> stream = TBRStream::CreateOnFile(fileName);
    const int headerSize = stream->HeaderSize();
    if (stream->Size() < headerSize)
        RaiseDamaged(fileName, QStringLiteral("the header is incomplete"));
    stream->Seek(0);
    QByteArray header = stream->Read(headerSize);
    if (headerSize == TBRStream::kLegacyHeaderSize)
        header = TBRStream::UpgradeHeader(header);
    if (qFromLittleEndian<quint16>(header.constData()) != 3 ||
        qFromLittleEndian<quint16>(header.constData() + 2) != 40)
        RaiseDamaged(fileName, QStringLiteral("the header does not start a page file"));
    const qint32 pageCount = IntAt(header, 8);
    if (pageCount < 0)
        RaiseDamaged(fileName, QStringLiteral("the page count is negative"));
    const bool compressed = header.at(25) != 0;

    std::lock_guard guard(lock_);
    IndexRecords(*stream, fileName, pageCount, compressed);
    stream_ = std::move(stream);
    pageCount_ = pageCount;
    compression_ = compressed;
    stream_->Seek(stream_->Size());
}

void TBRPageList::IndexRecords(TBRStream& stream, const QString& fileName, int pageCount,
                               bool compressed) {
    const qint64 size = stream.Size();
    QList<qint64> starts;
    qint64 start = stream.HeaderSize();
    for (int page = 1; page <= pageCount; ++page) {
        const QString where = QStringLiteral("page %1").arg(page);
        if (size - start < kRecordFrame)
            RaiseDamaged(fileName, where + QStringLiteral(" is missing"));
        stream.Seek(start);
        if (ReadInt(stream) != page)
            RaiseDamaged(fileName, where + QStringLiteral(" is out of order"));
        const qint64 next = ReadInt(stream);
        if (next < start + kRecordFrame || next > size)
            RaiseDamaged(fileName, where + QStringLiteral(" points outside the file"));
        stream.Seek(next - 4);
        if (ReadInt(stream) != start)
            RaiseDamaged(fileName, where + QStringLiteral(" is not linked back"));
        if (compressed) {
            const qint64 coded = next - start - kRecordFrame - 4;
            stream.Seek(start + 8);
            const qint64 count = coded < 0 ? -1 : ReadInt(stream);
            if (count < 0 || count > 8 * coded)
                RaiseDamaged(fileName, where + QStringLiteral(" has a wrong byte count"));
            const QByteArray bytes = stream.Read(coded);
            try {
                TBRCompress::Decode(bytes.constData(), bytes.size(), count);
            } catch (const EBRError& error) {
                RaiseDamaged(fileName, where + QStringLiteral(": ") + error.Message());
            }
        }
        starts.append(start);
        start = next;
    }
    recordStarts_ = starts;
}

void TBRPageList::CopyToFile(const QString& fileName) {
    std::lock_guard guard(lock_);
    if (!stream_)
        throw EBRError(QStringLiteral("There are no pages to save"));
    if (stream_->Writable())
        Finish();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EBRError(QStringLiteral("Cannot create file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    stream_->CopyTo(file);
    if (!file.flush())
        throw EBRError(QStringLiteral("Cannot write file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

void TBRPageList::Reset() {
    std::lock_guard guard(lock_);
    pageCount_ = 0;
    recordStarts_.clear();
}

} // namespace kx
