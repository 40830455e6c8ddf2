#pragma once
// Compact rows for the data sets, which keep their whole result in memory:
// each row lies in a shared block, a tag byte per value followed by the
// values as SQLite returned them, so an open data set costs little more
// than the values themselves.

#include <QByteArrayView>
#include <QString>
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

    // A block of rows, mapped from the system on its own, so that closing a
    // large result gives its memory back at once.
    struct TBlockRelease {
        void operator()(std::uint8_t* block) const;
    };
    using TBlock = std::unique_ptr<std::uint8_t, TBlockRelease>;

private:
    std::vector<TBlock> blocks_;
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

// A value read in place from a packed row, so it lasts as long as the row;
// texts and numbers come out of it without the detour through QVariant, as
// the fields read them for every row shown.
struct PackedValue {
    StoredKind Kind = StoredKind::Null;
    std::uint32_t Length = 0;
    // The bytes of the value; null where there is no packed value at all.
    const std::uint8_t* Data = nullptr;

    // True for a packed value of that kind.
    bool Is(StoredKind kind) const { return Data && Kind == kind; }
    QByteArrayView Bytes() const {
        return {reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Length)};
    }
    // The text of a Text value.
    QString Text() const { return QString::fromUtf8(Bytes()); }
    // The number of an Integer or Real value.
    double Number() const;
};

// Reads the values of one packed row; finding the columns costs one pass,
// after which every value is reached directly.
class RowReader {
public:
    void Attach(const std::uint8_t* bytes, int columns);
    bool IsAttachedTo(const std::uint8_t* bytes) const { return bytes_ == bytes && bytes; }
    void Detach() { bytes_ = nullptr; }

    PackedValue At(int column) const {
        const Slot& slot = slots_[static_cast<std::size_t>(column)];
        return {slot.Kind, slot.Length, bytes_ + slot.Offset};
    }
    QVariant Value(int column) const;
    StoredValues Values() const;

private:
    // Where each column's value lies, found once per row.
    struct Slot {
        std::uint32_t Offset;
        std::uint32_t Length;
        StoredKind Kind;
    };

    const std::uint8_t* bytes_ = nullptr;
    std::vector<Slot> slots_;
};

} // namespace kx::db
