#include "input/ReplayFileName.h"

#include "core/Paths.h"
#include "core/TextHelpers.h"
#include "input/cReplay.h"
#include "platform/win/Files.h"

namespace {

constexpr int kNumbers = 100;

// The replay path of number n for the numbered name base ("user_data\rpl4\abc.rpl4_720").
std::string Numbered(const std::string& base, int n)
{
    std::string out(MAX_PATH, '\0');
    InsertFileNumber(out.data(), base.c_str(), n / 10, n % 10);
    ResyncStr(out);
    return out;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::string ProposeReplayFileName(const std::string& stageName)
{
    if (stageName.empty() || stageName.size() >= MAX_PATH) {
        return "";
    }
    std::string name(MAX_PATH, '\0');
    if (!ChangeExtension(name.data(), stageName.c_str(), kReplayExtension)) {
        ResyncStr(name);
        name += std::string(".") + kReplayExtension;
    }
    ResyncStr(name);
    StripDirectory(name.data());
    ResyncStr(name);
    const std::string base = kReplayFolder + name;

    bool taken[kNumbers] = {};
    int highest = -1;
    for (int n = 0; n < kNumbers; ++n) {
        taken[n] = Exists(Numbered(base, n));
        highest = taken[n] ? n : highest;
    }
    int chosen = highest + 1;
    if (chosen >= kNumbers) {
        chosen = kNumbers - 1;
        for (int n = 0; n < kNumbers; ++n) {
            if (!taken[n]) {
                chosen = n;
                break;
            }
        }
    }
    std::string proposal = Numbered(base, chosen);
    StripDirectory(proposal.data());
    ResyncStr(proposal);
    return proposal;
}
