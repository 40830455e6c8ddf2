// The memory stream's capacity steps.

#include "grid/base/memorystreamx.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(MemoryStreamX, GrowsInStepsOfTwiceTheHalfStep) {
    struct Case {
        int halfStep;
        qint64 capacity;
    };
    for (const Case c : {Case{4096, 16384}, Case{65536, 131072}}) {
        TMemoryStreamX stream;
        stream.SetHalfStep(c.halfStep);
        for (int i = 0; i < 10000; ++i) {
            const char byte = char(i);
            ASSERT_EQ(stream.Write(&byte, 1), 1);
        }
        EXPECT_EQ(stream.Size(), 10000);
        EXPECT_EQ(stream.Capacity(), c.capacity);
        EXPECT_EQ(stream.Memory()[9999], char(9999));
    }
}

TEST(MemoryStreamX, SizeZeroFreesTheMemoryAndReadingFollowsThePosition) {
    TMemoryStreamX stream;
    const char text[] = "grid rows";
    stream.Write(text, 9);
    stream.Seek(5, TMemoryStreamX::soBeginning);
    char read[8] = {};
    EXPECT_EQ(stream.Read(read, 8), 4);
    EXPECT_EQ(QByteArray(read, 4), QByteArray("rows"));
    stream.SetSize(0);
    EXPECT_EQ(stream.Capacity(), 0);
    EXPECT_EQ(stream.Memory(), nullptr);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStreamX, SettingTheSizeItHasKeepsTheCapacityExact) {
    TMemoryStreamX stream;
    stream.SetSize(100);
    EXPECT_EQ(stream.Capacity(), 8192);
    stream.SetSize(100);
    EXPECT_EQ(stream.Capacity(), 100) << "a wanted capacity equal to the size is not rounded";
}

} // namespace
} // namespace kx
