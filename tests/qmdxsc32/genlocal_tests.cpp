// The Create Private Key dialog through GenLocalKey32 loaded by name and the script view.
// Pixels of the template: the description edit covers 22..349 x 81..103, OK 76..178 x
// 276..298 and Cancel 202..304 x 276..298; left of x 22 there is only the dialog.
#include <cstring>
#include <string>

#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "loaded_library.h"
#include "qmdxsc32.h"

namespace {

constexpr char kUntouched = 0x7f;

struct Output {
    Output() {
        std::memset(description, kUntouched, sizeof description);
        std::memset(pool, kUntouched, sizeof pool);
    }
    char description[80];
    char pool[1025]; // one byte more than the export may write
};

class GenLocal : public vorn::test::TempRootTest {
protected:
    void SetUp() override {
        TempRootTest::SetUp();
        m_script = DialogScript(root());
    }

    int run(Output& output) const {
        auto function = m_library.entry<GenLocalKey32Function>("GenLocalKey32");
        return function ? function(output.description, output.pool, 0) : -100;
    }

    LoadedLibrary m_library;
    DialogScript m_script{""};
};

bool has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

TEST_F(GenLocal, EveryMoveOverTheDialogCountsSixteenBitsAndTheMoveAfterTheLastEnablesOk) {
    const std::string description(64, 'd');
    m_script.set("mouse 10 20\ndump\n"           // 1: from the pointer's place at 0,0
                 "mouse 100 90\nmouse 250 285\n" // over the edit and Cancel: not counted
                 "dump\n"
                 "mouse 10 20\n"              // 2: the same place
                 "mouse 9 20\n"               // 3: one less
                 "mouse 9 187\n"              // 4: 167 more
                 "mouse-random 251 3\ndump\n" // 255
                 "mouse 5 5\ndump\n"          // 256
                 "mouse 5 5\ndump\n"          // 257
                 "mouse 6 5\ndump\n"          // 258
                 "type 1028 \"" +
                 description + "e\"\ndump\nclick 1\n");
    Output output;
    ASSERT_EQ(run(output), 0) << m_script.text();

    const auto counter = m_script.states(1040);
    const auto ok = m_script.states(1);
    const char* expected[][2] = {{"4080", "0"}, {"4080", "0"}, {"16", "0"},
                                 {"0", "0"},    {"0", "1"},    {"0", "1"}};
    ASSERT_EQ(counter.size(), 7U) << m_script.text();
    ASSERT_EQ(ok.size(), 7U);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_TRUE(has(counter[i], std::string("text=\"") + expected[i][0] + "\""))
            << "dump " << i << ": " << counter[i];
        EXPECT_TRUE(has(ok[i], std::string("enabled=") + expected[i][1]))
            << "dump " << i << ": " << ok[i];
    }
    // The 65th character is refused by the edit.
    EXPECT_TRUE(has(m_script.states(1028).back(), "text=\"" + description + "\""))
        << m_script.states(1028).back();

    EXPECT_STREQ(output.description, description.c_str());
    EXPECT_EQ(output.pool[1024], kUntouched) << "exactly 1024 bytes, no terminator";
    const std::string pool(output.pool, 1024);
    EXPECT_EQ(pool.find_first_not_of("0123456789ABCDEF"), std::string::npos) << pool;
    // Position samples come first in each pair of samples, low nibble first.
    EXPECT_EQ(pool.substr(0, 2), "E1");  // 10 + 20 = 0x1E
    EXPECT_EQ(pool.substr(4, 2), "00");  // no change
    EXPECT_EQ(pool.substr(8, 2), "FF");  // -1
    EXPECT_EQ(pool.substr(12, 2), "7A"); // 0xA7
}

TEST_F(GenLocal, WithoutMovesOkStaysOffAndCancelCopiesNothing) {
    for (const char* way : {"click 2", "key Escape", "close"}) {
        SCOPED_TRACE(way);
        const std::string directory = root() + "/" + std::to_string(std::strlen(way));
        std::filesystem::create_directories(directory);
        DialogScript script(directory);
        script.set(std::string("dump\nclick 1\nkey Enter\ndump\nmouse-random 100\n") + way + "\n");
        Output output;
        EXPECT_EQ(run(output), 1) << script.text();
        EXPECT_NE(script.find("open dialog 135 title=\"Create Private Key\""), -1) << script.text();
        EXPECT_NE(script.find("focus 1028"), -1) << "the description edit first";
        EXPECT_EQ(script.count("state 1040 class=static text=\"4096\""), 2) << script.text();
        EXPECT_EQ(script.count("state 1 class=button text=\"OK\" enabled=0"), 2) << script.text();
        EXPECT_EQ(script.count("end dialog 135 code=2"), 1) << script.text();
        EXPECT_EQ(output.description[0], kUntouched);
        EXPECT_EQ(output.pool[0], kUntouched);
    }
}

TEST_F(GenLocal, WithoutBuffersNothingRuns) {
    m_script.set("key Escape\n");
    auto function = m_library.entry<GenLocalKey32Function>("GenLocalKey32");
    ASSERT_NE(function, nullptr);
    Output output;
    EXPECT_EQ(function(nullptr, output.pool, 0), -1);
    EXPECT_EQ(function(output.description, nullptr, 0), -1);
    EXPECT_EQ(m_script.count("open dialog"), 0) << m_script.text();
}

} // namespace
