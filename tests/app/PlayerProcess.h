// The program run as scripts run it: a child process in a game folder, headless, with its
// standard output and error kept, and its exit code.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace apptest {

// The program built with these tests; "" when the build did not say.
std::string PlayerPath();

class PlayerProcess {
public:
    // Starts the program in folder with the arguments, headless unless env names QB_HEADLESS;
    // env adds or replaces "NAME=value" entries and removes "NAME" ones (QB_FRAMES, QB_INPUT and
    // QB_STATE are removed from the inherited environment first).
    PlayerProcess(const std::filesystem::path& folder, const std::vector<std::string>& args,
                  const std::vector<std::string>& env);
    // Waits for the end (killing the child only when it is still running after boundSeconds, so
    // that a test that failed cannot hang the test program).
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // The exit code; -1 when it had to be killed or died of a signal.
    int Wait(int boundSeconds = 120);
    // Standard output and error together (valid after Wait).
    std::string Output() const;

private:
    pid_t m_pid = -1;
    int m_code = -1;
    bool m_waited = false;
    std::filesystem::path m_output;
};

// Runs the program to its end.
struct RunResult {
    int code = -1;
    std::string output;
};
RunResult RunPlayer(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    const std::vector<std::string>& env);

}  // namespace apptest
