#include "input/ReplayFileName.h"

#include "core/Paths.h"
#include "core/TextHelpers.h"
#include "input/cReplay.h"
#include "platform/win/Files.h"

namespace {

// The digits of the numbers offered: both 0..8, "_00" to "_88" (81 names).
constexpr int kLastDigit = 8;

// The replay path with the digits d1 d2 for the name base ("user_data\rpl4\abc.rpl4_720").
std::string Numbered(const std::string& base, int d1, int d2)
{
    std::string out(MAX_PATH, '\0');
    InsertFileNumber(out.data(), base.c_str(), d1, d2);
    ResyncStr(out);
    return out;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The first name of the 81 in order that no file has; the last one when every name is taken.
std::string FirstFree(const std::string& base)
{
    for (int d1 = 0; d1 <= kLastDigit; ++d1) {
        for (int d2 = 0; d2 <= kLastDigit; ++d2) {
            std::string candidate = Numbered(base, d1, d2);
            if (!Exists(candidate)) {
                return candidate;
            }
        }
    }
    return Numbered(base, kLastDigit, kLastDigit);
}

}  // namespace

std::string ProposeReplayFileName(const std::string& stageName)
{
    if (stageName.empty() || stageName.size() >= MAX_PATH) {
        return "";
    }
    std::string stage = stageName;
    ToGameSeparators(stage);
    std::string name(MAX_PATH, '\0');
    if (!ChangeExtension(name.data(), stage.c_str(), kReplayExtension)) {
        // Without an extension no number could be put in; the name becomes a replay's.
        ResyncStr(name);
        name += std::string(".") + kReplayExtension;
    }
    ResyncStr(name);
    StripDirectory(name.data());
    ResyncStr(name);
    std::string proposal = FirstFree(kReplayFolder + name);
    StripDirectory(proposal.data());
    ResyncStr(proposal);
    return proposal;
}
