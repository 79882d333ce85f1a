#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

#include <windows.h>

#include "kernel/handles.h"
#include "scratch_root.h"

namespace {

using vorn::test::ScratchRoot;

class DevicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_log = m_root.root() + "/driver.log";
        ::setenv("ECHO_DRIVER_LOG", m_log.c_str(), 1);
        ::setenv("VORN_DRIVER_PATH", (m_root.root() + "/none:" ECHO_DRIVER_DIR).c_str(), 1);
    }
    void TearDown() override { ::unsetenv("ECHO_DRIVER_REFUSE"); }

    static HANDLE open_echo(DWORD flags) {
        return CreateFileA("\\\\.\\ECHO", 0, 0, nullptr, 0, flags, nullptr);
    }
    static bool module_loaded() {
        void* handle = ::dlopen(ECHO_DRIVER_DIR "/echo.so", RTLD_NOW | RTLD_NOLOAD);
        if (handle != nullptr) {
            ::dlclose(handle);
        }
        return handle != nullptr;
    }
    std::string log() const { return ScratchRoot::read_host(m_log).value_or(""); }

    ScratchRoot m_root;
    std::string m_log;
};

TEST_F(DevicesTest, NoModuleMeansNoDevice) {
    ::setenv("VORN_DRIVER_PATH", (m_root.root() + "/none").c_str(), 1);
    EXPECT_EQ(open_echo(FILE_FLAG_DELETE_ON_CLOSE), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(vorn::kernel::open_handle_count(), 0U);
}

TEST_F(DevicesTest, AModuleThatRefusesToOpenGivesNoDeviceAndIsUnloaded) {
    ::setenv("ECHO_DRIVER_REFUSE", "1", 1);
    EXPECT_EQ(open_echo(0), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(module_loaded());
}

TEST_F(DevicesTest, ControlCallsRunInTheModuleWithTheCallersBuffers) {
    HANDLE device = open_echo(FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    char in[] = "request";
    char out[16] = {};
    DWORD returned = 0;
    EXPECT_TRUE(DeviceIoControl(device, 22, in, sizeof in, out, sizeof out, &returned, nullptr));
    EXPECT_STREQ(out, "request");
    EXPECT_EQ(returned, sizeof in);

    EXPECT_FALSE(DeviceIoControl(device, 0, in, sizeof in, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    CloseHandle(device);
    EXPECT_FALSE(DeviceIoControl(device, 22, in, sizeof in, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(DevicesTest, DeleteOnCloseUnloadsTheModuleWithItsLastHandle) {
    HANDLE first = open_echo(FILE_FLAG_DELETE_ON_CLOSE);
    HANDLE second = open_echo(FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(log(), "open\n");
    CloseHandle(first);
    EXPECT_TRUE(module_loaded());
    CloseHandle(second);
    EXPECT_FALSE(module_loaded());
    EXPECT_EQ(log(), "open\nclose\n");

    HANDLE again = open_echo(FILE_FLAG_DELETE_ON_CLOSE);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    EXPECT_EQ(log(), "open\nclose\nopen\n");
    CloseHandle(again);
}

TEST_F(DevicesTest, WithoutDeleteOnCloseTheModuleStaysLoaded) {
    HANDLE device = open_echo(0);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    CloseHandle(device);
    EXPECT_TRUE(module_loaded());
    EXPECT_EQ(log(), "open\n");
}

TEST_F(DevicesTest, DeviceNamesAreLowerCasedAndCannotLeaveTheDriverDirectories) {
    HANDLE device = CreateFileA("\\\\.\\eChO", 0, 0, nullptr, 0, 0, nullptr);
    EXPECT_NE(device, INVALID_HANDLE_VALUE);
    CloseHandle(device);
    EXPECT_EQ(CreateFileA("\\\\.\\..\\drivers\\echo", 0, 0, nullptr, 0, 0, nullptr),
              INVALID_HANDLE_VALUE);
}

} // namespace
