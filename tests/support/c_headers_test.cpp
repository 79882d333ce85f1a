// The published headers compile as C, and a C caller gets the library's answers.
#include <gtest/gtest.h>

#include "c_probe.h"
#include "harness.h"

TEST(CHeaders, CallsFromC) {
    vorn::test::fresh_root(vorn::test::empty_directory());
    EXPECT_EQ(c_probe_requests_fail(), 1);
    char text[64];
    EXPECT_EQ(c_probe_nsid_index(), 8);
    ASSERT_EQ(c_probe_round_trip(text), 0);
    EXPECT_STREQ(text, "0a000001");
    EXPECT_STREQ(c_probe_names(), "simplecrypt,LOG_ERR");
    if (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
        ASSERT_EQ(c_probe_network(text), 0);
        EXPECT_STREQ(text, "10.16.0.0");
    }
}
