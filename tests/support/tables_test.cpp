// The name-space and algorithm tables, with and without the driver.
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "harness.h"
#include "vorn/tables.h"

namespace {

using vorn::test::count_of;
using vorn::test::fresh_root;
using vorn::test::recorded_requests;

// No driver: the tables stay as built.
class TablesWithoutDriver : public ::testing::Test {
protected:
    void SetUp() override { fresh_root(vorn::test::empty_directory()); }
};

// The driver stand-in with known value arrays.
class TablesWithDriver : public ::testing::Test {
protected:
    void SetUp() override {
        fresh_root(VORN_TEST_DRIVER_DIR);
        vorn::test::write_driver_config("[key_alg_info]\n"
                                        "first=1:0x10,242:0x22,5:-2\n"
                                        "second=1:7,5:0xFFFF\n"
                                        "[crypt_alg_info]\n"
                                        "first=253:0xFFFF,1:300\n"
                                        "second=10:3\n");
    }
};

TEST_F(TablesWithoutDriver, NameSpaceLookups) {
    const vorn_nsid_entry* table = nullptr;
    EXPECT_EQ(vorn_nsid_get_table(&table), 12);
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table[1].name, "IPv4 Address");
    EXPECT_EQ(table[8].length, 16);

    EXPECT_EQ(vorn_nsid_index("IPv4 Address"), 1);
    EXPECT_EQ(vorn_nsid_index("ipv4 address"), 0xFF);
    EXPECT_EQ(vorn_nsid_index("Not present"), 0);

    uint8_t index = 77;
    EXPECT_EQ(vorn_nsid_by_name("MD5/UDH", &index), &table[8]);
    EXPECT_EQ(index, 8);
    index = 77;
    EXPECT_EQ(vorn_nsid_by_name("md5/udh", &index), nullptr);
    EXPECT_EQ(index, 77) << "no match leaves the byte untouched";

    EXPECT_EQ(vorn_nsid_by_index(12), nullptr);
    EXPECT_EQ(vorn_nsid_by_index(2), nullptr);
    EXPECT_EQ(vorn_nsid_by_index(1), &table[1]);
    EXPECT_STREQ(vorn_nsid_name(8), "MD5/UDH");
    EXPECT_EQ(vorn_nsid_name(11), nullptr);
}

TEST_F(TablesWithoutDriver, NodeIdentifierToText) {
    vorn_nodeid_t id{};
    const uint8_t bytes[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                               0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    std::memcpy(id.bytes, bytes, sizeof bytes);
    id.length = 0; // the count comes from the name space, not from here
    char text[VORN_NODEID_TEXT_SIZE + 8];

    ASSERT_EQ(vorn_nodeid_to_text(&id, 8, text), 0);
    EXPECT_STREQ(text, "0011-2233-4455-6677-8899-aabb-ccdd-eeff");
    EXPECT_EQ(std::strlen(text), 39U);

    const uint8_t address[4] = {0xc0, 0xa8, 0x01, 0x02};
    std::memcpy(id.bytes, address, sizeof address);
    ASSERT_EQ(vorn_nodeid_to_text(&id, 1, text), 0);
    EXPECT_STREQ(text, "c0a80102");

    for (uint8_t empty : {uint8_t{0}, uint8_t{5}}) {
        std::strcpy(text, "junk");
        ASSERT_EQ(vorn_nodeid_to_text(&id, empty, text), 0);
        EXPECT_STREQ(text, "") << "name space " << int{empty};
    }
    std::strcpy(text, "kept");
    EXPECT_EQ(vorn_nodeid_to_text(&id, 12, text), -1);
    EXPECT_STREQ(text, "kept");
}

struct ParseCase {
    const char* text;
    uint8_t nsid;
    int32_t result;
    uint32_t length;
    const char* hex; // expected bytes as text, for a result of 0
};

class NodeIdentifierFromText : public TablesWithoutDriver,
                               public ::testing::WithParamInterface<ParseCase> {};

TEST_P(NodeIdentifierFromText, ParsesAsTheNameSpaceSays) {
    const ParseCase& c = GetParam();
    std::string original = c.text;
    std::string text = c.text;
    vorn_nodeid_t id;
    std::memset(&id, 0xA5, sizeof id);
    EXPECT_EQ(vorn_nodeid_from_text(text.c_str(), c.nsid, &id), c.result);
    EXPECT_EQ(text, original) << "the caller's text is never changed";
    EXPECT_EQ(id.length, c.length);
    if (c.result == 0) {
        char back[VORN_NODEID_TEXT_SIZE];
        ASSERT_EQ(vorn_nodeid_to_text(&id, c.nsid, back), 0);
        EXPECT_STREQ(back, c.hex);
        for (uint32_t i = c.length; i < VORN_NODEID_BYTES; ++i) {
            EXPECT_EQ(id.bytes[i], 0) << "byte " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NodeIdentifierFromText,
    ::testing::Values(
        ParseCase{"10.0.0.1", 1, 0, 4, "0a000001"}, ParseCase{"0a000001", 1, 0, 4, "0a000001"},
        ParseCase{"0X0A000001", 1, 0, 4, "0a000001"}, ParseCase{"0a-00-00-01", 1, 0, 4, "0a000001"},
        ParseCase{"  \t0a000001 and more words", 1, 0, 4, "0a000001"},
        ParseCase{"0a000001-", 1, 0, 4, "0a000001"},
        ParseCase{"255.255.255.255", 1, -1, 0, nullptr}, ParseCase{"0a00g001", 1, -1, 0, nullptr},
        ParseCase{"0a00000", 1, -1, 0, nullptr}, ParseCase{"0a0000011", 1, -1, 0, nullptr},
        ParseCase{"0a--000001", 1, -1, 0, nullptr}, ParseCase{"0x", 1, -1, 0, nullptr},
        ParseCase{"   ", 1, -1, 0, nullptr},
        ParseCase{"0011-2233-4455-6677-8899-aabb-ccdd-eeff", 8, 0, 16,
                  "0011-2233-4455-6677-8899-aabb-ccdd-eeff"},
        ParseCase{"00112233445566778899AABBCCDDEEFF", 8, 0, 16,
                  "0011-2233-4455-6677-8899-aabb-ccdd-eeff"},
        ParseCase{"0011223344556677889aabbccddeeff", 8, -1, 0, nullptr}, ParseCase{"", 0, 0, 0, ""},
        ParseCase{"00", 0, -1, 0, nullptr}, ParseCase{"-", 5, 0, 0, ""},
        ParseCase{"1", 5, -1, 0, nullptr}));

TEST_F(TablesWithoutDriver, NodeIdentifierFromTextRefusals) {
    vorn_nodeid_t id;
    std::memset(&id, 0xA5, sizeof id);
    EXPECT_EQ(vorn_nodeid_from_text(nullptr, 1, &id), -1);
    EXPECT_EQ(vorn_nodeid_from_text("00", 12, &id), -1);
    EXPECT_EQ(id.length, 0xA5A5A5A5U) << "output untouched";

    // Bytes converted before a bad digit stay; the length stays 0.
    ASSERT_EQ(vorn_nodeid_from_text("0a0bzz01", 1, &id), -1);
    EXPECT_EQ(id.length, 0U);
    EXPECT_EQ(id.bytes[0], 0x0a);
    EXPECT_EQ(id.bytes[1], 0x0b);
    EXPECT_EQ(id.bytes[2], 0);
}

TEST_F(TablesWithoutDriver, AlgorithmNamesToIdentifiers) {
    EXPECT_EQ(vorn_key_alg_id("des-cbc", 1), 1);
    EXPECT_EQ(vorn_key_alg_id("des-cbc", 2), 1);
    EXPECT_EQ(vorn_key_alg_id("des-cbc", 3), -1);
    EXPECT_EQ(vorn_key_alg_id("des-cbc", 0), -1);
    EXPECT_EQ(vorn_key_alg_id("NONE", 0), 0);
    EXPECT_EQ(vorn_key_alg_id("None", 2), 0);
    EXPECT_EQ(vorn_key_alg_id("rc4-128", 1), 4);
    EXPECT_EQ(vorn_key_alg_id("rc4-128", 2), -1);
    EXPECT_EQ(vorn_key_alg_id(nullptr, 1), -1);

    EXPECT_EQ(vorn_crypt_alg_id("SimpleCrypt", 1), 10);
    EXPECT_EQ(vorn_crypt_alg_id("DES-CBC", 3), 1);
    EXPECT_EQ(vorn_crypt_alg_id("DES-CBC", 4), -1);
    EXPECT_EQ(vorn_crypt_alg_id("plaintext", 3), -1) << "added only by a load";

    EXPECT_EQ(vorn_mac_alg_id("nOnE", 1), 0);
    EXPECT_EQ(vorn_mac_alg_id("MD5", 1), -1);
    EXPECT_EQ(vorn_mac_alg_id("md5", 3), 1);
    EXPECT_EQ(vorn_mac_alg_id(nullptr, 2), -1);
}

TEST_F(TablesWithoutDriver, AlgorithmIdentifiersToNames) {
    EXPECT_STREQ(vorn_key_alg_name(-1, 9), "<invalid>");
    EXPECT_STREQ(vorn_key_alg_name(256, 1), "<invalid>");
    EXPECT_STREQ(vorn_key_alg_name(5, 3), "<invalid version>");
    EXPECT_STREQ(vorn_key_alg_name(7, 1), "<unknown>");
    EXPECT_STREQ(vorn_key_alg_name(5, 1), "DES-EDE-K2");
    EXPECT_STREQ(vorn_key_alg_name(242, 2), "<unknown>");
    EXPECT_STREQ(vorn_crypt_alg_name(10, 1), "simplecrypt");
    EXPECT_STREQ(vorn_crypt_alg_name(1, 3), "DES-CBC");
    EXPECT_STREQ(vorn_crypt_alg_name(1, 0), "<invalid version>");

    EXPECT_STREQ(vorn_mac_alg_name(1, 1), "none");
    EXPECT_STREQ(vorn_mac_alg_name(1, 3), "MD5");
    EXPECT_STREQ(vorn_mac_alg_name(2, 2), "<unknown>");
    EXPECT_STREQ(vorn_mac_alg_name(300, 2), "<invalid>");
}

TEST_F(TablesWithoutDriver, AlgorithmValuesAsBuilt) {
    EXPECT_EQ(vorn_mac_alg_info(0, 2), 1);
    EXPECT_EQ(vorn_mac_alg_info(1, 3), 1);
    EXPECT_EQ(vorn_mac_alg_info(2, 2), 0);
    EXPECT_EQ(vorn_mac_alg_info(0, 1), 0);
    EXPECT_EQ(vorn_key_alg_info(1, 2), 0);
    EXPECT_EQ(vorn_crypt_alg_info(-1, 2), 0);
}

TEST_F(TablesWithoutDriver, FailedLoadIsNeverRetried) {
    EXPECT_EQ(vorn_load_alg_tables(), -1);
    // Now a driver is there and would answer; the load is not tried again.
    vorn::test::use_recording_driver();
    EXPECT_EQ(vorn_load_alg_tables(), 0);
    EXPECT_EQ(vorn_crypt_alg_id("plaintext", 3), -1);
    EXPECT_EQ(vorn_key_alg_info(1, 2), 0);
    EXPECT_TRUE(recorded_requests().empty());
}

TEST_F(TablesWithDriver, LoadTakesTheDriversValuesAndNames) {
    EXPECT_EQ(vorn_crypt_alg_id("plaintext", 3), 253);
    EXPECT_EQ(vorn_crypt_alg_id("RC4-40", 2), 240);
    EXPECT_EQ(vorn_crypt_alg_id("rc2-40", 2), 242);
    EXPECT_EQ(vorn_key_alg_id("RC2-40", 2), 242);
    EXPECT_STREQ(vorn_crypt_alg_name(253, 3), "plaintext");
    EXPECT_STREQ(vorn_key_alg_name(240, 2), "<unknown>");

    EXPECT_EQ(vorn_crypt_alg_info(253, 2), -1) << "0xFFFF is sign-extended";
    EXPECT_EQ(vorn_crypt_alg_info(1, 3), 300);
    EXPECT_EQ(vorn_crypt_alg_info(10, 1), 3);
    EXPECT_EQ(vorn_crypt_alg_info(10, 0), 0);
    EXPECT_EQ(vorn_key_alg_info(1, 2), 0x10);
    EXPECT_EQ(vorn_key_alg_info(242, 2), 0x22);
    EXPECT_EQ(vorn_key_alg_info(5, 2), -2);
    EXPECT_EQ(vorn_key_alg_info(1, 1), 7);
    EXPECT_EQ(vorn_key_alg_info(1, 0), 7) << "every version but 2 reads version 1's values";
    EXPECT_EQ(vorn_key_alg_info(5, 9), -1);
    EXPECT_EQ(vorn_mac_alg_info(1, 2), 1) << "never loaded";
    EXPECT_EQ(vorn_load_alg_tables(), 0);
}

TEST(TablesLoad, OnceWithBothRequests) {
    fresh_root(vorn::test::empty_directory());
    vorn::test::use_recording_driver();
    EXPECT_EQ(vorn_load_alg_tables(), 0);
    EXPECT_EQ(vorn_key_alg_id("none", 1), 0);
    vorn_nodeid_t id{};
    char text[VORN_NODEID_TEXT_SIZE];
    vorn_nodeid_to_text(&id, 1, text);
    EXPECT_EQ(recorded_requests(), (std::vector<int>{15, 14}));
}

TEST(TablesLoad, KeyValuesStayWhenTheSecondRequestFails) {
    fresh_root(vorn::test::empty_directory());
    vorn::test::use_recording_driver();
    ::setenv("VORN_RECORDING_FAIL", "14", 1);
    EXPECT_EQ(vorn_load_alg_tables(), -1);
    EXPECT_EQ(vorn_key_alg_info(1, 2), 15);
    EXPECT_EQ(vorn_key_alg_info(2, 1), -15);
    EXPECT_EQ(vorn_crypt_alg_info(1, 2), 0);
    EXPECT_EQ(vorn_crypt_alg_id("plaintext", 2), -1);
    EXPECT_EQ(vorn_key_alg_id("RC2-40", 2), -1) << "no names are added";
    EXPECT_EQ(vorn_load_alg_tables(), 0);
    EXPECT_EQ(count_of(recorded_requests(), 15), 1);
    EXPECT_EQ(count_of(recorded_requests(), 14), 1);
}

} // namespace
