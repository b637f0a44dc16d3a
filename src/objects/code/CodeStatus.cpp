#include "objects/code/CodeStatus.h"

namespace {

constexpr CODESTATUSINFO kCharaStatus[CODE_CHARA_STATUS_COUNT] = {
    {"v1", 4, -999999, 999999},
    {"v2", 4, -999999, 999999},
    {"v3", 4, -999999, 999999},
    {"v4", 4, -999999, 999999},
    {"v5", 4, -999999, 999999},
    {"v6", 4, -999999, 999999},
    {"v7", 4, -999999, 999999},
    {"v8", 4, -999999, 999999},
    {"hp", 4, 0, 999999},
    {"sp", 4, 0, 999999},
    {"mhp", 4, 1, 999999},
    {"msp", 4, 1, 999999},
    {"cid", 0, 0, 99},
    {"z", 0, 0, 7},
    {"mark", 2, 0, 119},
    {"sight", 0, 0, 40},
    {"power", 4, -999999, 999999},
    {"imp", 0, -20, 20},
    {"def", 4, 0, 999999},
    {"impd", 0, 0, 20},
    {"stop", 2, 0, 200},
    {"getsc", 4, -999999, 999999},
};

constexpr CODESTATUSINFO kSysStatus[CODE_SYS_STATUS_COUNT] = {
    {"time", 4, 0, 999}, {"scrlx", 4, -480, 480}, {"scrly", 4, -480, 480}, {"score", 4, 0, 999999}, {"life", 4, 0, 99},
};

}  // namespace

const CODESTATUSINFO* CodeCharaStatusInfo(int nStatus)
{
    return nStatus >= 0 && nStatus < CODE_CHARA_STATUS_COUNT ? &kCharaStatus[nStatus] : nullptr;
}

const CODESTATUSINFO* CodeSysStatusInfo(int nStatus)
{
    return nStatus >= 0 && nStatus < CODE_SYS_STATUS_COUNT ? &kSysStatus[nStatus] : nullptr;
}
