// A stand-in for a screen that is not built yet: it fades in, shows a plain screen with its name
// and leaves for the screen chosen by button 1 (the title goes on to the stage play, every other
// screen back to the title). Real screens replace it screen by screen (SetSceneCreator).
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
