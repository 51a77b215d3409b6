#include "scene/loader/engine_classes.h"

namespace coilrun::scene {

ClassRegistry coilrunClasses() {
    ClassRegistry registry;
    registerObjectClasses(registry);
    registerHudClasses(registry);
    return registry;
}

} // namespace coilrun::scene
