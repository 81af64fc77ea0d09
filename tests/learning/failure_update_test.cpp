#include <gtest/gtest.h>

#include "learning/learning_run.hpp"
#include "learning/run_constants.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"

namespace {

class FailureUpdateTest : public ::testing::Test {
protected:
    FailureUpdateTest() : k(sys::add_run_constants(module)) {}

    rt::ModuleConstants module{"failure update test"};
    sys::RunConstants k;
    rt::Value q_val = rt::zeros(162, 2);
};

TEST_F(FailureUpdateTest, UpdatesOnlyThePreviousDecisionsEntryInItsGrouping) {
    rt::array_assign2(q_val, 5.0, 2.0, 0.5);
    sys::failure_update(k, q_val, 5.0, 2.0, -1.0, 0.3, 0.95);
    EXPECT_EQ(rt::array_ref2(q_val, 5.0, 2.0), 0.5 + 0.3 * ((-1.0 + 0.95 * 0.0) - 0.5));
    rt::array_assign2(q_val, 5.0, 2.0, 0.0);
    EXPECT_TRUE(rt::isequal(q_val, rt::zeros(162, 2)));

    // From zero the entry becomes ALPHA times the reinforcement.
    sys::failure_update(k, q_val, 162.0, 1.0, -1.0, 0.3, 0.95);
    EXPECT_EQ(rt::array_ref2(q_val, 162.0, 1.0), 0.3 * -1.0);
}

TEST_F(FailureUpdateTest, AFailureBeforeAnyDecisionUpdatesNothing) {
    // The first step after a reset: get_action has moved the reset values
    // (box 1, action -1) into the previous decision.
    sys::failure_update(k, q_val, 1.0, -1.0, -1.0, 0.3, 0.95);
    EXPECT_TRUE(rt::isequal(q_val, rt::zeros(162, 2)));
    // Any other entry outside the table is the runtime's indexing error.
    EXPECT_THROW(sys::failure_update(k, q_val, 163.0, 1.0, -1.0, 0.3, 0.95), rt::Error);
}

}  // namespace
