#include "scenes/cScenePlaceholder.h"

#include "graphics/BackEnd.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"

namespace {

const char* const kNames[kSceneCount] = {"TITLE", "WORLD MAP", "WORLD MAP MENU", "WORLD SELECT", "STAGE", "OPTION"};

}  // namespace

cScenePlaceholder::cScenePlaceholder(int id) : m_nId(id)
{
    SetStates<cScenePlaceholder>(
        {&cScenePlaceholder::StateFadeIn, &cScenePlaceholder::StateWait, &cScenePlaceholder::StateFadeOut});
}

void cScenePlaceholder::Main()
{
    RunFrame(3);
}

void cScenePlaceholder::Init()
{
    m_nSubState = 0;
}

void cScenePlaceholder::Show()
{
    if (!bDDReady.load()) {
        return;
    }
    DDFillSurfacePal(&BackBuffer, 16);
    if (FontTable[Font16].CellHeight() > 0) {
        FontTable[Font16].Printf(&BackBuffer, 32, 32, "%s", kNames[m_nId]);
    }
    SceneFlow().CyclePalette();
}

void cScenePlaceholder::FadeIn()
{
    Show();
    FadeInStep();
}

void cScenePlaceholder::StateWait()
{
    Show();
    if (Input[0].wButton & 1) {
        cSceneFlow& flow = SceneFlow();
        flow.m_nNextScene = m_nId == SCENE_TITLE ? SCENE_STAGE : SCENE_TITLE;
        m_nState = 2;
    }
}

void cScenePlaceholder::FadeOut()
{
    if (FadeOutStep()) {
        LeaveScreen(m_nId);
    }
}
