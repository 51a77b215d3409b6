#include "scene/authored/load_authored_scene.h"

#include "scene/authored/authored_scene.h"
#include "scene/loader/engine_classes.h"

namespace coilrun::scene {

LoadedScene loadAuthoredScene(platform::Platform& platform, AuthoredSceneServices& services,
                              const HandlerTable& handlers) {
    const ClassRegistry registry = coilrunClasses();
    LoadContext ctx(&platform, &handlers);
    ctx.provide(services.pump);
    ctx.provide(services.fonts);
    ctx.provide(services.sound);
    ctx.provide(services.viewer);
    return loadScene(authoredSceneText(), registry, ctx);
}

} // namespace coilrun::scene
