#include "project/cWorldStage.h"

#include "core/Paths.h"

namespace {

// The first version whose files hold nNeedScore.
constexpr int kNeedScoreVersion = 209;

}  // namespace

cWorldStage::cWorldStage()
{
    RegisterMembers(nDataVersion);
}

void cWorldStage::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddDwordMember(&nKind, 1);
    AddDwordMember(&nIcon, 1);
    AddDwordMember(&nStageNo, 1);
    AddDwordMember(&bPassable, 1);
    AddDwordMember(&bReplay, 1);
    AddDwordMember(&nAfterClear, 1);
    AddDwordMember(&nNeedStage, 1);
    AddDwordMember(&nCondVar, 1);
    AddDwordMember(&nCondValue, 1);
    AddDwordMember(&nCondOp, 1);
    if (nVersion >= kNeedScoreVersion) {
        AddDwordMember(&nNeedScore, 1);
    }
    AddStrMember(&strTitle, 1);
    AddStrMember(&strFile, 1);
}

int cWorldStage::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp);
    if (nFileVersion < kNeedScoreVersion) {
        nNeedScore = 0;
    }
    return ok;
}

std::string cWorldStage::StageKey() const
{
    std::string key = strFile;
    StripExtensionStr(key);
    for (std::size_t i = key.size(); i >= 2; --i) {
        if (key[i - 2] == '-' && key[i - 1] == '1') {
            key.resize(i - 1);
            key[i - 2] = '.';
            return key;
        }
    }
    return key + '.';
}
