#include "scenes/SceneFactory.h"

#include <new>

#include "scenes/cScenePlaceholder.h"

namespace {

template <int Id>
cScene* CreatePlaceholder()
{
    return new (std::nothrow) cScenePlaceholder(Id);
}

constexpr SceneCreator kPlaceholders[kSceneCount] = {CreatePlaceholder<0>, CreatePlaceholder<1>, CreatePlaceholder<2>,
                                                     CreatePlaceholder<3>, CreatePlaceholder<4>, CreatePlaceholder<5>};

SceneCreator g_creators[kSceneCount] = {CreatePlaceholder<0>, CreatePlaceholder<1>, CreatePlaceholder<2>,
                                        CreatePlaceholder<3>, CreatePlaceholder<4>, CreatePlaceholder<5>};

}  // namespace

void SetSceneCreator(int id, SceneCreator creator)
{
    if (id >= 0 && id < kSceneCount) {
        g_creators[id] = creator != nullptr ? creator : kPlaceholders[id];
    }
}

cScene* CreateScene(int id)
{
    if (id < 0 || id >= kSceneCount) {
        return nullptr;
    }
    return g_creators[id]();
}
