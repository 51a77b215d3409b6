#include "engine/sound/behaviour_removal.h"

namespace coilrun::engine {

std::unique_ptr<TGLBehaviour> takeBehaviour(TGLBaseSceneObject& owner,
                                            const TGLBaseBehaviour& behaviour) {
    // The object offers no way to remove a behaviour yet; its list is only handed out
    // read-only. The object itself is not const, so changing the list through it is
    // sound. To be replaced by a removal call on the object once it has one.
    auto& list = const_cast<std::vector<std::unique_ptr<TGLBehaviour>>&>(owner.behaviours());
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->get() == &behaviour) {
            std::unique_ptr<TGLBehaviour> out = std::move(*it);
            list.erase(it);
            return out;
        }
    }
    return nullptr;
}

} // namespace coilrun::engine
