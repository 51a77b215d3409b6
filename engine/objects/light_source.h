#pragma once
#include "engine/objects/base_scene_object.h"
#include "engine/objects/color.h"

namespace coilrun::engine {

enum class TGLLightStyle { lsSpot, lsOmni, lsParallel };

// A light that shines from its absolute position (lsParallel: along its
// SpotDirection, from infinitely far). The renderer maps shining lights onto
// the OpenGL lights in tree order.
class TGLLightSource : public TGLBaseSceneObject {
public:
    TGLLightSource();
    std::string className() const override { return "TGLLightSource"; }

    bool shining() const { return shining_; }
    void setShining(bool on) { setAndRedraw(shining_, on); }
    TGLLightStyle lightStyle() const { return lightStyle_; }
    void setLightStyle(TGLLightStyle s) { setAndRedraw(lightStyle_, s); }
    TGLColor& ambient() { return ambient_; }
    TGLColor& diffuse() { return diffuse_; }
    TGLColor& specular() { return specular_; }
    const TGLColor& ambient() const { return ambient_; }
    const TGLColor& diffuse() const { return diffuse_; }
    const TGLColor& specular() const { return specular_; }
    float constAttenuation() const { return constAttenuation_; }
    void setConstAttenuation(float v) { setAndRedraw(constAttenuation_, v); }
    float linearAttenuation() const { return linearAttenuation_; }
    void setLinearAttenuation(float v) { setAndRedraw(linearAttenuation_, v); }
    float quadraticAttenuation() const { return quadraticAttenuation_; }
    void setQuadraticAttenuation(float v) { setAndRedraw(quadraticAttenuation_, v); }
    // Degrees; only 0..90 or exactly 180 (no cone) are accepted, others ignored.
    float spotCutOff() const { return spotCutOff_; }
    void setSpotCutOff(float v);
    float spotExponent() const { return spotExponent_; }
    void setSpotExponent(float v) { setAndRedraw(spotExponent_, v); }
    // In the light's own frame.
    TGLCoordinates3& spotDirection() { return spotDirection_; }
    const TGLCoordinates3& spotDirection() const { return spotDirection_; }

private:
    bool shining_ = true;
    TGLLightStyle lightStyle_ = TGLLightStyle::lsSpot;
    TGLColor ambient_;
    TGLColor diffuse_;
    TGLColor specular_;
    float constAttenuation_ = 1;
    float linearAttenuation_ = 0;
    float quadraticAttenuation_ = 0;
    float spotCutOff_ = 180;
    float spotExponent_ = 0;
    TGLCoordinates3 spotDirection_;
};

} // namespace coilrun::engine
