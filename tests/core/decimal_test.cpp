// Numbers and switches read from text.
#include <gtest/gtest.h>

#include "core/decimal.h"
#include "core/errors.h"

namespace netprobe {
namespace {

TEST(StrToBool, NumbersAndWords) {
    for (const char* yes : {"1", "-1", "2", "+7", "0010", "true", "TRUE", "True", "tRuE"})
        EXPECT_TRUE(StrToBool(yes)) << yes;
    for (const char* no : {"0", "00", "-0", "false", "FALSE", "False"}) EXPECT_FALSE(StrToBool(no)) << no;
    for (const char* bad : {"", "yes", "on", " 1", "1 ", "+", "-", "1.0", "truth", "t"}) {
        EXPECT_THROW(StrToBool(bad), EConvertError) << bad;
    }
}

}  // namespace
}  // namespace netprobe
