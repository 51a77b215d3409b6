#include "engine/objects/light_source.h"

namespace coilrun::engine {

TGLLightSource::TGLLightSource()
    : ambient_(this, {0, 0, 0, 1}), diffuse_(this, {1, 1, 1, 1}), specular_(this, {0, 0, 0, 1}),
      spotDirection_(this, {0, 0, -1, 0}) {}

void TGLLightSource::setSpotCutOff(float v) {
    if ((v >= 0 && v <= 90) || v == 180) setAndRedraw(spotCutOff_, v);
}

} // namespace coilrun::engine
