// What a person is told when something they typed cannot be done: the
// message names what they gave (the size they asked for, the character they
// wrote, the handle that no longer exists), not what the runtime made of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/system/program_run.hpp"

namespace {

using sys_test::ProgramRun;

constexpr double kLimit = 60;  // a hang fails the test instead of stalling it

TEST(UserMessages, EachNamesWhatTheUserGave) {
    const ProgramRun r = sys_test::run_tavrin_within(
        kLimit, {"--headless", "--eval", "zeros(Inf)", "--eval", "zeros(1e10,0)", "--eval", "ones(20000,20000)",
                 "--eval", "日本=1", "--eval", "x = é", "--eval", "h = figure", "--eval", "delete(h)", "--eval",
                 "movegui(h)", "--eval", "movegui(5)"});
    const std::vector<std::string> expected = {
        "Requested Inf-by-Inf array exceeds the maximum array size (100000000 elements).\n",
        "Requested 10000000000-by-0 array exceeds the maximum array size (100000000 rows or columns).\n",
        "Requested 20000-by-20000 array exceeds the maximum array size (100000000 elements).\n",
        "Parse error at column 1: unexpected '日'\n",
        "Parse error at column 5: unexpected 'é'\n",
        "movegui: 2 is not a valid handle; its object has been deleted.\n",
        // A number that never was a handle keeps the plain refusal.
        "unrecognized input argument\n",
    };
    std::string all;
    for (const std::string& line : expected) all += line;
    EXPECT_EQ(r.err, all);
    EXPECT_EQ(r.out, "h = 2\n");
}

}  // namespace
