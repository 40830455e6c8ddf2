#pragma once
// The pages of a run, one record each in a page stream; the stream's bytes
// are the ".BRP" page file. A page is opaque bytes here: the page picture
// the printer records.
//
// Layout (little-endian, offsets absolute): a 128-byte header (u16 3, u16 40,
// i32 page count at 8, f64 time stamp at 16, u8 compressed at 25, the rest
// zero), then per page: i32 page number, i32 offset of the next record, the
// page data, i32 offset of this record. Compressed page data is an i32 byte
// count followed by the coded bytes.

#include "bandreport/brstream.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace kx {

class TBRPageList {
public:
    static constexpr qint64 kDefaultMemoryLimit = 250000;

    TBRPageList();
    ~TBRPageList();

    bool Compression() const { return compression_; }
    void SetCompression(bool value) { compression_ = value; }
    int PageCount() const { return pageCount_; }

    // Takes the stream the pages go to (a fresh one for a run).
    void SetStream(std::unique_ptr<TBRStream> stream);
    TBRStream* Stream() const { return stream_.get(); }

    void AddPage(const QByteArray& page);
    // Pages count from 1; any other number gives nothing.
    std::optional<QByteArray> GetPage(int pageNumber);
    // Rewrites the header with the final count and the current time.
    void Finish();
    // Opens a page file, checking every record first; a damaged file raises
    // EBRError and leaves the list as it was.
    void OpenPageFile(const QString& fileName);
    void CopyToFile(const QString& fileName);
    void Reset();

    // Days since 30 December 1899 in local time.
    static double OleTimeStamp();

private:
    void WriteHeader();
    void IndexRecords(TBRStream& stream, const QString& fileName, int pageCount, bool compressed);

    mutable std::recursive_mutex lock_;
    std::unique_ptr<TBRStream> stream_;
    QList<qint64> recordStarts_;
    int pageCount_ = 0;
    bool compression_ = false;
};

} // namespace kx
