#pragma once
// The page stream: header and page records of a run or a loaded page file.
// It lives in memory until it grows past its limit and then moves to a
// temporary file of its own (prefix "BRP") in the program's temporary
// folder, which goes with the stream on every path, a failing run included.

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>

class QBuffer;
class QFile;
class QIODevice;

namespace kx {

class TBRStream {
public:
    static constexpr int kHeaderSize = 128;
    static constexpr int kLegacyHeaderSize = 124;

    static std::unique_ptr<TBRStream> CreateInMemory(qint64 memoryLimit);
    // An existing page file, read-only; raises EBRError when it cannot be
    // opened.
    static std::unique_ptr<TBRStream> CreateOnFile(const QString& fileName);
    ~TBRStream();

    // Reads exactly size bytes or raises EBRError.
    void Read(char* data, qint64 size);
    QByteArray Read(qint64 size);
    void Write(const char* data, qint64 size);
    void Seek(qint64 position);
    qint64 Position() const;
    qint64 Size() const;
    // Copies the whole stream from its start; the position ends at the end.
    void CopyTo(QIODevice& target);
    // 124 for the older header layout, else 128; the position is kept.
    int HeaderSize();
    // The older 124-byte header moved into the 128-byte layout.
    static QByteArray UpgradeHeader(const QByteArray& legacy);

    bool InMemory() const { return memory_ != nullptr; }
    // A run's own stream, as against a page file opened for reading.
    bool Writable() const { return memory_ != nullptr || !tempFileName_.isEmpty(); }
    QString TempFileName() const;
    QString FileName() const;

private:
    TBRStream() = default;
    QIODevice& Device() const;
    void MoveToTempFile();

    mutable std::recursive_mutex lock_;
    std::unique_ptr<QBuffer> memory_;
    std::unique_ptr<QFile> file_;
    QString tempFileName_;
    qint64 memoryLimit_ = 0;
};

} // namespace kx
