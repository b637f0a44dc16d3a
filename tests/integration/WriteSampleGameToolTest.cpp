// The tool that writes the sample game, run as a user runs it: options it knows, options it does
// not, and a command line without a folder; none of them may leave a folder named after an option.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/GameFolder.h"

namespace {

namespace fs = std::filesystem;

#ifdef QB_SAMPLE_WRITER_PATH
constexpr const char* kWriterPath = QB_SAMPLE_WRITER_PATH;
#else
constexpr const char* kWriterPath = "";
#endif

struct ToolRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs the tool in the current folder (the test's scratch folder) with the arguments.
ToolRun RunWriter(const testsupport::GameFolder& folder, const std::string& args)
{
    const std::string command = std::string("'") + kWriterPath + "' " + args + " > tool.out 2> tool.err";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = folder.Read("tool.out");
    run.err = folder.Read("tool.err");
    return run;
}

TEST(WriteSampleGameToolTest, OptionsAreNeverTakenForAFolderAndUnknownOnesAreRefused)
{
    if (std::string(kWriterPath).empty() || !fs::exists(kWriterPath)) {
        GTEST_SKIP() << "the tool was not built with the tests";
    }
    struct Case {
        const char* name;
        std::string args;
        int code;
        const char* out;  // found in standard output ("" nothing asked)
        const char* err;  // found in standard error
    };
    const Case cases[] = {
        {"help", "--help", 0, "usage: ", ""},
        {"short help", "-h", 0, "usage: ", ""},
        {"help after a folder", "game --help", 0, "usage: ", ""},
        {"unknown option", "--fast", 2, "", "unknown option: --fast"},
        {"unknown option before a folder", "-x game", 2, "", "unknown option: -x"},
        {"no folder", "", 2, "", "usage: "},
        {"two folders", "one two", 2, "", "more than one folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        const ToolRun run = RunWriter(folder, c.args);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        std::vector<std::string> left;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder.Root())) {
            if (entry.is_directory()) {
                left.push_back(entry.path().filename().string());
            }
        }
        EXPECT_TRUE(left.empty()) << "a folder was written: " << left.front();
    }
}

}  // namespace
