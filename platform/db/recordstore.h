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
    // A row is written from Begin, before End; it moves to a fresh block when
    // the next value does not fit, and ends with Commit.
    std::uint8_t* Begin() const { return next_; }
    const std::uint8_t* End() const { return end_; }
    // Copies the used bytes of the row to a fresh block with room for size
    // bytes, and answers the row's new start.
    std::uint8_t* Move(const std::uint8_t* row, std::size_t used, std::size_t size);
    void Commit(std::uint8_t* rowEnd) { next_ = rowEnd; }
    void Clear();

private:
    std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
    std::uint8_t* next_ = nullptr;
    const std::uint8_t* end_ = nullptr;
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

// What a packed value is.
enum class StoredKind : std::uint8_t { Null = 0, Integer = 1, Real = 2, Text = 3, Blob = 4 };

// Reads the values of one packed row; finding the columns costs one pass,
// after which every value is reached directly.
class RowReader {
public:
    void Attach(const std::uint8_t* bytes, int columns);
    bool IsAttachedTo(const std::uint8_t* bytes) const { return bytes_ == bytes && bytes; }
    void Detach() { bytes_ = nullptr; }

    QVariant Value(int column) const;
    StoredValues Values() const;

    // Texts and numbers are read without the detour through QVariant, as
    // the fields read them for every row shown.
    StoredKind Kind(int column) const { return SlotAt(column).Kind; }
    // The text of a Text value.
    QString Text(int column) const {
        const Slot& slot = SlotAt(column);
        return QString::fromUtf8(reinterpret_cast<const char*>(bytes_ + slot.Offset),
                                 static_cast<qsizetype>(slot.Length));
    }
    // The number of an Integer or Real value.
    double Number(int column) const;

private:
    // Where each column's value lies, found once per row.
    struct Slot {
        std::uint32_t Offset;
        std::uint32_t Length;
        StoredKind Kind;
    };

    const Slot& SlotAt(int column) const { return slots_[static_cast<std::size_t>(column)]; }

    const std::uint8_t* bytes_ = nullptr;
    std::vector<Slot> slots_;
};

} // namespace kx::db
