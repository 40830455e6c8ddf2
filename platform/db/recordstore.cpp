#include "platform/db/recordstore.h"

#include <sqlite3.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace kx::db {
namespace {

// A row is the tag bytes of its values, one per column, followed by their
// payloads in the same order. Tag byte: the low three bits give the kind,
// the high five the payload's length (0 for Null, the bytes of an integer,
// 8 for a real, those of a text or blob below kLongLength); kLongLength
// means the payload starts with the length as a varint. With the tags
// together, a reader learns every column's length at once instead of
// hopping from value to value.
constexpr std::uint8_t kNull = static_cast<std::uint8_t>(StoredKind::Null);
constexpr std::uint8_t kInteger = static_cast<std::uint8_t>(StoredKind::Integer);
constexpr std::uint8_t kReal = static_cast<std::uint8_t>(StoredKind::Real);
constexpr std::uint8_t kText = static_cast<std::uint8_t>(StoredKind::Text);
constexpr std::uint8_t kBlob = static_cast<std::uint8_t>(StoredKind::Blob);
constexpr std::uint32_t kLongLength = 31;

int IntegerBytes(qint64 value) {
    int bytes = 1;
    while (bytes < 8) {
        const qint64 limit = qint64(1) << (bytes * 8 - 1);
        if (value >= -limit && value < limit)
            break;
        ++bytes;
    }
    return bytes;
}

constexpr std::size_t kBlockSize = 256 * 1024;
// The most a text or blob payload takes besides its bytes: a varint length.
constexpr std::size_t kMostLengthBytes = 5;

// Gives a fresh block all its pages in one call instead of a fault per page
// as the rows reach them. Only a hint: where the system cannot, the pages
// still come one by one.
void Prefault(std::uint8_t* block, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    static const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t last = (start + size) / pageSize * pageSize;
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(block);
    Q_UNUSED(size);
#endif
}

// Each block starts with its size, so that a closed result can tell the
// blocks worth keeping and the mapping's length.
constexpr std::size_t kSizeBytes = sizeof(std::size_t);

using TBlock = RowArena::TBlock;

std::size_t SizeOf(const std::uint8_t* block) {
    std::size_t size = 0;
    std::memcpy(&size, block, kSizeBytes);
    return size;
}

// Raises std::bad_alloc when the system has no memory for it.
TBlock MapBlock(std::size_t size) {
    void* mapped = mmap(nullptr, kSizeBytes + size, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    TBlock block(static_cast<std::uint8_t*>(mapped));
    std::memcpy(block.get(), &size, kSizeBytes);
    return block;
}

// Standard blocks of closed results, kept for the next result of this
// thread: memory the system hands out fresh costs a fault and a cleared
// page for every page, and a list that is refreshed reads as many rows
// again. Up to 32 MB stay kept; the blocks of a larger result go back to
// the system when it closes.
class TSpareBlocks {
public:
    TBlock Take() {
        if (blocks_.empty())
            return nullptr;
        TBlock block = std::move(blocks_.back());
        blocks_.pop_back();
        return block;
    }
    void Keep(TBlock block) {
        if (blocks_.size() < kKept)
            blocks_.push_back(std::move(block));
    }

private:
    static constexpr std::size_t kKept = 128;
    std::vector<TBlock> blocks_;
};

TSpareBlocks& SpareBlocks() {
    thread_local TSpareBlocks spares;
    return spares;
}

// Writes one row straight into the arena; a row that outgrows the arena's
// current block moves to a fresh one.
class RowBuilder {
public:
    // The tags come first, one per column; the payloads follow them.
    RowBuilder(RowArena& arena, std::size_t columns)
        : arena_(arena), row_(arena.Begin()), out_(row_), end_(arena.End()) {
        out_ = Room(columns) + columns;
    }

    void Null() { Tag(kNull, 0); }
    void Integer(qint64 value) {
        const int bytes = IntegerBytes(value);
        std::uint8_t* out = Room(static_cast<std::size_t>(bytes));
        Tag(kInteger, static_cast<std::uint32_t>(bytes));
        for (int i = 0; i < bytes; ++i)
            *out++ = static_cast<std::uint8_t>(static_cast<quint64>(value) >> (8 * i));
        out_ = out;
    }
    void Real(double value) {
        std::uint8_t* out = Room(sizeof value);
        Tag(kReal, sizeof value);
        std::memcpy(out, &value, sizeof value);
        out_ = out + sizeof value;
    }
    void Bytes(std::uint8_t kind, const void* data, std::uint32_t length) {
        std::uint8_t* out = Room(kMostLengthBytes + length);
        if (length < kLongLength) {
            Tag(kind, length);
        } else {
            Tag(kind, kLongLength);
            std::uint32_t rest = length;
            while (rest >= 0x80) {
                *out++ = static_cast<std::uint8_t>(rest | 0x80);
                rest >>= 7;
            }
            *out++ = static_cast<std::uint8_t>(rest);
        }
        if (length > 0)
            std::memcpy(out, data, length);
        out_ = out + length;
    }
    PackedRow Finish() {
        arena_.Commit(out_);
        return PackedRow(row_);
    }

private:
    // The write position, with room for size more bytes behind it.
    std::uint8_t* Room(std::size_t size) {
        if (static_cast<std::size_t>(end_ - out_) < size)
            MoveRow(size);
        return out_;
    }
    void MoveRow(std::size_t size) {
        const std::size_t used = static_cast<std::size_t>(out_ - row_);
        row_ = arena_.Move(row_, used, used + size);
        out_ = row_ + used;
        end_ = arena_.End();
    }
    void Tag(std::uint8_t kind, std::uint32_t length) {
        row_[column_++] = static_cast<std::uint8_t>(kind | (length << 3));
    }

    RowArena& arena_;
    std::uint8_t* row_;
    std::uint8_t* out_;
    const std::uint8_t* end_;
    std::size_t column_ = 0;
};

// The length of a long payload, read from its varint, which at then passes.
std::uint32_t ReadLongLength(const std::uint8_t*& at) {
    std::uint32_t length = 0;
    int shift = 0;
    while (*at & 0x80) {
        length |= std::uint32_t(*at++ & 0x7f) << shift;
        shift += 7;
    }
    return length | std::uint32_t(*at++) << shift;
}

qint64 ReadInteger(const std::uint8_t* data, std::uint32_t bytes) {
    quint64 value = 0;
    for (std::uint32_t i = 0; i < bytes; ++i)
        value |= quint64(data[i]) << (8 * i);
    const int unused = 64 - static_cast<int>(bytes) * 8;
    return unused > 0 ? static_cast<qint64>(value << unused) >> unused : static_cast<qint64>(value);
}

} // namespace

void RowArena::TBlockRelease::operator()(std::uint8_t* block) const {
    munmap(block, kSizeBytes + SizeOf(block));
}

std::uint8_t* RowArena::Move(const std::uint8_t* row, std::size_t used, std::size_t size) {
    const std::size_t blockSize = std::max(2 * size, kBlockSize);
    // A result that filled a block is large: its further blocks fill whole.
    const bool large = !blocks_.empty();
    TBlock block = blockSize == kBlockSize ? SpareBlocks().Take() : nullptr;
    if (!block) {
        block = MapBlock(blockSize);
        if (large)
            Prefault(block.get() + kSizeBytes, blockSize);
    }
    blocks_.push_back(std::move(block));
    next_ = blocks_.back().get() + kSizeBytes;
    end_ = next_ + blockSize;
    if (used > 0)
        std::memcpy(next_, row, used);
    return next_;
}

void RowArena::Clear() {
    for (TBlock& block : blocks_) {
        if (SizeOf(block.get()) == kBlockSize)
            SpareBlocks().Keep(std::move(block));
    }
    blocks_.clear();
    next_ = nullptr;
    end_ = nullptr;
}

PackedRow PackedRow::FromStatement(sqlite3_stmt* statement, int columns, RowArena& arena) {
    RowBuilder builder(arena, static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) {
        // One look-up of the column's value serves every question about it.
        sqlite3_value* value = sqlite3_column_value(statement, i);
        switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            builder.Null();
            break;
        case SQLITE_INTEGER:
            builder.Integer(sqlite3_value_int64(value));
            break;
        case SQLITE_FLOAT:
            builder.Real(sqlite3_value_double(value));
            break;
        case SQLITE_TEXT: {
            const unsigned char* text = sqlite3_value_text(value);
            builder.Bytes(kText, text, static_cast<std::uint32_t>(sqlite3_value_bytes(value)));
            break;
        }
        default: {
            const void* blob = sqlite3_value_blob(value);
            builder.Bytes(kBlob, blob, static_cast<std::uint32_t>(sqlite3_value_bytes(value)));
            break;
        }
        }
    }
    return builder.Finish();
}

PackedRow PackedRow::FromValues(const StoredValues& values, RowArena& arena) {
    RowBuilder builder(arena, values.size());
    for (const QVariant& value : values) {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            builder.Null();
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            builder.Real(value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            builder.Bytes(kBlob, bytes.constData(), static_cast<std::uint32_t>(bytes.size()));
            break;
        }
        case QMetaType::QString: {
            const QByteArray utf8 = value.toString().toUtf8();
            builder.Bytes(kText, utf8.constData(), static_cast<std::uint32_t>(utf8.size()));
            break;
        }
        default:
            builder.Integer(value.toLongLong());
            break;
        }
    }
    return builder.Finish();
}

void RowReader::Attach(const std::uint8_t* bytes, int columns) {
    bytes_ = bytes;
    slots_.resize(static_cast<std::size_t>(columns));
    const std::uint8_t* at = bytes + columns;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        std::uint32_t length = bytes[i] >> 3;
        if (length == kLongLength)
            length = ReadLongLength(at);
        slots_[i] = {static_cast<std::uint32_t>(at - bytes), length,
                     static_cast<StoredKind>(bytes[i] & 7)};
        at += length;
    }
}

double PackedValue::Number() const {
    if (Kind == StoredKind::Integer)
        return static_cast<double>(ReadInteger(Data, Length));
    double number;
    std::memcpy(&number, Data, sizeof number);
    return number;
}

QVariant RowReader::Value(int column) const {
    const PackedValue value = At(column);
    switch (value.Kind) {
    case StoredKind::Integer:
        return QVariant(ReadInteger(value.Data, value.Length));
    case StoredKind::Real:
        return QVariant(value.Number());
    case StoredKind::Text:
        return QVariant(value.Text());
    case StoredKind::Blob:
        return QVariant(value.Bytes().toByteArray());
    default:
        return {};
    }
}

StoredValues RowReader::Values() const {
    StoredValues values(slots_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i)
        values[i] = Value(static_cast<int>(i));
    return values;
}

} // namespace kx::db
