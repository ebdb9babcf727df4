// A crashing test program must fail with a non-zero status at once, not hang
// in the platform's crash debugger or exit with 0.
#include <gtest/gtest.h>
#include <windows.h>

TEST(CrashFilter, ACrashEndsTheProgramWithAFailureInSeconds) {
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string command = std::string("\"") + self + "\" --crash";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    DWORD waited = WaitForSingleObject(process.hProcess, 20000);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the crashed program hung";
    EXPECT_EQ(status, 3u) << "the crash must read as a failure";
}
