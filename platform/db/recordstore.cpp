#include "platform/db/recordstore.h"

#include <sqlite3.h>

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

} // namespace

PackedRow PackedRow::FromStatement(sqlite3_stmt* statement, int columns) {
    std::size_t size = 0;
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(statement, i)) {
        case SQLITE_NULL:
            size += 1;
            break;
        case SQLITE_INTEGER:
            size += EncodedSize(kInteger, sqlite3_column_int64(statement, i), 0);
            break;
        case SQLITE_FLOAT:
            size += EncodedSize(kReal, 0, 0);
            break;
        case SQLITE_TEXT:
            sqlite3_column_text(statement, i);
            size += EncodedSize(kText, 0, sqlite3_column_bytes(statement, i));
            break;
        default:
            sqlite3_column_blob(statement, i);
            size += EncodedSize(kBlob, 0, sqlite3_column_bytes(statement, i));
            break;
        }
    }
    PackedRow row;
    row.bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    Writer writer(row.bytes_.get());
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(statement, i)) {
        case SQLITE_NULL:
            writer.Null();
            break;
        case SQLITE_INTEGER:
            writer.Integer(sqlite3_column_int64(statement, i));
            break;
        case SQLITE_FLOAT:
            writer.Real(sqlite3_column_double(statement, i));
            break;
        case SQLITE_TEXT:
            writer.Bytes(kText, sqlite3_column_text(statement, i),
                         static_cast<std::uint32_t>(sqlite3_column_bytes(statement, i)));
            break;
        default:
            writer.Bytes(kBlob, sqlite3_column_blob(statement, i),
                         static_cast<std::uint32_t>(sqlite3_column_bytes(statement, i)));
            break;
        }
    }
    return row;
}

PackedRow PackedRow::FromValues(const StoredValues& values) {
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
    PackedRow row;
    row.bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    Writer writer(row.bytes_.get());
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
    offsets_.resize(static_cast<std::size_t>(columns));
    std::uint32_t offset = 0;
    for (int i = 0; i < columns; ++i) {
        offsets_[static_cast<std::size_t>(i)] = offset;
        const Payload payload = ReadPayload(bytes + offset);
        offset = static_cast<std::uint32_t>(payload.data - bytes) + payload.length;
    }
}

QVariant RowReader::Value(int column) const {
    const Payload payload = ReadPayload(bytes_ + offsets_[static_cast<std::size_t>(column)]);
    switch (payload.kind) {
    case kInteger:
        return QVariant(ReadInteger(payload.data, payload.length));
    case kReal: {
        double value;
        std::memcpy(&value, payload.data, sizeof value);
        return QVariant(value);
    }
    case kText:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(payload.data),
                                          static_cast<qsizetype>(payload.length)));
    case kBlob:
        return QVariant(QByteArray(reinterpret_cast<const char*>(payload.data),
                                   static_cast<qsizetype>(payload.length)));
    default:
        return {};
    }
}

StoredValues RowReader::Values() const {
    StoredValues values(offsets_.size());
    for (std::size_t i = 0; i < offsets_.size(); ++i)
        values[i] = Value(static_cast<int>(i));
    return values;
}

bool RowReader::IsNull(int column) const {
    return (bytes_[offsets_[static_cast<std::size_t>(column)]] & 7) == kNull;
}

} // namespace kx::db
