#pragma once
// Compact rows for the data sets, which keep their whole result in memory:
// each row is one allocation holding its values back to back as SQLite
// returned them (a tag byte, a length for text and blobs, the bytes), so an
// open data set costs little more than the values themselves.

#include <QVariant>

#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace kx::db {

// A stored value: invalid QVariant for NULL, else qint64, double, QString or
// QByteArray.
using StoredValues = std::vector<QVariant>;

class PackedRow {
public:
    PackedRow() = default;

    static PackedRow FromStatement(sqlite3_stmt* statement, int columns);
    static PackedRow FromValues(const StoredValues& values);

    bool IsEmpty() const { return !bytes_; }
    const std::uint8_t* Bytes() const { return bytes_.get(); }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
};

// Reads the values of one packed row; finding the columns costs one pass,
// after which every value is reached directly.
class RowReader {
public:
    void Attach(const std::uint8_t* bytes, int columns);
    bool IsAttachedTo(const std::uint8_t* bytes) const { return bytes_ == bytes && bytes; }
    void Detach() { bytes_ = nullptr; }

    QVariant Value(int column) const;
    StoredValues Values() const;
    bool IsNull(int column) const;

private:
    const std::uint8_t* bytes_ = nullptr;
    std::vector<std::uint32_t> offsets_;
};

} // namespace kx::db
