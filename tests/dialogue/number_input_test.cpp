// How an answer is read as a number, and what a read leaves in the input.

#include "dialogue/dialogue.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string Rest(std::istringstream& in) {
    in.clear();
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
}

struct SignedCase {
    const char* input;
    bool ok;
    std::int32_t value;
    const char* rest;
};

TEST(ReadInt32, TakesWhatItLookedAtAndLeavesTheRest) {
    const SignedCase cases[] = {
        {"5\n", true, 5, "\n"},
        {"  \t\n 9x", true, 9, "x"},
        {"+0\n", true, 0, "\n"},
        {"00000000005 7", true, 5, " 7"},
        {"-2147483648", true, INT32_MIN, ""},
        {"2147483647;", true, INT32_MAX, ";"},
        {"2147483648\n", false, 0, "\n"},
        {"-2147483649\n", false, 0, "\n"},
        {"99999999999999999999999x", false, 0, "x"},
        {"abc\n", false, 0, "abc\n"},
        {"-x\n", false, 0, "x\n"},
        {"+\n", false, 0, "\n"},
        {"  ", false, 0, ""},
        {"", false, 0, ""},
    };
    for (const SignedCase& c : cases) {
        std::istringstream in(c.input);
        std::int32_t value = 0;
        bool ok = ReadInt32(in, value);
        EXPECT_EQ(ok, c.ok) << '"' << c.input << '"';
        EXPECT_EQ(!in.fail(), c.ok) << '"' << c.input << '"';
        if (c.ok) {
            EXPECT_EQ(value, c.value) << '"' << c.input << '"';
        }
        EXPECT_EQ(Rest(in), c.rest) << '"' << c.input << '"';
    }
}

struct UnsignedCase {
    const char* input;
    bool ok;
    std::uint32_t value;
};

TEST(ReadUInt32, NegatesModulo32BitsAndFailsOnlyAboveTheRange) {
    const UnsignedCase cases[] = {
        {"123", true, 123u},
        {"4294967295", true, 4294967295u},
        {"-1", true, 4294967295u},
        {"-4294967295", true, 1u},
        {"2147483648", true, 2147483648u},
        {"4294967296", false, 0},
        {"-4294967296", false, 0},
        {"abc", false, 0},
    };
    for (const UnsignedCase& c : cases) {
        std::istringstream in(c.input);
        std::uint32_t value = 0;
        EXPECT_EQ(ReadUInt32(in, value), c.ok) << c.input;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.input;
        }
    }
}

TEST(ReadInt32, FailsAtOnceOnAStreamThatHasFailed) {
    std::istringstream in("42\n");
    in.setstate(std::ios::failbit);
    std::int32_t value = 0;
    EXPECT_FALSE(ReadInt32(in, value));
    EXPECT_EQ(Rest(in), "42\n");
}

} // namespace
