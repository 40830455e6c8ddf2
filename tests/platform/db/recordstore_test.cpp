#include "platform/db/recordstore.h"

#include <gtest/gtest.h>

#include <limits>

namespace kx::db::test {
namespace {

// Values at every edge of the packed form: Null, the widths of integers,
// reals, the lengths where a text's length moves from its tag to a varint
// of one, two and three bytes, empty texts and blobs, zero bytes.
StoredValues EdgeValues() {
    StoredValues values = {QVariant()};
    const qint64 integers[] = {0,
                               -1,
                               127,
                               128,
                               -128,
                               -129,
                               32767,
                               32768,
                               std::numeric_limits<qint32>::max(),
                               std::numeric_limits<qint32>::min(),
                               qint64(1) << 40,
                               std::numeric_limits<qint64>::min(),
                               std::numeric_limits<qint64>::max()};
    for (qint64 integer : integers)
        values.emplace_back(integer);
    for (double real : {0.0, -2.5, 1e300, std::numeric_limits<double>::denorm_min()})
        values.emplace_back(real);
    for (int length : {0, 1, 30, 31, 32, 127, 128, 16383, 16384})
        values.emplace_back(QString(length, u'x'));
    values.emplace_back(QStringLiteral("现金支票"));
    values.emplace_back(QByteArray());
    values.emplace_back(QByteArray("\0a\0", 3));
    return values;
}

StoredKind KindOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return StoredKind::Null;
    case QMetaType::LongLong:
        return StoredKind::Integer;
    case QMetaType::Double:
        return StoredKind::Real;
    case QMetaType::QString:
        return StoredKind::Text;
    default:
        return StoredKind::Blob;
    }
}

TEST(PackedRowTest, EveryValueComesBackAsItWasStored) {
    const StoredValues values = EdgeValues();
    const int columns = static_cast<int>(values.size());
    // Rows enough to fill several blocks, so that some move to a fresh
    // block half written.
    RowArena arena;
    std::vector<PackedRow> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back(PackedRow::FromValues(values, arena));
    RowReader reader;
    for (const PackedRow& row : rows) {
        reader.Attach(row.Bytes(), columns);
        ASSERT_EQ(reader.Values(), values);
    }
    for (int column = 0; column < columns; ++column) {
        SCOPED_TRACE(column);
        const QVariant& value = values[static_cast<std::size_t>(column)];
        const PackedValue packed = reader.At(column);
        EXPECT_TRUE(packed.Is(KindOf(value)));
        if (packed.Is(StoredKind::Integer) || packed.Is(StoredKind::Real)) {
            EXPECT_EQ(packed.Number(), value.toDouble());
        }
        if (packed.Is(StoredKind::Text)) {
            EXPECT_EQ(packed.Text(), value.toString());
        }
    }
}

} // namespace
} // namespace kx::db::test
