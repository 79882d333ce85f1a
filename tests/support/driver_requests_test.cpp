// Driver requests through the real module loading, against the recording driver.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include <windows.h>

#include "kernel/handles.h"
#include "kernel/threads.h"
#include "recorder.h"
#include "scratch_root.h"
#include "vorn/support.h"

namespace {

using vorn::test::ScratchRoot;
using Word = vorn_word_t;

// Words that a 32-bit cut would change on a 64-bit build.
const Word kArgs[4] = {
    static_cast<Word>(0xA1A1A1A100000001ULL), static_cast<Word>(0xB2B2B2B200000002ULL),
    static_cast<Word>(0xC3C3C3C300000003ULL), static_cast<Word>(0xD4D4D4D400000004ULL)};

struct Wrapper {
    const char* name;
    uint32_t request;
    int arguments;
    int32_t (*call)(Word, Word, Word, Word);
};

const char* text(Word w) {
    return reinterpret_cast<const char*>(w);
}
void* buffer(Word w) {
    return reinterpret_cast<void*>(w);
}

const Wrapper kWrappers[] = {
    {"vorn_request_0", 0, 1, [](Word a, Word, Word, Word) { return vorn_request_0(a); }},
    {"vorn_request_1", 1, 1, [](Word a, Word, Word, Word) { return vorn_request_1(a); }},
    {"vorn_request_2", 2, 2, [](Word a, Word b, Word, Word) { return vorn_request_2(a, b); }},
    {"vorn_request_3", 3, 3, [](Word a, Word b, Word c, Word) { return vorn_request_3(a, b, c); }},
    {"vorn_request_4", 4, 3, [](Word a, Word b, Word c, Word) { return vorn_request_4(a, b, c); }},
    {"vorn_request_5", 5, 3, [](Word a, Word b, Word c, Word) { return vorn_request_5(a, b, c); }},
    {"vorn_request_6", 6, 3, [](Word a, Word b, Word c, Word) { return vorn_request_6(a, b, c); }},
    {"vorn_request_7", 7, 2, [](Word a, Word b, Word, Word) { return vorn_request_7(a, b); }},
    {"vorn_request_8", 8, 2, [](Word a, Word b, Word, Word) { return vorn_request_8(a, b); }},
    {"vorn_request_9", 9, 2, [](Word a, Word b, Word, Word) { return vorn_request_9(a, b); }},
    {"vorn_request_10", 10, 1, [](Word a, Word, Word, Word) { return vorn_request_10(a); }},
    {"vorn_request_11", 11, 1, [](Word a, Word, Word, Word) { return vorn_request_11(a); }},
    {"vorn_request_12", 12, 1, [](Word a, Word, Word, Word) { return vorn_request_12(a); }},
    {"vorn_read_crypt_alg_info", 14, 1,
     [](Word a, Word, Word, Word) { return vorn_read_crypt_alg_info(buffer(a)); }},
    {"vorn_read_key_alg_info", 15, 1,
     [](Word a, Word, Word, Word) { return vorn_read_key_alg_info(buffer(a)); }},
    {"vorn_read_param", 16, 2,
     [](Word a, Word b, Word, Word) {
         return vorn_read_param(text(a), static_cast<int32_t*>(buffer(b)));
     }},
    {"vorn_request_17", 17, 2, [](Word a, Word b, Word, Word) { return vorn_request_17(a, b); }},
    {"vorn_request_18", 18, 1, [](Word a, Word, Word, Word) { return vorn_request_18(a); }},
    {"vorn_request_19", 19, 1, [](Word a, Word, Word, Word) { return vorn_request_19(a); }},
    {"vorn_request_20", 20, 1, [](Word a, Word, Word, Word) { return vorn_request_20(a); }},
    {"vorn_request_21", 21, 1, [](Word a, Word, Word, Word) { return vorn_request_21(a); }},
    {"vorn_request_22", 22, 3,
     [](Word a, Word b, Word c, Word) { return vorn_request_22(a, b, c); }},
    {"vorn_request_23", 23, 4,
     [](Word a, Word b, Word c, Word d) { return vorn_request_23(a, b, c, d); }},
    {"vorn_request_24", 24, 1, [](Word a, Word, Word, Word) { return vorn_request_24(a); }},
    {"vorn_request_25", 25, 2, [](Word a, Word b, Word, Word) { return vorn_request_25(a, b); }},
    {"vorn_request_26", 26, 2, [](Word a, Word b, Word, Word) { return vorn_request_26(a, b); }},
    {"vorn_request_27", 27, 4,
     [](Word a, Word b, Word c, Word d) { return vorn_request_27(a, b, c, d); }},
};

int current_priority() {
    return GetThreadPriority(GetCurrentThread());
}

class DriverRequestsTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("VORN_DRIVER_PATH", RECORDING_DRIVER_DIR, 1); }
    // Loads the driver with a first request and takes hold of it.
    Recorder& recorder() {
        if (!m_recorder) {
            vorn_request_0(0);
            m_recorder = std::make_unique<Recorder>();
            m_recorder->setProbe(current_priority);
        }
        return *m_recorder;
    }

    ScratchRoot m_root;
    std::unique_ptr<Recorder> m_recorder;
};

TEST_F(DriverRequestsTest, NoDriverGivesMinusOneAndInstallingItLaterNeedsNoReset) {
    std::string drivers = m_root.root() + "/drivers";
    std::filesystem::create_directories(drivers);
    ::setenv("VORN_DRIVER_PATH", drivers.c_str(), 1);

    EXPECT_EQ(vorn_request_0(1), -1);
    EXPECT_EQ(vorn_read_param("vorn_syslog_level", nullptr), -1);
    EXPECT_EQ(vorn::kernel::open_handle_count(), 0U);

    std::filesystem::copy_file(RECORDING_DRIVER_DIR "/qmdxvorn.so", drivers + "/qmdxvorn.so");
    EXPECT_EQ(vorn_request_0(1), 0);
    EXPECT_EQ(vorn::kernel::open_handle_count(), 1U);
    EXPECT_EQ(vorn_request_1(1), 0);
    EXPECT_EQ(vorn::kernel::open_handle_count(), 1U); // opened once, kept
}

TEST_F(DriverRequestsTest, EveryWrapperFillsTheBlockInOrderAndZerosTheRest) {
    Recorder& driver = recorder();
    for (const Wrapper& wrapper : kWrappers) {
        SCOPED_TRACE(wrapper.name);
        driver.setReply(static_cast<int32_t>(wrapper.request) + 100);
        int32_t result = wrapper.call(kArgs[0], kArgs[1], kArgs[2], kArgs[3]);
        RecordedRequest seen = driver.last();
        EXPECT_EQ(seen.code, 22U);
        EXPECT_EQ(seen.inSize, sizeof(vorn_request_block));
        EXPECT_EQ(seen.outSize, 4U);
        EXPECT_EQ(seen.block.control_code, 22U);
        EXPECT_EQ(seen.block.request, wrapper.request);
        const Word params[4] = {seen.block.param1, seen.block.param2, seen.block.param3,
                                seen.block.param4};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(params[i], i < wrapper.arguments ? kArgs[i] : 0) << "word " << i + 2;
        }
        if (wrapper.request != 24) {
            EXPECT_EQ(result, static_cast<int32_t>(wrapper.request) + 100);
        }
    }
    EXPECT_EQ(driver.opens(), 1);
}

TEST_F(DriverRequestsTest, RequestTwentyFourIsOneOnlyForAReplyOfExactlyOne) {
    Recorder& driver = recorder();
    const struct {
        int32_t reply;
        bool failing;
        int32_t expected;
    } cases[] = {{1, false, 1}, {2, false, 0}, {0, false, 0}, {-1, false, 0}, {1, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        driver.setReply(c.reply);
        driver.setFailing(c.failing);
        EXPECT_EQ(vorn_request_24(7), c.expected);
    }
}

TEST_F(DriverRequestsTest, AFailedCallGivesMinusOneAndKeepsTheDeviceOpen) {
    Recorder& driver = recorder();
    driver.setReply(5);
    driver.setFailing(1);
    EXPECT_EQ(vorn_request_2(1, 2), -1);
    driver.setFailing(0);
    EXPECT_EQ(vorn_request_2(1, 2), 5);
    EXPECT_EQ(driver.opens(), 1);
}

TEST_F(DriverRequestsTest, PrioritiesAroundARequest) {
    const struct {
        int before;
        int during;
    } cases[] = {{THREAD_PRIORITY_HIGHEST, 0},
                 {THREAD_PRIORITY_ABOVE_NORMAL, 0},
                 {THREAD_PRIORITY_TIME_CRITICAL, 0},
                 {THREAD_PRIORITY_BELOW_NORMAL, 0},
                 {THREAD_PRIORITY_LOWEST, 0},
                 {THREAD_PRIORITY_IDLE, 0},
                 {6, 6},
                 {-7, -7}};
    Recorder& driver = recorder();
    for (bool failing : {false, true}) {
        driver.setFailing(failing);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "priority " << c.before << " failing " << failing);
            std::thread([&] {
                SetThreadPriority(GetCurrentThread(), c.before);
                int changes = vorn::kernel::thread_priority_changes();
                int32_t result = vorn_request_3(1, 2, 3);
                EXPECT_EQ(result, failing ? -1 : 0);
                EXPECT_EQ(driver.last().priority, c.during);
                EXPECT_EQ(current_priority(), c.before);
                // Set back afterwards also when nothing was changed before the call.
                EXPECT_EQ(vorn::kernel::thread_priority_changes(),
                          changes + (c.during == c.before ? 1 : 2));
            }).join();
        }
    }
}

TEST_F(DriverRequestsTest, AThreadAtNormalPriorityIsNeverTouched) {
    Recorder& driver = recorder();
    for (bool failing : {false, true}) {
        driver.setFailing(failing);
        std::thread([&] {
            vorn_request_3(1, 2, 3);
            EXPECT_EQ(driver.last().priority, 0);
            EXPECT_EQ(vorn::kernel::thread_priority_changes(), 0);
        }).join();
    }
}

TEST_F(DriverRequestsTest, AFailedOpenLeavesThePriorityAlone) {
    ::setenv("VORN_DRIVER_PATH", (m_root.root() + "/none").c_str(), 1);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    int changes = vorn::kernel::thread_priority_changes();
    EXPECT_EQ(vorn_request_3(1, 2, 3), -1);
    EXPECT_EQ(vorn::kernel::thread_priority_changes(), changes);
    EXPECT_EQ(current_priority(), THREAD_PRIORITY_HIGHEST);
}

} // namespace
