// The certificate properties dialog through the whole chain: ShowKeyAttr32 loaded by
// name, the script view, tolvak32 and keymgrd, whose stored state tells what was saved.
#include <cstring>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "loaded_library.h"
#include "qmdxsc32.h"

namespace {

vorn_name_t name_record(std::uint8_t nsid, const std::vector<std::uint8_t>& bytes) {
    vorn_name_t name{};
    name.nsid = nsid;
    name.node.length = static_cast<std::uint32_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), name.node.bytes);
    return name;
}

// Name/value pairs laid end to end, ended by an empty name.
std::string block(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string text;
    for (const auto& [name, value] : pairs) {
        text += name + '\0' + value + '\0';
    }
    return text + '\0';
}

class KeyInfo : public vorn::test::KeymgrdTest {
protected:
    void SetUp() override {
        KeymgrdTest::SetUp();
        m_script = DialogScript(root());
        ASSERT_NE(m_show, nullptr);
    }

    static void unlock() {
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli client(20, os);
        ASSERT_EQ(client.passwordSet(0, "secret", ""), KMI_OK);
        ASSERT_EQ(client.login(0, "secret"), KMI_OK);
    }

    // What keymgrd keeps, without the password line.
    std::string stored() {
        const auto shown = keymgrd().show();
        EXPECT_EQ(shown.status, 0);
        return shown.out.substr(shown.out.find('\n') + 1);
    }

    LoadedLibrary m_library;
    ShowKeyAttr32Function m_show = m_library.entry<ShowKeyAttr32Function>("ShowKeyAttr32");
    DialogScript m_script{""};
};

struct NameLine {
    int kind;
    std::uint8_t nsid;
    std::vector<std::uint8_t> bytes;
    const char* title;
    const char* line;
};

void PrintTo(const NameLine& entry, std::ostream* out) {
    *out << "name space " << static_cast<int>(entry.nsid);
}

class KeyInfoNameLines : public KeyInfo, public ::testing::WithParamInterface<NameLine> {};

TEST_P(KeyInfoNameLines, ShowTheIdentifierAndTheNameSpaceInADisabledField) {
    const NameLine& entry = GetParam();
    vorn_name_t name = name_record(entry.nsid, entry.bytes);
    const vorn_name_t before = name;
    m_script.set("dump\nkey Escape\n");
    EXPECT_EQ(m_show(entry.kind, &name, nullptr, 0), 0);
    const std::string text = m_script.text();
    EXPECT_EQ(m_script.find(std::string("open dialog 132 title=\"") + entry.title + "\""), 0)
        << text;
    EXPECT_NE(m_script.find(std::string("state 1017 class=edit text=\"") + entry.line +
                            "\" enabled=0 visible=1 focus=0"),
              -1)
        << text;
    EXPECT_EQ(std::memcmp(&name, &before, sizeof name), 0) << "the record is not changed";
}

std::vector<std::uint8_t> counting(int count) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i));
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    NameSpaces, KeyInfoNameLines,
    ::testing::Values(
        NameLine{1, 1, {10, 0, 0, 1}, "Public Certificate Information", "0a000001:  IPv4 Address"},
        NameLine{0, 8, counting(16), "Private Key Information",
                 "0001-0203-0405-0607-0809-0a0b-0c0d-0e0f:  MD5/UDH"},
        NameLine{7, 0, {}, "Public Certificate Information", ":  Not present"},
        // Name spaces without a name: the identifier text (none here) and nothing after.
        NameLine{-1, 5, {1, 2}, "Public Certificate Information", ":  "},
        NameLine{1, 200, {1, 2, 3, 4}, "Public Certificate Information", ":  "}),
    [](const ::testing::TestParamInfo<NameLine>& param) {
        return "nsid" + std::to_string(param.param.nsid);
    });

TEST_F(KeyInfo, AttributesAreRowsInBlockOrderAndTheLastDescriptionIsTheField) {
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    const std::string attributes = block({{"A", "1"},
                                          {"DESCRIPTION", "first"},
                                          {"B", "2"},
                                          {"description", "lower case"},
                                          {"B", "again"},
                                          {"DESCRIPTION", "last"},
                                          {"EMPTY", ""}});
    m_script.set("dump\nkey Escape\n");
    EXPECT_EQ(m_show(1, &name, attributes.data(), 0), 0);
    const std::string text = m_script.text();
    EXPECT_NE(
        m_script.find("state 1022 class=listview columns=\"Attribute Name:200|Attribute "
                      "Value:1536\" rows=5 row0=\"A|1\" row1=\"B|2\" row2=\"description|lower "
                      "case\" row3=\"B|again\" row4=\"EMPTY|\""),
        -1)
        << text;
    EXPECT_NE(m_script.find("state 1018 class=edit text=\"last\" enabled=1 visible=1 focus=1"), -1)
        << text;
}

TEST_F(KeyInfo, ANullOrEmptyBlockGivesTheHeadingsOnly) {
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    const char empty[] = "";
    m_script.set("dump\nkey Escape\ndump\nkey Escape\n");
    EXPECT_EQ(m_show(0, &name, nullptr, 0), 0);
    EXPECT_EQ(m_show(0, &name, empty, 0), 0);
    const char* listing =
        "state 1022 class=listview columns=\"Attribute Name:200|Attribute Value:1536\" rows=0 "
        "enabled=1";
    EXPECT_EQ(m_script.count(listing), 2) << m_script.text();
    EXPECT_EQ(m_script.count("state 1018 class=edit text=\"\""), 2) << m_script.text();
}

TEST_F(KeyInfo, ABlockThatEndsAfterANameStopsThereWithoutReadingFurther) {
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    // "A" "1" "B", then the end: B has no value, and nothing lies beyond the last byte.
    const std::vector<char> attributes{'A', '\0', '1', '\0', 'B', '\0', '\0'};
    m_script.set("dump\nkey Escape\n");
    EXPECT_EQ(m_show(0, &name, attributes.data(), 0), 0);
    EXPECT_NE(m_script.find("state 1022 class=listview columns=\"Attribute Name:200|Attribute "
                            "Value:1536\" rows=2 row0=\"A|1\" row1=\"B|\" enabled"),
              -1)
        << m_script.text();
}

struct Edit {
    const char* description; // null: the block has none
    const char* script;
    const char* saved; // null: nothing is stored
};

void PrintTo(const Edit& edit, std::ostream* out) {
    *out << edit.script;
}

class KeyInfoEdits : public KeyInfo, public ::testing::WithParamInterface<Edit> {};

TEST_P(KeyInfoEdits, AChangedDescriptionIsStoredAndNothingElseIs) {
    const Edit& edit = GetParam();
    unlock();
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    const std::string attributes =
        edit.description ? block({{"DESCRIPTION", edit.description}, {"A", "1"}}) : block({});
    m_script.set(edit.script);
    EXPECT_EQ(m_show(1, &name, attributes.data(), 0), 0) << m_script.text();
    EXPECT_EQ(m_script.count("error"), 0) << m_script.text();
    EXPECT_EQ(m_script.count("msgbox"), 0) << m_script.text();
    const std::string expected = edit.saved
                                     ? std::string("certificate nsid=1 node=0a000001\n  attribute "
                                                   "name=\"DESCRIPTION\" value=\"") +
                                           edit.saved + "\"\n"
                                     : std::string();
    EXPECT_EQ(stored(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, KeyInfoEdits,
    ::testing::Values( // The field has the focus with its text selected: typing replaces it.
        Edit{"gateway", "type 1018 \"west\"\nclick 1\n", "west"},
        Edit{"gateway", "clear 1018\ntype 1018 \"Gateway\"\nkey Enter\n", "Gateway"},
        Edit{"gateway", "clear 1018\nkey Enter\n", ""},
        Edit{nullptr, "type 1018 \"new\"\nclick 1\n", "new"},
        // Unchanged, also when typed again, or edited and then cancelled.
        Edit{"gateway", "click 1\n", nullptr},
        Edit{"gateway", "clear 1018\ntype 1018 \"gateway\"\nclick 1\n", nullptr},
        Edit{nullptr, "key Enter\n", nullptr},
        Edit{"gateway", "type 1018 \"x\"\nkey Escape\n", nullptr},
        Edit{"gateway", "clear 1018\nclose\n", nullptr}),
    [](const ::testing::TestParamInfo<Edit>& param) {
        return "way" + std::to_string(param.index);
    });

TEST_F(KeyInfo, TheNameFieldTakesNeitherFocusNorInput) {
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    m_script.set("click 1017\nkey Tab\nkey Tab\nkey Tab\nkey Shift+Tab\nkey Shift+Tab\n"
                 "key Shift+Tab\ndump\nkey Escape\n");
    EXPECT_EQ(m_show(1, &name, nullptr, 0), 0);
    EXPECT_EQ(m_script.count("focus 1017"), 0) << m_script.text();
    EXPECT_NE(m_script.find("state 1017 class=edit text=\"0a000001:  IPv4 Address\" enabled=0 "
                            "visible=1 focus=0"),
              -1)
        << m_script.text();
}

TEST_F(KeyInfo, AKeyManagerThatRefusesOrIsGoneChangesNothingForTheHost) {
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    m_script.set("type 1018 \"locked\"\nclick 1\ntype 1018 \"gone\"\nclick 1\n");
    EXPECT_EQ(m_show(1, &name, nullptr, 0), 0) << "refused while locked";
    EXPECT_EQ(stored(), "");
    ASSERT_TRUE(keymgrd().stop());
    EXPECT_EQ(m_show(1, &name, nullptr, 0), 0) << "nobody listening";
    EXPECT_EQ(m_script.count("msgbox"), 0) << m_script.text();
    EXPECT_EQ(m_script.count("end dialog 132 code=1"), 2) << m_script.text();
}

TEST_F(KeyInfo, ANullNameRecordIsRefusedBeforeAnythingIsShown) {
    m_script.set("key Escape\n");
    EXPECT_EQ(m_show(1, nullptr, nullptr, 0), -1);
    EXPECT_EQ(m_script.count("open dialog"), 0) << m_script.text();
}

TEST_F(KeyInfo, WithoutAViewTheResultIsStillZero) {
    vorn_name_t name = name_record(1, {10, 0, 0, 1});
    setenv("VORN_UI", "none", 1);
    EXPECT_EQ(m_show(0, &name, nullptr, 0), 0);
}

} // namespace
