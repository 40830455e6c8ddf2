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

// The bytes of the rows of one result, handed out from large blocks and
// given back all at once when the result closes: no allocation per row.
class RowArena {
public:
    // A row is written at Start, moved to a fresh block when the next value
    // does not fit, and ends with Commit.
    std::uint8_t* Start() const { return next_; }
    bool Fits(std::size_t size) const;
    std::uint8_t* Move(const std::uint8_t* row, std::size_t used, std::size_t size);
    void Commit(std::size_t size);
    void Clear();

private:
    std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
    std::uint8_t* next_ = nullptr;
    std::size_t left_ = 0;
};

// A row in an arena; copying it copies the reference.
class PackedRow {
public:
    PackedRow() = default;
    explicit PackedRow(const std::uint8_t* bytes) : bytes_(bytes) {}

    static PackedRow FromStatement(sqlite3_stmt* statement, int columns, RowArena& arena);
    static PackedRow FromValues(const StoredValues& values, RowArena& arena);

    bool IsEmpty() const { return !bytes_; }
    const std::uint8_t* Bytes() const { return bytes_; }

private:
    const std::uint8_t* bytes_ = nullptr;
};

// Reads the values of one packed row; finding the columns costs one pass,
// after which every value is reached directly.
class RowReader {
public:
    void Attach(const std::uint8_t* bytes, int columns);
    bool IsAttachedTo(const std::uint8_t* bytes) const { return bytes_ == bytes && bytes; }
    void Detach() { bytes_ = nullptr; }

    QVariant Value(int column) const;
    // A text or number without the detour through QVariant; false when the
    // value is of another kind.
    bool Text(int column, QString& text) const;
    bool Number(int column, double& number) const;
    StoredValues Values() const;

private:
    // Where each column's value lies, found once per row.
    struct Slot {
        std::uint32_t Offset;
        std::uint32_t Length;
        std::uint8_t Kind;
    };

    const std::uint8_t* bytes_ = nullptr;
    std::vector<Slot> slots_;
};

} // namespace kx::db
