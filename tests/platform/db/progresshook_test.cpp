#include "platform/db/progresshook.h"

#include "tests/platform/db/dbfixture.h"

#include <stdexcept>

namespace kx::db::test {
namespace {

// Enough engine steps for the hook to be called many times.
const QString kLongCount =
    QStringLiteral("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
                   "WHERE I < 200000) SELECT COUNT(*) FROM N");

class ProgressHookTest : public DbTest {
protected:
    ~ProgressHookTest() override { SetProgressHook({}); }
};

TEST_F(ProgressHookTest, LongStatementCallsTheHookUntilItIsReplaced) {
    int calls = 0;
    EXPECT_FALSE(SetProgressHook([&] { ++calls; }));
    EXPECT_EQ(Column(kLongCount), QStringList{"200000"});
    const int callsDuringCount = calls;
    EXPECT_GT(callsDuringCount, 10);

    const ProgressHook previous = SetProgressHook({});
    ASSERT_TRUE(previous);
    EXPECT_EQ(Column(kLongCount), QStringList{"200000"});
    EXPECT_EQ(calls, callsDuringCount);
}

TEST_F(ProgressHookTest, FailingHookStopsTheStatementWithItsOwnException) {
    SetProgressHook([] { throw std::runtime_error("picture failed"); });
    try {
        Column(kLongCount);
        FAIL() << "the statement ran to its end";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "picture failed");
    }
    SetProgressHook({});
    EXPECT_EQ(Column("SELECT COUNT(*) FROM SYS_COMPOSE_TABLE"), QStringList{"3"});
}

} // namespace
} // namespace kx::db::test
