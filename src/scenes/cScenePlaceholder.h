// The screen made for an id whose creator is not installed (SetSceneCreator): the program installs
// every screen at start-up, so only tests that drive the scene manager alone meet it. It fades
// in, shows a plain screen with its name and leaves on button 1 (the title for the stage play,
// every other screen for the title).
#pragma once

#include "screenbase/cScene.h"

class cScenePlaceholder : public cScene {
public:
    explicit cScenePlaceholder(int id);

    void Main() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    int Id() const { return m_nId; }

private:
    void StateFadeIn() { FadeIn(); }
    void StateWait();
    void StateFadeOut() { FadeOut(); }
    void Show();

    int m_nId;
};
