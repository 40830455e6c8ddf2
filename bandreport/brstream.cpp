#include "bandreport/brstream.h"

#include "bandreport/brerror.h"
#include "core/filefunctions.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cstring>

namespace kx {

namespace {

constexpr qint64 kCopyBlock = 10240;
constexpr qint64 kSignatureOffset = 173;

[[noreturn]] void RaiseStreamError(const QIODevice& device, const QString& what) {
    throw EBRError(QStringLiteral("Page stream %1 failed: %2").arg(what, device.errorString()));
}

} // namespace

std::unique_ptr<TBRStream> TBRStream::CreateInMemory(qint64 memoryLimit) {
    std::unique_ptr<TBRStream> stream(new TBRStream);
    stream->memoryLimit_ = memoryLimit;
    stream->memory_ = std::make_unique<QBuffer>();
    stream->memory_->open(QIODevice::ReadWrite);
    return stream;
}

std::unique_ptr<TBRStream> TBRStream::CreateOnFile(const QString& fileName) {
    std::unique_ptr<TBRStream> stream(new TBRStream);
    stream->file_ = std::make_unique<QFile>(fileName);
    if (!stream->file_->open(QIODevice::ReadOnly))
        throw EBRError(QStringLiteral("Cannot open file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(fileName), stream->file_->errorString()));
    return stream;
}

TBRStream::~TBRStream() {
    std::lock_guard guard(lock_);
    memory_.reset();
    file_.reset();
}

QIODevice& TBRStream::Device() const {
    if (memory_)
        return *memory_;
    return *file_;
}

void TBRStream::Read(char* data, qint64 size) {
    std::lock_guard guard(lock_);
    if (size < 0 || Device().read(data, size) != size)
        throw EBRError(QStringLiteral("Page stream read past its end"));
}

QByteArray TBRStream::Read(qint64 size) {
    std::lock_guard guard(lock_);
    if (size < 0 || size > Size() - Position())
        throw EBRError(QStringLiteral("Page stream read past its end"));
    QByteArray bytes(size, Qt::Uninitialized);
    Read(bytes.data(), size);
    return bytes;
}

void TBRStream::Write(const char* data, qint64 size) {
    std::lock_guard guard(lock_);
    if (Device().write(data, size) != size)
        RaiseStreamError(Device(), QStringLiteral("write"));
    if (memory_ && memory_->size() > memoryLimit_)
        MoveToTempFile();
}

void TBRStream::MoveToTempFile() {
    const QString folder = GetTempFolder();
    QDir().mkpath(folder);
    auto file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("BRPXXXXXX"));
    if (!file->open())
        RaiseStreamError(*file, QStringLiteral("move to a temporary file"));
    const QByteArray& content = memory_->data();
    if (file->write(content) != content.size())
        RaiseStreamError(*file, QStringLiteral("write"));
    file->seek(memory_->pos());
    tempFileName_ = file->fileName();
    file_ = std::move(file);
    memory_.reset();
}

void TBRStream::Seek(qint64 position) {
    std::lock_guard guard(lock_);
    if (!Device().seek(position))
        RaiseStreamError(Device(), QStringLiteral("seek"));
}

qint64 TBRStream::Position() const {
    std::lock_guard guard(lock_);
    return Device().pos();
}

qint64 TBRStream::Size() const {
    std::lock_guard guard(lock_);
    return Device().size();
}

void TBRStream::CopyTo(QIODevice& target) {
    std::lock_guard guard(lock_);
    Seek(0);
    QByteArray block(kCopyBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = Device().read(block.data(), kCopyBlock);
        if (got < 0)
            RaiseStreamError(Device(), QStringLiteral("read"));
        if (got == 0)
            return;
        if (target.write(block.constData(), got) != got)
            RaiseStreamError(target, QStringLiteral("copy"));
    }
}

int TBRStream::HeaderSize() {
    std::lock_guard guard(lock_);
    if (Size() < kSignatureOffset + 4)
        return kHeaderSize;
    const qint64 kept = Position();
    Seek(kSignatureOffset);
    char signature[5] = {};
    Read(signature, 4);
    Seek(kept);
    return std::strcmp(signature, "EMF") == 0 ? kLegacyHeaderSize : kHeaderSize;
}

QByteArray TBRStream::UpgradeHeader(const QByteArray& legacy) {
    QByteArray header(kHeaderSize, '\0');
    std::memcpy(header.data(), legacy.constData(), 5);
    std::memcpy(header.data() + 8, legacy.constData() + 8, 4);
    std::memcpy(header.data() + 16, legacy.constData() + 12, 8);
    header[24] = legacy[20];
    header[25] = legacy[21];
    std::memcpy(header.data() + 26, legacy.constData() + 22, 101);
    return header;
}

QString TBRStream::TempFileName() const {
    return tempFileName_;
}

QString TBRStream::FileName() const {
    return file_ ? file_->fileName() : QString();
}

} // namespace kx
