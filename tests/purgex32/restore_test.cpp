// RestoreBackupFiles: each listed file gets its backup scheduled to be moved over it, by
// two delayed operations on the NT platform (deletion first) or a WinInit.Ini line.
#include <gtest/gtest.h>
#include <vector>

#include "../common/scratch_root.h"
#include "kernel/memory.h"
#include "kernel/pending.h"
#include "operations.h"

namespace {

using vorn::kernel::read_pending_operations;
using vorn::test::ScratchRoot;

void write_list(const ScratchRoot& root, const std::vector<std::string>& values,
                const std::string& where = "PROD/UNINSTAL.INI") {
    std::string list = "[uninstall]\r\n";
    int number = 0;
    for (const std::string& value : values) {
        list += "File" + std::to_string(++number) + "=" + value + "\r\n";
    }
    root.write(where, list);
}

// The backup scheduled for each entry, checking the NT pair of each.
std::vector<std::string> scheduled_backups() {
    auto operations = read_pending_operations();
    std::vector<std::string> backups;
    EXPECT_EQ(operations.size() % 2, 0U);
    for (std::size_t i = 0; i + 1 < operations.size(); i += 2) {
        EXPECT_FALSE(operations[i].destination) << "the deletion comes first";
        EXPECT_EQ(operations[i + 1].destination, operations[i].source);
        EXPECT_EQ(operations[i].flags, MOVEFILE_DELAY_UNTIL_REBOOT);
        EXPECT_EQ(operations[i + 1].flags, MOVEFILE_DELAY_UNTIL_REBOOT);
        backups.push_back(operations[i + 1].source);
    }
    return backups;
}

TEST(RestoreBackupFiles, BackupNamesOnTheNtPlatform) {
    struct Case {
        const char* file;
        std::vector<const char*> existing;
        const char* backup;
    } cases[] = {
        {"SAMPLE.DLL", {"SAMPLE.BFP"}, "SAMPLE.BFP"},
        {"SAMPLE.DLL", {}, "SAMPLE.BFN"},
        {"SAMPLE.DLL", {"SAMPLE.BFN"}, "SAMPLE.BFN"},
        {"SAMPLE.DLL", {"SAMPLE.BFP", "SAMPLE.BFN"}, "SAMPLE.BFP"},
        {"ZELQ.386", {"ZELQ386.BFP"}, "ZELQ386.BFP"},
        {"zelq.386", {}, "ZELQ386.BFN"},
        {"Zelq.386", {}, "Zelq.BFN"},
        {"ZELQ.VXD", {"ZELQVXD.BFP"}, "ZELQVXD.BFP"},
        {"zelq.vxd", {}, "ZELQVXD.BFN"},
        {"Zelq.Vxd", {"Zelq.BFP"}, "Zelq.BFP"},
        {"NOEXT", {}, "NOEXT.BFN"},
        {"A.B.C", {}, "A.B.BFN"},
    };
    for (const Case& c : cases) {
        ScratchRoot root;
        root.write(std::string("WINDOWS/SYSTEM/") + c.file, "product");
        for (const char* name : c.existing) {
            root.write(std::string("WINDOWS/SYSTEM/") + name, "backup");
        }
        write_list(root, {std::string("C:\\WINDOWS\\SYSTEM\\") + c.file});
        RestoreBackupFiles("C:\\PROD\\");
        auto operations = read_pending_operations();
        ASSERT_EQ(operations.size(), 2U) << c.file;
        EXPECT_EQ(operations[0].source, std::string("C:\\WINDOWS\\SYSTEM\\") + c.file);
        EXPECT_EQ(scheduled_backups(),
                  std::vector<std::string>{std::string("C:\\WINDOWS\\SYSTEM\\") + c.backup})
            << c.file;
        EXPECT_EQ(root.read(std::string("WINDOWS/SYSTEM/") + c.file), "product");
    }
}

TEST(RestoreBackupFiles, EveryEntryInListOrder) {
    ScratchRoot root;
    root.write("WINDOWS/SYSTEM/ZELQ386.BFP", "b");
    root.write("WINDOWS/SYSTEM/ZELQVXD.BFP", "b");
    write_list(root, {"C:\\WINDOWS\\SYSTEM\\ZELQ.386", "C:\\WINDOWS\\SYSTEM\\ZELQ.VXD",
                      "C:\\PROD\\DRV\\Zelq.Vxd", "C:/PROD/FWD/X.DLL", "C:\\PROD\\SUB\\Y"});
    RestoreBackupFiles("C:\\PROD\\");
    EXPECT_EQ(scheduled_backups(),
              (std::vector<std::string>{
                  "C:\\WINDOWS\\SYSTEM\\ZELQ386.BFP", "C:\\WINDOWS\\SYSTEM\\ZELQVXD.BFP",
                  "C:\\PROD\\DRV\\Zelq.BFN", "C:\\PROD\\FWD\\X.BFN", "C:\\PROD\\SUB\\Y.BFN"}));
}

TEST(RestoreBackupFiles, LinesInWinInitOnThe95Family) {
    ScratchRoot root;
    ::setenv("VORN_PLATFORM", "windows", 1);
    root.write("WINDOWS/SYSTEM/SAMPLE.BFP", "b");
    write_list(root, {"C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL", "C:\\WINDOWS\\SYSTEM\\ZELQ.VXD"});
    RestoreBackupFiles("C:\\PROD\\");
    EXPECT_TRUE(read_pending_operations().empty());
    EXPECT_EQ(root.read("WINDOWS/WinInit.Ini"),
              "[Rename]\r\n"
              "C:\\WINDOWS\\SYSTEM\\ZELQ.VXD=C:\\WINDOWS\\SYSTEM\\ZELQVXD.BFN\r\n"
              "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL=C:\\WINDOWS\\SYSTEM\\SAMPLE.BFP\r\n");
}

TEST(RestoreBackupFiles, EmptyDirectoryReadsTheListFromTheWindowsDirectory) {
    ScratchRoot root;
    write_list(root, {"C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL"}, "WINDOWS/UNINSTAL.INI");
    RestoreBackupFiles("");
    EXPECT_EQ(scheduled_backups(), std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\SAMPLE.BFN"});
}

TEST(RestoreBackupFiles, NothingToSchedule) {
    ScratchRoot root;
    RestoreBackupFiles("C:\\PROD\\"); // no list file
    root.write("PROD/UNINSTAL.INI", "[other]\r\nA=C:\\X.DLL\r\n");
    RestoreBackupFiles("C:\\PROD\\"); // no section
    root.write("PROD/UNINSTAL.INI", "[uninstall]\r\n");
    RestoreBackupFiles("C:\\PROD\\"); // empty section
    write_list(root, {"C:\\X.DLL"});
    vorn::kernel::set_allocator([](std::size_t) -> void* { return nullptr; });
    RestoreBackupFiles("C:\\PROD\\"); // no memory for the key list
    vorn::kernel::set_allocator(nullptr);
    EXPECT_TRUE(read_pending_operations().empty());
    EXPECT_FALSE(root.exists("WINDOWS/WinInit.Ini"));
}

TEST(RestoreBackupFiles, DirectoryTooLongForTheListFileSchedulesNothing) {
    // C:\ + name + \ + uninstal.ini: 259 characters fit a path, 260 do not.
    for (std::size_t nameLength : {243U, 244U}) {
        ScratchRoot root;
        std::string name(nameLength, 'D');
        write_list(root, {"C:\\X.DLL"}, name + "/UNINSTAL.INI");
        RestoreBackupFiles(("C:\\" + name + "\\").c_str());
        EXPECT_EQ(read_pending_operations().size(), nameLength == 243 ? 2U : 0U) << nameLength;
    }
}

TEST(RestoreBackupFiles, EntriesThatDoNotFitAreSkipped) {
    ScratchRoot root;
    const std::string nameTooLong = "C:\\" + std::string(256, 'N');              // 259 characters
    const std::string directoryTooLong = "C:\\" + std::string(254, 'D') + "\\A"; // 259
    const std::string valueTooLong = "C:\\" + std::string(257, 'V');             // 260
    const std::string backupTooLong = "C:\\" + std::string(253, 'B');            // + ".BFP": 260
    write_list(root, {nameTooLong, directoryTooLong, valueTooLong, "", backupTooLong,
                      "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL"});
    RestoreBackupFiles("C:\\PROD\\");
    EXPECT_EQ(scheduled_backups(), std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\SAMPLE.BFN"});
}

} // namespace
