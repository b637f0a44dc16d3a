// What a user meets at the run command before anything is built: the usage, a game folder that
// does not exist, and a machine without a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/GameFolder.h"

namespace {

namespace fs = std::filesystem;

// The repository root: the test program lives in build/<kind>/tests/.
fs::path RepositoryRoot()
{
    std::error_code error;
    const fs::path exe = fs::canonical("/proc/self/exe", error);
    return error ? fs::path() : exe.parent_path().parent_path().parent_path().parent_path();
}

struct Outcome {
    int code = -1;
    std::string output;  // standard output and standard error together
};

// Runs the script with the arguments (shell words) and environment changes (an env prefix) from
// the current folder.
Outcome RunScript(const fs::path& script, const std::string& env, const std::string& args)
{
    const fs::path out = fs::current_path() / "run-output.txt";
    const std::string command = "env " + env + " bash '" + script.string() + "' " + args + " > '" + out.string() +
                                "' 2>&1; echo \"rc=$?\" >> '" + out.string() + "'";
    std::system(command.c_str());
    std::ifstream in(out);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Outcome outcome;
    const std::size_t rc = text.rfind("rc=");
    if (rc != std::string::npos) {
        outcome.code = std::atoi(text.c_str() + rc + 3);
        outcome.output = text.substr(0, rc);
    }
    return outcome;
}

TEST(RunScriptTest, UsageErrorsAndAMissingDisplayEndBeforeAnythingIsBuilt)
{
    const fs::path script = RepositoryRoot() / "scripts" / "run.sh";
    if (!fs::exists(script)) {
        GTEST_SKIP() << "not run from a build folder of the repository";
    }
    testsupport::GameFolder here;  // the caller's directory, holding one game folder
    fs::create_directories(here.Root() / "mygame");
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u QB_HEADLESS";
    struct Case {
        const char* name;
        std::string env;
        std::string args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {"help", "", "--help", 0, "usage: scripts/run.sh"},
        {"unknown option", "", "--frobnicate", 2, "usage: scripts/run.sh"},
        {"missing game folder", "", "mygmae", 2, "no such game folder: mygmae"},
        {"too many arguments", "", "mygame a b", 2, "usage: scripts/run.sh"},
        // The folder is found from the caller's directory, so the run gets as far as the display.
        {"no display", noDisplay, "mygame", 2, "cannot open a display"},
        {"no display, headless asked off", noDisplay + " QB_HEADLESS=0", "mygame", 2, "cannot open a display"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = RunScript(script, c.env, c.args);
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_NE(outcome.output.find(c.says), std::string::npos) << outcome.output;
    }
    EXPECT_FALSE(fs::exists(here.Root() / "mygmae")) << "a mistyped folder is not created";
}

}  // namespace
