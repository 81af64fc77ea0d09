#pragma once
// A fixture with the system started as rt::run_main starts it: the function
// and global tables installed and every initialiser of the main information
// record run before each test; every terminator run after it.

#include <gtest/gtest.h>

#include "app/main_information.hpp"
#include "runtime/call/program.hpp"

namespace sys_test {

class RunningProgram : public ::testing::Test {
protected:
    void SetUp() override { rt::start_program(sys::main_information); }
    void TearDown() override { rt::end_program(sys::main_information); }
};

}  // namespace sys_test
