// Cost of one play frame with 1000 shots in flight against 100 characters at the default speed
// level 10 (ten sub-steps a frame): every shot's bookkeeping, homing (a third fly straight, a
// third chase the hero, a third swing in a wave), movement, off-screen and block tests. The
// stage is written and loaded through the test harness's play harness; shots that leave are
// replaced before the next frame (outside the timing). BM_ShotsInFlight reports the time per
// frame and "share_pct", that time as a percentage of the 16.7 ms of a frame at 60 frames a
// second (goal: under 10). Build with -DCMAKE_BUILD_TYPE=Release and without sanitizers for
// meaningful numbers.
#include <benchmark/benchmark.h>

#include "PlayFrameBench.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/cShot.h"

namespace {

constexpr int kCharacters = 100;
constexpr int kShots = 1000;

// Tops the stage up to kShots shots fired by the characters in turn, in every direction.
void TopUp(cSceneStage& scene)
{
    static const int kHoming[3] = {0, 4, 8};
    int n = static_cast<int>(scene.m_ShotList.size());
    auto owner = CharaList.begin();
    while (n < kShots && !CharaList.empty()) {
        cEdShot def;
        def.m_bOwnerFaction = 1;
        def.m_nBlockMode = 1;
        def.m_nSpeed = 10;
        def.m_nAimKind = static_cast<std::int8_t>(kHoming[n % 3]);
        def.m_nAimParam[0] = def.m_nAimKind == 8 ? 1 : 0;
        def.m_nAimParam[1] = def.m_nAimKind == 8 ? 10 : 30;
        SHOTLAUNCH launch;
        launch.speed = 1.0;
        VelocityFromAngle(launch, (n * 37) % 360);
        launch.x = static_cast<int>(owner->x);
        launch.y = static_cast<int>(owner->y);
        cShot shot;
        shot.Init(scene.m_nShotSerial++, *owner, SHOTCMD_SHOT, def, launch);
        AddShotObject(scene.m_ShotList, shot);
        ++n;
        if (++owner == CharaList.end()) {
            owner = CharaList.begin();
        }
    }
}

void BM_ShotsInFlight(benchmark::State& state)
{
    double shots = 0.0;
    std::int64_t frames = 0;
    playbench::TimePlayFrames(state, playbench::FlyingCharacters(kCharacters, 20),
                              [&](testsupport::PlayHarness& harness) {
                                  TopUp(harness.Scene());
                                  shots += static_cast<double>(harness.Scene().m_ShotList.size());
                                  ++frames;
                              });
    state.counters["shots"] = frames > 0 ? shots / frames : 0.0;
}
BENCHMARK(BM_ShotsInFlight)->Unit(benchmark::kMicrosecond);

}  // namespace
