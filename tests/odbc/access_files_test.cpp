// Access file requests as the installer hands them to the Access driver, which
// the tests register with a setup DLL that logs them (installer_spy.cpp).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "exports/tabrix32.h"

namespace {

using AccessCall = int32_t(WINAPI*)(const char*, const char*);

constexpr char kDriver[] = "Microsoft Access Driver (*.MDB)";
constexpr char kDriverKey[] = "Software\\ODBC\\ODBCINST.INI\\Microsoft Access Driver (*.MDB)";

class AccessFilesTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH], program[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        log = std::string(temp) + "tabrix_configdsn.log";
        DeleteFileA(log.c_str());
        SetEnvironmentVariableA("TABRIX_CONFIGDSN_LOG", log.c_str());
        GetModuleFileNameA(nullptr, program, sizeof program);
        const std::string spy = std::string(program, strrchr(program, '\\') + 1) + "installer_spy.dll";
        // The installer loads the setup DLL named by "Setup"; Wine's loads the
        // one named by "Driver" (and reads no list of installed drivers).
        for (const char* name : {"Setup", "Driver"}) {
            ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kDriverKey, name, REG_SZ, spy.c_str(),
                                      static_cast<DWORD>(spy.size() + 1)), ERROR_SUCCESS);
        }
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey);
        DeleteFileA(log.c_str());
    }
    std::string log;
};

// One request per call, ODBC_ADD_DSN (1) for the Access driver with one
// attribute ("": none sent). The short create after the long one shows the
// buffer is cleared. 2046 characters go: the installer needs two NULs after
// the string in the 2048-byte buffer. The driver's own refusal answers 0.
TEST_F(AccessFilesTest, EachCallHandsTheDriverOneAttribute) {
    const std::string src = "C:\\data\\old file.mdb";
    const std::string longPath = "C:\\" + std::string(300, 'x') + ".mdb";
    const std::string fits = std::string(2046 - 12, 'f');  // 12: CREATE_DB="" around it
    const std::string half = std::string(1017, 'h');  // twice, with "COMPACT_DB=" and the space: 2046
    const struct { AccessCall call; std::string a, b; int32_t result; std::string attribute; } cases[] = {
        {odbcCreateMDB, "CREATE_DB", longPath, 1, "CREATE_DB=\"" + longPath + "\""},
        {odbcCreateMDB, "CREATE_DB", "C:\\new file.mdb", 1, "CREATE_DB=\"C:\\new file.mdb\""},
        {odbcCompactMDB, src, "", 1, "COMPACT_DB=" + src + " " + src},
        {odbcCompactMDB, src, "D:\\new copy.mdb", 1, "COMPACT_DB=" + src + " D:\\new copy.mdb"},
        {odbcRepairMDB, src, "D:\\fixed.mdb", 1, "REPAIR_DB=" + src + " D:\\fixed.mdb"},
        {odbcCreateMDB, "CREATE_DB", fits, 1, "CREATE_DB=\"" + fits + "\""},
        {odbcCreateMDB, "CREATE_DB", fits + "f", 0, ""},
        {odbcCompactMDB, half, half + "t", 0, ""},
        {odbcCompactMDB, half, "", 1, "COMPACT_DB=" + half + " " + half},
        {odbcCreateMDB, "CREATE_DB", "C:\\refuse.mdb", 0, "CREATE_DB=\"C:\\refuse.mdb\""},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(c.a.c_str(), c.b.c_str()), c.result) << c.a.size() << "/" << c.b.size();
        if (!c.attribute.empty()) expected.push_back(std::string("1|") + kDriver + "|" + c.attribute);
        std::ifstream in(log);
        std::vector<std::string> requests;  // what the setup DLL received
        for (std::string line; std::getline(in, line);) requests.push_back(line);
        EXPECT_EQ(requests, expected) << c.a.size() << "/" << c.b.size();
    }
}

}  // namespace
