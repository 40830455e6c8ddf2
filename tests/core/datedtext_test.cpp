// An option whose value reads like a month/day/year date keeps that text.

#include "core/options.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(DatedTextTest, OptionValueLikeADateIsStoredAsTyped) {
    test::OpenDataFolder data;
    test::MessageRecorder messages;
    for (const char* value : {"1/2/2007", "12/31/2007"}) {
        SetOption("1/2/2007", value);
        EXPECT_EQ(GetOption("1/2/2007").toStdString(), value);
    }
    EXPECT_TRUE(messages.Texts().isEmpty());
}

} // namespace
} // namespace kx
