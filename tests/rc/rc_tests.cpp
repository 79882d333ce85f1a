// The resource compiler: what it makes of a script, and faults named by file and line.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

class ResourceCompiler : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vorn-rc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(m_dir + "/" + name) << text;
    }

    // Runs vornrc on script.rc; its exit status, with its messages in m_errors.
    int compile() {
        const std::string command = std::string(VORNRC) + " '" + m_dir + "/script.rc' '" + m_dir +
                                    "/out.cpp' 2>'" + m_dir + "/errors'";
        const int status = std::system(command.c_str());
        m_errors = read("errors");
        return WEXITSTATUS(status);
    }

    std::string read(const std::string& name) const {
        std::ifstream in(m_dir + "/" + name);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_dir;
    std::string m_errors;
};

TEST_F(ResourceCompiler, TemplatesTakeTheirIdsFromTheHeaderAndTheDefaultStyles) {
    write("ids.h", "#pragma once\n#define IDD_TEST 148\n#define IDC_FIELD 1036 // a field\n");
    write("script.rc",
          "#include \"ids.h\"\n"
          "IDD_TEST DIALOGEX 0, 0, 186, 109\n"
          "STYLE DS_SYSMODAL | WS_POPUP\nEXSTYLE WS_EX_CONTEXTHELP\n"
          "CAPTION \"Say \"\"hi\"\"\"\nFONT 8, \"MS Sans Serif\"\nBEGIN\n"
          "  LTEXT \"&Password:\",IDC_STATIC,45,38,95,10\n"
          "  EDITTEXT IDC_FIELD,45,49,95,14,ES_PASSWORD | NOT WS_TABSTOP\n"
          "  DEFPUSHBUTTON \"OK\",IDOK,21,88,64,14\n"
          "  COMBOBOX 1034,30,110,131,43,CBS_DROPDOWNLIST\n"
          "  CONTROL \"List1\",1022,\"SysListView32\",LVS_REPORT,7,87,311,70,WS_EX_CLIENTEDGE\n"
          "END\n"
          "STRINGTABLE\nBEGIN\n  251 \"PC-VORN Login\"\n  57344, \"tab\\there\"\nEND\n");
    ASSERT_EQ(compile(), 0) << m_errors;
    const std::string out = read("out.cpp");
    const std::string dialog = std::string("{148, \"Say \\\"hi\\\"\", 0, 0, 186, 109, ") +
                               "0x80000042U, 0x00000400U, \"MS Sans Serif\", 8, controls148, 5}";
    EXPECT_NE(out.find(dialog), std::string::npos) << out;
    for (const char* expected : {
             "{\"static\", \"&Password:\", -1, 45, 38, 95, 10, 0x50020000U, 0x00000000U}",
             "{\"edit\", \"\", 1036, 45, 49, 95, 14, 0x50800020U, 0x00000000U}",
             "{\"button\", \"OK\", 1, 21, 88, 64, 14, 0x50010001U, 0x00000000U}",
             "{\"combobox\", \"\", 1034, 30, 110, 131, 43, 0x50010003U, 0x00000000U}",
             "{\"SysListView32\", \"List1\", 1022, 7, 87, 311, 70, 0x50000001U, 0x00000200U}",
             "{251U, \"PC-VORN Login\"}",
             "{57344U, \"tab\\011here\"}",
         }) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
    }
}

struct Fault {
    const char* script;
    const char* message;
};

class ResourceFaults : public ResourceCompiler, public ::testing::WithParamInterface<Fault> {};

TEST_P(ResourceFaults, NameTheFileAndLine) {
    write("script.rc", GetParam().script);
    EXPECT_EQ(compile(), 1);
    EXPECT_NE(m_errors.find(m_dir + "/script.rc:" + GetParam().message), std::string::npos)
        << m_errors;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ResourceFaults,
    ::testing::Values(Fault{"100 DIALOGEX 0, 0, 10\nBEGIN\nEND\n", "2: error: expected ','"},
                      Fault{"100 DIALOGEX 0,0,1,1\nBEGIN\n  LTEXT \"a\",UNKNOWN_ID,1,2,3,4\nEND\n",
                            "3: error: unknown name UNKNOWN_ID"},
                      Fault{"100 DIALOGEX 0,0,1,1\nBEGIN\n  SLIDER 1,2,3,4,5\nEND\n",
                            "3: error: unknown control SLIDER"},
                      Fault{"\n\nSTRINGTABLE\nBEGIN\n 1 \"open\nEND\n",
                            "5: error: string is not closed"},
                      Fault{"100 DIALOGEX 0,0,1,1\nBEGIN\n", "3: error: END is missing"},
                      Fault{"/* never closed\n\n", "1: error: comment is not closed"},
                      Fault{"#include \"missing.h\"\n", "1: error: cannot read"},
                      Fault{"\n#if 1\n", "2: error: unsupported directive #if"},
                      Fault{"STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n",
                            "4: error: string 1 is defined twice"},
                      Fault{"100 MENU\n", "1: error: expected DIALOGEX or STRINGTABLE"}),
    [](const ::testing::TestParamInfo<Fault>& param) {
        return "case" + std::to_string(param.index);
    });

} // namespace
