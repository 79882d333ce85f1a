// tolvak32 against the real keymgrd: passwords, login, certificate edits, stored state.
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "keymgrd_fixture.h"
#include "tolvak32.h"

namespace {

using namespace std::literals;
using vorn::test::KeymgrdTest;

class KeyManager : public KeymgrdTest {
protected:
    kmi_osT_ m_os{{-1, 0, 0}};

    kmk_state key_state() {
        keymgr_cli cli(20, m_os);
        kmi_state state = KMI_STATE_FAILED;
        kmk_state keys = KMK_STATE_NO_PASSWORD;
        EXPECT_EQ(cli.probe(state, keys), KMI_OK);
        EXPECT_EQ(state, KMI_STATE_WORKING);
        return keys;
    }

    kmi_err set_password(const char* newPassword, const char* oldPassword) {
        keymgr_cli cli(20, m_os);
        return cli.passwordSet(0, newPassword, oldPassword);
    }

    kmi_err login(const char* password) {
        keymgr_cli cli(20, m_os);
        return cli.login(0, password);
    }

    kmi_err edit(std::uint8_t nsid, std::string_view node, const char* name, const char* value) {
        vorn_name_t record{};
        record.nsid = nsid;
        record.node.length = static_cast<std::uint32_t>(node.size());
        std::memcpy(record.node.bytes, node.data(), node.size());
        Xstring* valueText = new Xstring(value);
        Xstring* nameText = new Xstring(name);
        auto* attribute = new vorn_attrib(VORN_ATTR_TEXT, *nameText, *valueText);
        delete nameText;
        delete valueText;
        keymgr_cli cli(20, m_os);
        kmi_err result = cli.certEdit(record, &attribute);
        delete attribute;
        return result;
    }

    std::string state_file() {
        std::ifstream in(keymgrd().state_dir() + "/keymgr.state");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string show() {
        vorn::test::ProgramOutput output = keymgrd().show();
        EXPECT_EQ(output.status, 0);
        return output.out;
    }
};

TEST_F(KeyManager, ProbeReportsWorkingWithoutPassword) {
    EXPECT_EQ(key_state(), KMK_STATE_NO_PASSWORD);
}

TEST_F(KeyManager, SetModeWorksOnlyWhileNoPasswordIsSet) {
    ASSERT_EQ(set_password("first", ""), KMI_OK);
    EXPECT_EQ(key_state(), KMK_STATE_LOCKED);
    EXPECT_NE(set_password("second", ""), KMI_OK);
    EXPECT_EQ(login("second"), KMI_ERR_REFUSED);
    EXPECT_EQ(login("first"), KMI_OK);
}

TEST_F(KeyManager, ChangeModeNeedsTheRightOldPassword) {
    EXPECT_EQ(set_password("new", "anything"), KMI_ERR_REFUSED) << "no password to change yet";
    ASSERT_EQ(set_password("first", ""), KMI_OK);
    EXPECT_EQ(set_password("second", "wrong"), KMI_ERR_REFUSED);
    EXPECT_EQ(set_password("second", "First"), KMI_ERR_REFUSED);
    ASSERT_EQ(set_password("second", "first"), KMI_OK);
    EXPECT_EQ(login("first"), KMI_ERR_REFUSED);
    EXPECT_EQ(login("second"), KMI_OK);
}

TEST_F(KeyManager, EmptyNewPasswordIsRefused) {
    EXPECT_EQ(set_password("", ""), KMI_ERR_REFUSED);
    EXPECT_EQ(key_state(), KMK_STATE_NO_PASSWORD);
}

TEST_F(KeyManager, LoginChecksThePasswordAndUnlocks) {
    EXPECT_EQ(login(""), KMI_ERR_REFUSED) << "no password set";
    ASSERT_EQ(set_password("Secret-1", ""), KMI_OK);
    for (const char* wrong : {"secret-1", "", "Secret-1x", "Secret-", " Secret-1"}) {
        EXPECT_EQ(login(wrong), KMI_ERR_REFUSED) << '"' << wrong << '"';
    }
    EXPECT_EQ(key_state(), KMK_STATE_LOCKED);
    EXPECT_EQ(login("Secret-1"), KMI_OK);
    EXPECT_EQ(key_state(), KMK_STATE_UNLOCKED);
    EXPECT_EQ(login("wrong"), KMI_ERR_REFUSED);
    EXPECT_EQ(key_state(), KMK_STATE_UNLOCKED) << "a failed attempt does not lock again";
}

TEST_F(KeyManager, PasswordIsStoredOnlyAsArgon2idHash) {
    ASSERT_EQ(set_password("Tr0ub4dor&3", ""), KMI_OK);
    std::string stored = state_file();
    EXPECT_NE(stored.find("$argon2id$"), std::string::npos);
    EXPECT_EQ(stored.find("Tr0ub4dor"), std::string::npos);
    std::string shown = show();
    EXPECT_NE(shown.find("password=set"), std::string::npos);
    EXPECT_EQ(shown.find("argon2"), std::string::npos);
}

TEST_F(KeyManager, CertEditIsRefusedWhileLocked) {
    EXPECT_EQ(edit(1, "\xc0\xa8\x00\x01"sv, "DESCRIPTION", "gateway"), KMI_ERR_LOCKED);
    ASSERT_EQ(set_password("pw", ""), KMI_OK);
    EXPECT_EQ(edit(1, "\xc0\xa8\x01\x01"sv, "DESCRIPTION", "gateway"), KMI_ERR_LOCKED);
    EXPECT_EQ(login("bad"), KMI_ERR_REFUSED);
    EXPECT_EQ(edit(1, "\xc0\xa8\x01\x01"sv, "DESCRIPTION", "gateway"), KMI_ERR_LOCKED);
    EXPECT_EQ(show(), "password=set\n");
}

TEST_F(KeyManager, CertEditStoresAndReplacesAttributes) {
    ASSERT_EQ(set_password("pw", ""), KMI_OK);
    ASSERT_EQ(login("pw"), KMI_OK);
    EXPECT_EQ(edit(1, "\xc0\xa8\x01\x01"sv, "DESCRIPTION", "old text"), KMI_OK);
    EXPECT_EQ(edit(2, "\x01\x02\x03"sv, "DESCRIPTION", "other name space"), KMI_OK);
    EXPECT_EQ(edit(1, "\xc0\xa8\x01\x01"sv, "OWNER", "ops"), KMI_OK);
    EXPECT_EQ(edit(1, "\xc0\xa8\x01\x01"sv, "DESCRIPTION", "say \"hi\"\tand\\or\nmore"), KMI_OK);
    EXPECT_EQ(show(),
              "password=set\n"
              "certificate nsid=1 node=c0a80101\n"
              "  attribute name=\"DESCRIPTION\" value=\"say \\\"hi\\\"\\tand\\\\or\\nmore\"\n"
              "  attribute name=\"OWNER\" value=\"ops\"\n"
              "certificate nsid=2 node=010203\n"
              "  attribute name=\"DESCRIPTION\" value=\"other name space\"\n");
}

TEST_F(KeyManager, StateSurvivesARestartButTheLoginDoesNot) {
    ASSERT_EQ(set_password("pw", ""), KMI_OK);
    ASSERT_EQ(login("pw"), KMI_OK);
    ASSERT_EQ(edit(1, "\x0a\x00\x00\x01"sv, "DESCRIPTION", "line1\nline2\x7f"), KMI_OK);
    std::string before = show();
    ASSERT_TRUE(keymgrd().stop());
    EXPECT_FALSE(std::filesystem::exists(keymgrd().socket_path())) << "socket removed on stop";
    ASSERT_TRUE(keymgrd().start());
    EXPECT_EQ(key_state(), KMK_STATE_LOCKED);
    EXPECT_EQ(edit(1, "\x0a\x00\x00\x01"sv, "DESCRIPTION", "changed"), KMI_ERR_LOCKED);
    EXPECT_EQ(login("pw"), KMI_OK);
    EXPECT_EQ(show(), before);
    EXPECT_NE(before.find("value=\"line1\\nline2\\x7f\""), std::string::npos) << before;
}

TEST_F(KeyManager, CertEditRejectsBadInputFromTheCaller) {
    ASSERT_EQ(set_password("pw", ""), KMI_OK);
    ASSERT_EQ(login("pw"), KMI_OK);
    keymgr_cli cli(20, m_os);
    vorn_name_t record{};
    record.nsid = 1;
    EXPECT_NE(cli.certEdit(record, nullptr), KMI_OK);
    vorn_attrib* none = nullptr;
    EXPECT_NE(cli.certEdit(record, &none), KMI_OK);
    EXPECT_NE(edit(1, "x"sv, "", "empty name"), KMI_OK);
    EXPECT_NE(edit(12, "x"sv, "DESCRIPTION", "no such name space"), KMI_OK);
    record.node.length = 25;
    Xstring name("DESCRIPTION");
    Xstring value("too long a node");
    auto* attribute = new vorn_attrib(VORN_ATTR_TEXT, name, value);
    EXPECT_NE(cli.certEdit(record, &attribute), KMI_OK);
    delete attribute;
    EXPECT_EQ(show(), "password=set\n");
}

TEST_F(KeyManager, OversizedPasswordsAreRejected) {
    std::string huge(5000, 'p');
    EXPECT_NE(set_password(huge.c_str(), ""), KMI_OK);
    EXPECT_NE(login(huge.c_str()), KMI_OK);
    EXPECT_EQ(key_state(), KMK_STATE_NO_PASSWORD);
}

TEST_F(KeyManager, UnknownKeyStoreIsRefused) {
    keymgr_cli cli(20, m_os);
    EXPECT_EQ(cli.passwordSet(1, "pw", ""), KMI_ERR_REFUSED);
    EXPECT_EQ(cli.login(7, "pw"), KMI_ERR_REFUSED);
    EXPECT_EQ(key_state(), KMK_STATE_NO_PASSWORD);
}

} // namespace
