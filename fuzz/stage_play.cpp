// fuzz-links: qb_testsupport
// Fuzz target: any bytes given as a stage file of the sample game are refused by the stage loader,
// or loaded, set up and played for a few hundred frames headless (walking right and jumping)
// without a read or write outside any buffer or undefined arithmetic (the sanitizers watch), and
// without a bad index reaching a checked access: play never asks the program to close for data
// that the loader let through.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "SampleGame.h"
#include "core/AppGlobals.h"
#include "core/CheckedAccess.h"
#include "core/FileReadScope.h"
#include "core/ReportLog.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "platform/win/Messages.h"
#include "support/PlayHarness.h"

namespace {

constexpr int kPlayFrames = 300;
constexpr char kStagePath[] = "data\\stg4\\fuzz.stg4_000";

// The sample game, loaded once: its databases, settings and common palette stay for every input.
// The harness lives as long as the process and is never destroyed: its end resets the game's
// globals, which at exit would run after the text converter it needs is gone.
testsupport::PlayHarness& Harness()
{
    static testsupport::PlayHarness* const harness = [] {
        auto made = std::make_unique<testsupport::PlayHarness>(testsupport::SampleGame());
        if (!made->Loaded()) {
            std::fprintf(stderr, "the sample game did not load\n");
            std::abort();
        }
        // Walk right all the time, jump every 16th frame.
        std::vector<testsupport::PadFrame> script;
        for (int i = 0; i < 4 * kPlayFrames; ++i) {
            script.push_back(testsupport::PadFrame{2, static_cast<SHORT>(i % 16 < 8 ? 1 : 0)});
        }
        made->SetScript(std::move(script));
        return made.release();
    }();
    return *harness;
}

// Empties this thread's message queue (the closes that refused stages post).
void DropMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    testsupport::PlayHarness& harness = Harness();
    FILE* fp = std::fopen("data/stg4/fuzz.stg4_000", "wb");
    if (fp == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, fp);
    std::fclose(fp);

    const bool loaded = LoadStage(kStagePath, 0, &StageBackup) != 0;
    DropMessages();
    if (!loaded) {
        return 0;
    }
    FileReadScope play;  // counts every bad index that play reaches
    if (harness.Enter()) {
        harness.RunFrames(kPlayFrames);
    }
    DropMessages();
    if (play.BadIndexCount() != 0) {
        std::fprintf(stderr, "play reached a checked access with a bad index\n");
        std::abort();
    }
    return 0;
}
