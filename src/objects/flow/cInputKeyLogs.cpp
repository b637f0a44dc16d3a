#include "objects/flow/cInputKeyLogs.h"

const KeyLog& cInputKeyLogs::Log(int nLog) const
{
    return nLog < kDirLogCount ? m_Input.dirLogs[nLog] : m_Input.buttonLogs[nLog - kDirLogCount];
}

int cInputKeyLogs::RunCount(int nLog) const
{
    if (nLog < 0 || nLog >= kLogCount) {
        return 0;
    }
    const int nGroup =
        nLog < kDirLogCount ? static_cast<int>(m_Input.dirLogs.size()) : static_cast<int>(m_Input.buttonLogs.size());
    const int nInGroup = nLog < kDirLogCount ? nLog : nLog - kDirLogCount;
    return nInGroup < nGroup ? static_cast<int>(Log(nLog).size()) : 0;
}
