#include "PlayHarness.h"

#include <cstring>

#include "GameGlobals.h"
#include "core/Paths.h"
#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "objects/StageObjects.h"
#include "platform/win/Time.h"
#include "project/DefinitionContextFill.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "stage/PlayStateFile.h"
#include "stage/StageShellFlags.h"

namespace testsupport {
namespace {

// The system sounds of a game.
constexpr std::size_t kSilentSoundSlots = 17;

// FNV-1a over the bytes of the values fed in.
class Digester {
public:
    template <class T>
    void Add(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) {
            m_hash = (m_hash ^ b) * 1099511628211ULL;
        }
    }
    std::uint64_t Value() const { return m_hash; }

private:
    std::uint64_t m_hash = 14695981039346656037ULL;
};

CharaState StateOf(const cCharaBase& chara)
{
    CharaState s;
    s.source = chara.source;
    s.faction = chara.faction;
    s.x = chara.x;
    s.y = chara.y;
    s.right = chara.right;
    s.bottom = chara.bottom;
    s.vx = chara.vx;
    s.vy = chara.vy;
    s.hp = chara.hp;
    s.sp = chara.sp;
    s.facing = chara.facing;
    s.dying = chara.dying;
    s.active = chara.active;
    s.acts = chara.actsThisFrame;
    return s;
}

void AddChara(Digester& d, const cCharaBase& chara)
{
    const CharaState s = StateOf(chara);
    d.Add(s.source);
    d.Add(s.faction);
    d.Add(s.x);
    d.Add(s.y);
    d.Add(s.right);
    d.Add(s.bottom);
    d.Add(s.vx);
    d.Add(s.vy);
    d.Add(s.hp);
    d.Add(s.sp);
    d.Add(s.facing);
    d.Add(s.dying);
    d.Add(s.active);
    d.Add(s.acts);
    d.Add(chara.anime.GetFrame());
    for (int i = 0; i < 4; ++i) {
        d.Add(chara.LRUD[i]);
    }
}

}  // namespace

void ScriptedFlow::UpdateInput(cVector<cInput>& input)
{
    ++m_nPolls;
    cPadScript::Apply(input[0], m_script.Next());
}

void ScriptedFlow::SetScript(std::vector<PadFrame> script)
{
    std::vector<int> masks;
    masks.reserve(script.size());
    for (const PadFrame& frame : script) {
        masks.push_back(cPadScript::MaskOf(frame.dir, frame.buttons));
    }
    m_script.SetMasks(std::move(masks));
    m_nPolls = 0;
}

bool ScriptedFlow::SetScriptText(std::string_view text)
{
    m_nPolls = 0;
    return m_script.Parse(text);
}

PlayHarness::PlayHarness(const GameSpec& spec)
{
    UseVirtualClock(true, 0);
    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    const auto& root = m_folder.Root();
    WriteDatabases(root, spec.database);
    WriteSystemData(root, spec.systemData);
    WriteCommonPalette(root, spec.commonPalette);
    WriteStages(root, spec.stages);

    ResetGameGlobals();
    // Silent sound slots, as a start-up without sound hardware leaves them: the menus' cursor
    // sound plays slot 0 directly.
    SoundTable.resize(kSilentSoundSlots);
    SetSceneFlow(&m_flow);
    m_flow.m_nScene = SCENE_STAGE;
    m_flow.m_nFadeSpeed = 10;

    m_bLoaded = Database.Load() != 0;
    if (m_bLoaded) {
        BuildDerivedTables();
        m_bLoaded = SystemData.LoadFile(PathTable[35].c_str()) != 0;
    }
    if (m_bLoaded) {
        FillDefinitionContext(0);
        m_bLoaded = CommonPalette.LoadFile(PathTable[7].c_str()) != 0;
    }
    if (m_bLoaded && !spec.stages.empty()) {
        m_bLoaded = LoadStage(spec.stages.front().path.c_str(), 1, &StageBackup) != 0;
    }
}

PlayHarness::~PlayHarness()
{
    m_scene.reset();
    SetSceneFlow(nullptr);
    ResetGameGlobals();
    UseVirtualClock(false);
    bRemoveCR = 0;
}

bool PlayHarness::Enter()
{
    m_scene.reset();
    m_digests.clear();
    m_scene = std::make_unique<cSceneStage>();
    m_scene->Main();
    if (m_scene->IsFailed()) {
        return false;
    }
    if (m_scene->m_nState == STAGESTATE_FADEIN) {
        m_scene->m_nState = STAGESTATE_START;
    }
    return true;
}

void PlayHarness::RunFrames(int n)
{
    for (int i = 0; i < n && m_scene; ++i) {
        m_flow.UpdateInput(Input);
        const int fps = Stage.m_nFps > 0 ? Stage.m_nFps : 60;
        AdvanceVirtualClock(static_cast<DWORD>(1000 / fps));
        m_scene->Main();
        m_digests.push_back(Digest());
    }
}

bool PlayHarness::RunUntilState(int nState, int nMax)
{
    for (int i = 0; i < nMax; ++i) {
        if (m_scene->m_nState == nState) {
            return true;
        }
        RunFrames(1);
    }
    return m_scene->m_nState == nState;
}

std::string PlayHarness::StateJson() const
{
    return PlayStateJson(m_flow.m_nScene);
}

CharaState PlayHarness::PlayerState()
{
    return Player.empty() ? CharaState{} : StateOf(Player.data()[P1]);
}

std::vector<CharaState> PlayHarness::CharaStates()
{
    std::vector<CharaState> states;
    for (const cChara& chara : CharaList) {
        states.push_back(StateOf(chara));
    }
    return states;
}

std::uint64_t PlayHarness::Digest() const
{
    return DigestOf(m_scene.get());
}

std::uint64_t PlayHarness::DigestOf(const cSceneStage* scene)
{
    Digester d;
    if (scene != nullptr) {
        const cSceneStage& s = *scene;
        d.Add(s.m_nState);
        d.Add(s.m_nSubState);
        d.Add(s.m_nFrame);
        d.Add(s.m_nSubStepTotal);
        d.Add(s.m_nResult);
        d.Add(s.m_nBannerCount);
        d.Add(s.m_nBannerCount2);
        d.Add(s.m_bButtonLatch);
        d.Add(s.m_nTime);
        d.Add(s.m_nSeed);
        d.Add(s.m_ScrollX.dPos);
        d.Add(s.m_ScrollY.dPos);
        d.Add(s.m_ScrollX.bAtLimit);
        d.Add(s.m_ScrollY.bAtLimit);
        for (std::int32_t v : s.m_StageVar) {
            d.Add(v);
        }
    }
    for (const cPlayer& player : Player) {
        AddChara(d, player);
    }
    for (const cChara& chara : CharaList) {
        AddChara(d, chara);
    }
    for (const MAPCELL& cell : StageMap) {
        d.Add(cell.m_nGraphic);
        d.Add(cell.m_nHitKind);
    }
    return d.Value();
}

}  // namespace testsupport
