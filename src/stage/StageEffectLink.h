// The stage-play screen's side of the effect commands (objects/IEffectStage.h): a link that
// serves them from the running screen (lpSceneStage). The screen installs it in lpEffectStage for
// as long as it exists. Game thread.
#pragma once

#include "objects/IEffectStage.h"

// The one link object (never null).
IEffectStage* StageEffectLink();
