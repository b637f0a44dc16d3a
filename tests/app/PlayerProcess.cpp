#include "PlayerProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace apptest {
namespace {

bool Replaced(const std::string& entry, const std::vector<std::string>& env)
{
    const std::string name = entry.substr(0, entry.find('=') + 1);
    if (name == "QB_FRAMES=" || name == "QB_INPUT=" || name == "QB_STATE=" || name == "QB_HEADLESS=") {
        return true;
    }
    for (const std::string& e : env) {
        const std::string other = e.find('=') == std::string::npos ? e + "=" : e.substr(0, e.find('=') + 1);
        if (other == name) {
            return true;
        }
    }
    return false;
}

std::atomic<int> g_nRun{0};

}  // namespace

std::string PlayerPath()
{
#ifdef QB_PLAYER_PATH
    return QB_PLAYER_PATH;
#else
    return "";
#endif
}

PlayerProcess::PlayerProcess(const std::filesystem::path& folder, const std::vector<std::string>& args,
                             const std::vector<std::string>& env)
{
    m_output = std::filesystem::temp_directory_path() /
               ("qb-player-" + std::to_string(getpid()) + "-" + std::to_string(g_nRun++) + ".txt");
    // Everything the child needs is built before the fork.
    const std::string player = PlayerPath();
    std::vector<std::string> envText;
    for (char** e = environ; *e != nullptr; ++e) {
        if (!Replaced(*e, env)) {
            envText.emplace_back(*e);
        }
    }
    bool bHeadlessGiven = false;
    for (const std::string& e : env) {
        bHeadlessGiven = bHeadlessGiven || e.rfind("QB_HEADLESS", 0) == 0;
        if (e.find('=') != std::string::npos) {
            envText.push_back(e);
        }
    }
    if (!bHeadlessGiven) {
        envText.emplace_back("QB_HEADLESS=1");
    }
    std::vector<char*> argv{const_cast<char*>(player.c_str())};
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : envText) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    const std::string dir = folder.string();
    const std::string out = m_output.string();
    m_pid = fork();
    if (m_pid == 0) {
        const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || chdir(dir.c_str()) != 0) {
            _exit(126);
        }
        dup2(fd, 1);
        dup2(fd, 2);
        close(fd);
        execve(player.c_str(), argv.data(), envp.data());
        _exit(127);
    }
}

PlayerProcess::~PlayerProcess()
{
    Wait();
    std::error_code error;
    std::filesystem::remove(m_output, error);
}

int PlayerProcess::Wait(int boundSeconds)
{
    if (m_waited || m_pid <= 0) {
        return m_code;
    }
    int status = 0;
    for (int polls = 0; polls < boundSeconds * 100; ++polls) {
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_waited = true;
            m_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return m_code;
        }
        usleep(10000);
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, &status, 0);
    m_waited = true;
    m_code = -1;
    return m_code;
}

std::string PlayerProcess::Output() const
{
    std::ifstream in(m_output, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

RunResult RunPlayer(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    const std::vector<std::string>& env)
{
    PlayerProcess process(folder, args, env);
    RunResult result;
    result.code = process.Wait();
    result.output = process.Output();
    return result;
}

}  // namespace apptest
