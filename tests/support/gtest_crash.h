// The crash filter for GoogleTest programs: names the test that was running.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/crash_filter.h"

namespace testing_host {

inline const char* RunningTestName() {
    static std::string name;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return nullptr;
    name = std::string(test->test_suite_name()) + "." + test->name();
    return name.c_str();
}

inline void InstallTestCrashFilter() { InstallCrashFilter(RunningTestName); }

}  // namespace testing_host
