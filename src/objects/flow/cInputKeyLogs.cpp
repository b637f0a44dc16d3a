#include "objects/flow/cInputKeyLogs.h"

std::span<const KEYLOGRUN> cInputKeyLogs::Runs(int nLog) const
{
    if (nLog < 0 || nLog >= kLogCount) {
        return {};
    }
    const bool bDir = nLog < kDirLogCount;
    const cVector<KeyLog>& group = bDir ? m_Input.dirLogs : m_Input.buttonLogs;
    const std::size_t nInGroup = static_cast<std::size_t>(bDir ? nLog : nLog - kDirLogCount);
    if (nInGroup >= group.size()) {
        return {};
    }
    const KeyLog& log = group.data()[nInGroup];
    return {log.data(), log.size()};
}
