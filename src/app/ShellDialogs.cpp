#include "app/ShellDialogs.h"

namespace {

std::unique_ptr<cShellDialogs>& Current()
{
    static std::unique_ptr<cShellDialogs> dialogs = std::make_unique<cScriptedDialogs>();
    return dialogs;
}

}  // namespace

bool cScriptedDialogs::Take(Answer& answer)
{
    if (m_answers.empty()) {
        return false;
    }
    answer = m_answers.front();
    m_answers.pop_front();
    return true;
}

bool cScriptedDialogs::OpenFile(const FILEDIALOGREQUEST& request, std::string& path)
{
    m_requests.push_back(request);
    Answer answer;
    if (!Take(answer) || !answer.bOk) {
        return false;
    }
    path = answer.path;
    return true;
}

bool cScriptedDialogs::SaveFile(const FILEDIALOGREQUEST& request, std::string& path)
{
    return OpenFile(request, path);
}

void cScriptedDialogs::NameDialog()
{
    ++m_nName;
    Answer answer;
    Take(answer);
}

cShellDialogs& ShellDialogs()
{
    return *Current();
}

void SetShellDialogs(std::unique_ptr<cShellDialogs> dialogs)
{
    Current() = dialogs != nullptr ? std::move(dialogs) : std::make_unique<cScriptedDialogs>();
}
