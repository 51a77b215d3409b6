#pragma once
#include "engine/objects/base_scene_object.h"

#include <memory>

namespace coilrun::engine {

// Takes behaviour off owner's Behaviours and hands it back; null when owner does
// not hold it. Must not be called while owner is walking its behaviours.
std::unique_ptr<TGLBehaviour> takeBehaviour(TGLBaseSceneObject& owner,
                                            const TGLBaseBehaviour& behaviour);

} // namespace coilrun::engine
