#include "platform/db/recordstore.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace kx::db {
namespace {

// Tag byte: the low three bits give the kind, the high five a small length
// (bytes of an integer, or of a text or blob below kLongLength).
enum Kind : std::uint8_t { kNull = 0, kInteger = 1, kReal = 2, kText = 3, kBlob = 4 };
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

int VarintBytes(std::uint32_t value) {
    int bytes = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++bytes;
    }
    return bytes;
}

std::size_t EncodedSize(Kind kind, qint64 integer, std::uint32_t length) {
    switch (kind) {
    case kNull:
        return 1;
    case kInteger:
        return 1 + IntegerBytes(integer);
    case kReal:
        return 1 + sizeof(double);
    default:
        return 1 + (length < kLongLength ? 0 : VarintBytes(length)) + length;
    }
}

class Writer {
public:
    explicit Writer(std::uint8_t* out) : out_(out) {}

    void Null() { *out_++ = kNull; }
    void Integer(qint64 value) {
        const int bytes = IntegerBytes(value);
        *out_++ = static_cast<std::uint8_t>(kInteger | (bytes << 3));
        for (int i = 0; i < bytes; ++i)
            *out_++ = static_cast<std::uint8_t>(static_cast<quint64>(value) >> (8 * i));
    }
    void Real(double value) {
        *out_++ = kReal;
        std::memcpy(out_, &value, sizeof value);
        out_ += sizeof value;
    }
    void Bytes(Kind kind, const void* data, std::uint32_t length) {
        if (length < kLongLength) {
            *out_++ = static_cast<std::uint8_t>(kind | (length << 3));
        } else {
            *out_++ = static_cast<std::uint8_t>(kind | (kLongLength << 3));
            std::uint32_t rest = length;
            while (rest >= 0x80) {
                *out_++ = static_cast<std::uint8_t>(rest | 0x80);
                rest >>= 7;
            }
            *out_++ = static_cast<std::uint8_t>(rest);
        }
        if (length > 0)
            std::memcpy(out_, data, length);
        out_ += length;
    }

private:
    std::uint8_t* out_;
};

struct Payload {
    Kind kind;
    const std::uint8_t* data;
    std::uint32_t length;
};

Payload ReadPayload(const std::uint8_t* at) {
    const Kind kind = static_cast<Kind>(*at & 7);
    std::uint32_t length = *at >> 3;
    ++at;
    if ((kind == kText || kind == kBlob) && length == kLongLength) {
        length = 0;
        int shift = 0;
        while (*at & 0x80) {
            length |= std::uint32_t(*at++ & 0x7f) << shift;
            shift += 7;
        }
        length |= std::uint32_t(*at++) << shift;
    } else if (kind == kReal) {
        length = sizeof(double);
    } else if (kind == kNull) {
        length = 0;
    }
    return {kind, at, length};
}

qint64 ReadInteger(const std::uint8_t* data, std::uint32_t bytes) {
    quint64 value = 0;
    for (std::uint32_t i = 0; i < bytes; ++i)
        value |= quint64(data[i]) << (8 * i);
    const int unused = 64 - static_cast<int>(bytes) * 8;
    return unused > 0 ? static_cast<qint64>(value << unused) >> unused : static_cast<qint64>(value);
}

Kind KindOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return kNull;
    case QMetaType::Double:
    case QMetaType::Float:
        return kReal;
    case QMetaType::QByteArray:
        return kBlob;
    case QMetaType::QString:
        return kText;
    default:
        return kInteger;
    }
}

constexpr std::size_t kBlockSize = 256 * 1024;

} // namespace

std::uint8_t* RowArena::Allocate(std::size_t size) {
    if (size > left_) {
        const std::size_t blockSize = std::max(size, kBlockSize);
        blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(blockSize));
        next_ = blocks_.back().get();
        left_ = blockSize;
    }
    std::uint8_t* bytes = next_;
    next_ += size;
    left_ -= size;
    return bytes;
}

void RowArena::Clear() {
    blocks_.clear();
    next_ = nullptr;
    left_ = 0;
}

PackedRow PackedRow::FromStatement(sqlite3_stmt* statement, int columns, RowArena& arena) {
    // One pass over the columns to learn the values, one to write them: the
    // values are read from SQLite only once.
    struct Cell {
        Kind kind = kNull;
        qint64 integer = 0;
        double real = 0;
        const void* data = nullptr;
        std::uint32_t length = 0;
    };
    thread_local std::vector<Cell> cells;
    cells.resize(static_cast<std::size_t>(columns));
    std::size_t size = 0;
    for (int i = 0; i < columns; ++i) {
        Cell& cell = cells[static_cast<std::size_t>(i)];
        cell = Cell{};
        // One look-up of the column's value serves every question about it.
        sqlite3_value* value = sqlite3_column_value(statement, i);
        switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            cell.kind = kNull;
            break;
        case SQLITE_INTEGER:
            cell.kind = kInteger;
            cell.integer = sqlite3_value_int64(value);
            break;
        case SQLITE_FLOAT:
            cell.kind = kReal;
            cell.real = sqlite3_value_double(value);
            break;
        case SQLITE_TEXT:
            cell.kind = kText;
            cell.data = sqlite3_value_text(value);
            cell.length = static_cast<std::uint32_t>(sqlite3_value_bytes(value));
            break;
        default:
            cell.kind = kBlob;
            cell.data = sqlite3_value_blob(value);
            cell.length = static_cast<std::uint32_t>(sqlite3_value_bytes(value));
            break;
        }
        size += EncodedSize(cell.kind, cell.integer, cell.length);
    }
    std::uint8_t* bytes = arena.Allocate(size);
    PackedRow row;
    row.bytes_ = bytes;
    Writer writer(bytes);
    for (const Cell& cell : cells) {
        switch (cell.kind) {
        case kNull:
            writer.Null();
            break;
        case kInteger:
            writer.Integer(cell.integer);
            break;
        case kReal:
            writer.Real(cell.real);
            break;
        default:
            writer.Bytes(cell.kind, cell.data, cell.length);
            break;
        }
    }
    return row;
}

PackedRow PackedRow::FromValues(const StoredValues& values, RowArena& arena) {
    std::vector<QByteArray> utf8(values.size());
    std::size_t size = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        const Kind kind = KindOf(value);
        if (kind == kText)
            utf8[i] = value.toString().toUtf8();
        else if (kind == kBlob)
            utf8[i] = value.toByteArray();
        const qint64 integer = kind == kInteger ? value.toLongLong() : 0;
        size += EncodedSize(kind, integer, static_cast<std::uint32_t>(utf8[i].size()));
    }
    std::uint8_t* bytes = arena.Allocate(size);
    PackedRow row;
    row.bytes_ = bytes;
    Writer writer(bytes);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        switch (const Kind kind = KindOf(value)) {
        case kNull:
            writer.Null();
            break;
        case kInteger:
            writer.Integer(value.toLongLong());
            break;
        case kReal:
            writer.Real(value.toDouble());
            break;
        default:
            writer.Bytes(kind, utf8[i].constData(), static_cast<std::uint32_t>(utf8[i].size()));
            break;
        }
    }
    return row;
}

void RowReader::Attach(const std::uint8_t* bytes, int columns) {
    bytes_ = bytes;
    slots_.resize(static_cast<std::size_t>(columns));
    const std::uint8_t* at = bytes;
    for (Slot& slot : slots_) {
        const Payload payload = ReadPayload(at);
        slot = {static_cast<std::uint32_t>(payload.data - bytes), payload.length, payload.kind};
        at = payload.data + payload.length;
    }
}

QVariant RowReader::Value(int column) const {
    const Slot& slot = slots_[static_cast<std::size_t>(column)];
    const std::uint8_t* data = bytes_ + slot.Offset;
    switch (slot.Kind) {
    case kInteger:
        return QVariant(ReadInteger(data, slot.Length));
    case kReal: {
        double value;
        std::memcpy(&value, data, sizeof value);
        return QVariant(value);
    }
    case kText:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(data),
                                          static_cast<qsizetype>(slot.Length)));
    case kBlob:
        return QVariant(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(slot.Length)));
    default:
        return {};
    }
}

bool RowReader::Text(int column, QString& text) const {
    const Slot& slot = slots_[static_cast<std::size_t>(column)];
    if (slot.Kind != kText)
        return false;
    text = QString::fromUtf8(reinterpret_cast<const char*>(bytes_ + slot.Offset),
                             static_cast<qsizetype>(slot.Length));
    return true;
}

bool RowReader::Number(int column, double& number) const {
    const Slot& slot = slots_[static_cast<std::size_t>(column)];
    if (slot.Kind == kReal)
        std::memcpy(&number, bytes_ + slot.Offset, sizeof number);
    else if (slot.Kind == kInteger)
        number = static_cast<double>(ReadInteger(bytes_ + slot.Offset, slot.Length));
    else
        return false;
    return true;
}

StoredValues RowReader::Values() const {
    StoredValues values(slots_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i)
        values[i] = Value(static_cast<int>(i));
    return values;
}

} // namespace kx::db
