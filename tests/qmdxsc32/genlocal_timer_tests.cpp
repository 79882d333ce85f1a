// The Create Private Key dialog's timer samples, with the platform's timers steered: the
// library's objects are linked in so the seams are in reach.
#include <cstring>
#include <string>

#include "dialog_script.h"
#include "kernel/timers.h"
#include "keymgrd_fixture.h"
#include "qmdxsc32.h"

namespace {

// Every read of the counter or the multimedia timer is 5 ms and 3 ns after the previous.
std::int64_t s_now = 0;
std::int64_t steady_steps() {
    s_now += 5000003;
    return s_now;
}

class TimerSamples : public vorn::test::TempRootTest {
protected:
    void SetUp() override {
        TempRootTest::SetUp();
        s_now = 0;
        vorn::kernel::set_timer_source(steady_steps);
    }
    void TearDown() override {
        vorn::kernel::set_timer_source(nullptr);
        vorn::kernel::set_performance_counter_available(true);
        TempRootTest::TearDown();
    }

    // Runs the dialog to a full pool and returns the pool, or "" when it did not end
    // with OK. A cancelled dialog runs first when the script begins with one.
    std::string full_pool(const std::string& cancelledBefore = "") {
        DialogScript script(root());
        script.set(cancelledBefore + "mouse 41 50\nmouse-random 256 5\nclick 1\n");
        char description[65];
        if (!cancelledBefore.empty()) {
            EXPECT_EQ(GenLocalKey32(description, description, 0), 1) << script.text();
        }
        char pool[1024];
        const int result = GenLocalKey32(description, pool, 0);
        EXPECT_EQ(result, 0) << script.text();
        EXPECT_STREQ(description, "") << "an empty description is accepted";
        return result == 0 ? std::string(pool, sizeof pool) : std::string();
    }

    // The timer samples: the second of each pair.
    static std::vector<std::string> timer_samples(const std::string& pool) {
        std::vector<std::string> samples;
        for (std::size_t at = 2; at + 2 <= pool.size(); at += 4) {
            samples.push_back(pool.substr(at, 2));
        }
        return samples;
    }
};

TEST_F(TimerSamples, TheCounterGivesTheDifferenceSinceTheReadingBefore) {
    // The first sample too: the dialog read the counter when it appeared.
    const std::string pool = full_pool();
    ASSERT_EQ(pool.size(), 1024U);
    for (const std::string& sample : timer_samples(pool)) {
        EXPECT_EQ(sample, "34") << pool; // 5000003 = 0x4C4B43
    }
}

TEST_F(TimerSamples, WithoutACounterSecondsAndMillisecondsTakeItsPlace) {
    vorn::kernel::set_performance_counter_available(false);
    const std::string pool = full_pool();
    ASSERT_EQ(pool.size(), 1024U);
    int fives = 0;
    for (const std::string& sample : timer_samples(pool)) {
        // 5 ms, plus 1 when the clock's second turned over between two moves.
        EXPECT_TRUE(sample == "50" || sample == "60") << sample << " in " << pool;
        fives += sample == "50";
    }
    EXPECT_GT(fives, 200);
}

TEST_F(TimerSamples, TheFirstPositionSampleStartsFromWhereThePointerWas) {
    // A dialog before leaves the pointer at 40,50.
    const std::string pool = full_pool("mouse 40 50\nkey Escape\n");
    ASSERT_EQ(pool.size(), 1024U);
    EXPECT_EQ(pool.substr(0, 2), "10");
}

} // namespace
