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

std::string BesideTheProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, strrchr(path, '\\') + 1) + name;
}

void SetText(HKEY root, const char* path, const char* name, const std::string& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

class AccessFilesTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        log = std::string(temp) + "tabrix_configdsn.log";
        DeleteFileA(log.c_str());
        SetEnvironmentVariableA("TABRIX_CONFIGDSN_LOG", log.c_str());
        // The installer loads the setup DLL named by "Setup"; Wine's loads the
        // one named by "Driver" (and reads no list of installed drivers).
        SetText(HKEY_LOCAL_MACHINE, kDriverKey, "Setup", BesideTheProgram("installer_spy.dll"));
        SetText(HKEY_LOCAL_MACHINE, kDriverKey, "Driver", BesideTheProgram("installer_spy.dll"));
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey);
        DeleteFileA(log.c_str());
    }
    // The requests the setup DLL received, one line each.
    std::vector<std::string> Requests() {
        std::vector<std::string> lines;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::string log;
};

// One request per call, ODBC_ADD_DSN (1) for the Access driver with one
// attribute. The long create before the short one shows the buffer is
// cleared: the spy reads attributes up to the double NUL.
TEST_F(AccessFilesTest, EachCallHandsTheDriverOneAttribute) {
    const std::string src = "C:\\data\\old file.mdb";
    const std::string longPath = "C:\\" + std::string(300, 'x') + ".mdb";
    const struct { AccessCall call; std::string a, b, attribute; } cases[] = {
        {odbcCreateMDB, "CREATE_DB", longPath, "CREATE_DB=\"" + longPath + "\""},
        {odbcCreateMDB, "CREATE_DB", "C:\\new file.mdb", "CREATE_DB=\"C:\\new file.mdb\""},
        {odbcCreateMDB, "CREATE_SYSDB", "C:\\s.mdb", "CREATE_SYSDB=\"C:\\s.mdb\""},
        {odbcCompactMDB, src, "", "COMPACT_DB=" + src + " " + src},
        {odbcCompactMDB, src, "D:\\new copy.mdb", "COMPACT_DB=" + src + " D:\\new copy.mdb"},
        {odbcRepairMDB, src, "", "REPAIR_DB=" + src + " " + src},
        {odbcRepairMDB, src, "D:\\fixed.mdb", "REPAIR_DB=" + src + " D:\\fixed.mdb"},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(c.a.c_str(), c.b.c_str()), 1) << c.attribute;
        expected.push_back(std::string("1|") + kDriver + "|" + c.attribute);
    }
    EXPECT_EQ(Requests(), expected);
}

// The request buffer holds 2048 bytes and the installer needs two NULs
// after the string: 2046 characters go, 2047 are refused unsent. The
// driver's own refusal comes back as 0.
TEST_F(AccessFilesTest, ResultsAndTheLongestString) {
    const std::string fits = std::string(2046 - 12, 'f');  // 12: CREATE_DB="" around it
    const std::string half = std::string(1017, 'h');  // twice, with "COMPACT_DB=" and the space: 2046
    const struct { AccessCall call; std::string a, b; int32_t result; bool sent; } cases[] = {
        {odbcCreateMDB, "CREATE_DB", fits, 1, true},   {odbcCreateMDB, "CREATE_DB", fits + "f", 0, false},
        {odbcCompactMDB, half, half + "t", 0, false},  {odbcCompactMDB, half, "", 1, true},
        {odbcCreateMDB, "CREATE_DB", "C:\\refuse.mdb", 0, true},
    };
    size_t sent = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(c.a.c_str(), c.b.c_str()), c.result) << c.a.size() << "/" << c.b.size();
        sent += c.sent;
        EXPECT_EQ(Requests().size(), sent) << c.a.size() << "/" << c.b.size();
    }
}

}  // namespace
