// The driver stand-in, loaded for real behind \\.\QMDXVORN and asked through the
// support library's requests.
#include <array>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include "scratch_root.h"
#include "vorn/support.h"

namespace {

using vorn::test::ScratchRoot;

class DriverStandInTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("VORN_DRIVER_PATH", QMDXVORN_DRIVER_DIR, 1); }
    void configure(const std::string& ini) const {
        m_root.write("WINDOWS/SYSTEM/QMDXVORN.INI", ini);
    }
    struct Arrays {
        int32_t reply;
        std::array<int16_t, 256> first;
        std::array<int16_t, 256> second;
        std::array<unsigned char, 1024> rest;
    };
    static Arrays read(int32_t (*request)(void*)) {
        unsigned char buffer[VORN_ALG_INFO_SIZE];
        std::memset(buffer, 0xAB, sizeof buffer);
        Arrays arrays{};
        arrays.reply = request(buffer);
        std::memcpy(arrays.first.data(), buffer, 512);
        std::memcpy(arrays.second.data(), buffer + 512, 512);
        std::memcpy(arrays.rest.data(), buffer + 1024, 1024);
        return arrays;
    }

    ScratchRoot m_root;
};

TEST_F(DriverStandInTest, KnownParametersAreWrittenAndUnknownOnesRefused) {
    configure("[parameters]\r\nvorn_syslog_level=2\r\nhex=0x10\r\nbroken=12abc\r\n");
    int32_t value = -99;
    EXPECT_EQ(vorn_read_param("vorn_syslog_level", &value), 0);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(vorn_read_param("HEX", &value), 0);
    EXPECT_EQ(value, 16);
    value = -99;
    EXPECT_NE(vorn_read_param("unknown", &value), 0);
    EXPECT_NE(vorn_read_param("broken", &value), 0);
    EXPECT_EQ(value, -99);
    EXPECT_NE(vorn_read_param(nullptr, &value), 0);
}

TEST_F(DriverStandInTest, AlgorithmArraysComeFromTheirSections) {
    configure("[key_alg_info]\nfirst=1:0x10, 242:34\nsecond=0:7,255:0xFFFF\n"
              "[crypt_alg_info]\nfirst=253:65535,bad,300:1,-1:1\nsecond=10:3\n");
    Arrays key = read(vorn_read_key_alg_info);
    EXPECT_EQ(key.reply, 0);
    EXPECT_EQ(key.first[1], 0x10);
    EXPECT_EQ(key.first[242], 34);
    EXPECT_EQ(key.first[0], 0);
    EXPECT_EQ(key.second[0], 7);
    EXPECT_EQ(key.second[255], -1);
    for (unsigned char byte : key.rest) {
        ASSERT_EQ(byte, 0);
    }

    Arrays crypt = read(vorn_read_crypt_alg_info);
    EXPECT_EQ(crypt.reply, 0);
    EXPECT_EQ(crypt.first[253], -1);
    EXPECT_EQ(crypt.second[10], 3);
    int listed = 0;
    for (int16_t entry : crypt.first) {
        listed += entry != 0;
    }
    EXPECT_EQ(listed, 1);
}

TEST_F(DriverStandInTest, TheConfigurationIsReadAfreshOnEveryRequest) {
    int32_t value = 0;
    EXPECT_NE(vorn_read_param("vorn_syslog_level", &value), 0);
    configure("[parameters]\nvorn_syslog_level=5\n");
    EXPECT_EQ(vorn_read_param("vorn_syslog_level", &value), 0);
    EXPECT_EQ(value, 5);
}

TEST_F(DriverStandInTest, WithoutAConfigurationTheArraysAreZero) {
    Arrays key = read(vorn_read_key_alg_info);
    EXPECT_EQ(key.reply, 0);
    EXPECT_EQ(key.first, (std::array<int16_t, 256>{}));
    EXPECT_NE(vorn_read_key_alg_info(nullptr), 0);
}

TEST_F(DriverStandInTest, EveryOtherRequestRepliesZero) {
    EXPECT_EQ(vorn_request_0(1), 0);
    EXPECT_EQ(vorn_request_23(1, 2, 3, 4), 0);
    EXPECT_EQ(vorn_request_24(1), 0);
    EXPECT_EQ(vorn_driver_request(VORN_CONTROL_CODE, 99, 0, 0, 0, 0), 0);
    EXPECT_EQ(vorn_driver_request(21, 0, 0, 0, 0, 0), -1); // not the driver's control code
}

} // namespace
