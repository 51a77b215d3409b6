#pragma once
#include "engine/objects/color.h"
#include "engine/objects/component.h"
#include "engine/objects/texture.h"

#include <memory>
#include <string>

namespace coilrun::engine {

class TGLLibMaterial;
class TGLMaterialLibrary;

enum class TGLBlendingMode {
    bmOpaque,
    bmTransparency,
    bmAdditive,
    bmAlphaTest50,
    bmAlphaTest100,
    bmModulate,
    bmCustom
};

// Whether objects of this mode go to the sorted, drawn-last group. The alpha-test
// modes write depth like opaque ones and so count as opaque.
constexpr bool isBlendedMode(TGLBlendingMode m) {
    return m == TGLBlendingMode::bmTransparency || m == TGLBlendingMode::bmAdditive ||
           m == TGLBlendingMode::bmModulate || m == TGLBlendingMode::bmCustom;
}

enum class TGLFaceCulling { fcBufferDefault, fcCull, fcNoCull };
enum class TGLPolygonMode { pmFill, pmLines, pmPoints };

struct TGLMaterialOptions {
    bool moIgnoreFog = false;
    bool moNoLighting = false;
    bool operator==(const TGLMaterialOptions&) const = default;
};

enum class TGLBlendFunction {
    bfZero,
    bfOne,
    bfSrcColor,
    bfOneMinusSrcColor,
    bfDstColor,
    bfOneMinusDstColor,
    bfSrcAlpha,
    bfOneMinusSrcAlpha,
    bfDstAlpha,
    bfOneMinusDstAlpha,
    bfSrcAlphaSat
};
enum class TGLAlphaFunc {
    cfNever,
    cfLess,
    cfEqual,
    cfLEqual,
    cfGreater,
    cfNotEqual,
    cfGEqual,
    cfAlways
};

// How bmCustom blends and alpha-tests.
struct TGLBlendingParameters {
    bool useAlphaFunc = true;
    TGLAlphaFunc alphaFunction = TGLAlphaFunc::cfGreater;
    float alphaFuncRef = 0;
    bool useBlendFunc = true;
    TGLBlendFunction blendFuncSFactor = TGLBlendFunction::bfSrcAlpha;
    TGLBlendFunction blendFuncDFactor = TGLBlendFunction::bfOneMinusSrcAlpha;
    bool operator==(const TGLBlendingParameters&) const = default;
};

struct TGLDepthProperties {
    bool depthTest = true;
    bool depthWrite = true;
    bool operator==(const TGLDepthProperties&) const = default;
};

// The lighting colours of one side of the faces.
class TGLFaceProperties final : public UpdateOwner {
public:
    explicit TGLFaceProperties(UpdateOwner* owner);
    TGLFaceProperties(const TGLFaceProperties&) = delete;
    TGLFaceProperties& operator=(const TGLFaceProperties&) = delete;

    TGLColor& ambient() { return ambient_; }
    TGLColor& diffuse() { return diffuse_; }
    TGLColor& specular() { return specular_; }
    TGLColor& emission() { return emission_; }
    const TGLColor& ambient() const { return ambient_; }
    const TGLColor& diffuse() const { return diffuse_; }
    const TGLColor& specular() const { return specular_; }
    const TGLColor& emission() const { return emission_; }
    // 0..128 (the range OpenGL accepts); values outside are clamped.
    int shininess() const { return shininess_; }
    void setShininess(int value);

    void assign(const TGLFaceProperties& other);
    void notifyChange(const void* sender) override;

private:
    UpdateOwner* owner_;
    TGLColor ambient_, diffuse_, specular_, emission_;
    int shininess_ = 0;
};

// The look of a material-bearing object. When it names an entry of a material
// library, that entry is drawn instead of the settings here (see effective()).
class TGLMaterial : public UpdateOwner {
public:
    explicit TGLMaterial(UpdateOwner* owner);
    TGLMaterial(const TGLMaterial&) = delete;
    TGLMaterial& operator=(const TGLMaterial&) = delete;
    ~TGLMaterial();

    TGLFaceProperties& frontProperties() { return front_; }
    const TGLFaceProperties& frontProperties() const { return front_; }
    // Created on first use with the front defaults.
    TGLFaceProperties& backProperties();
    const TGLFaceProperties* backPropertiesIfAny() const { return back_.get(); }

    TGLBlendingMode blendingMode() const { return blendingMode_; }
    void setBlendingMode(TGLBlendingMode mode);
    const TGLBlendingParameters& blendingParams() const { return blendingParams_; }
    void setBlendingParams(const TGLBlendingParameters& params);

    // Created on first use (disabled).
    TGLTexture& texture();
    const TGLTexture* textureIfAny() const { return texture_.get(); }

    const TGLMaterialOptions& materialOptions() const { return options_; }
    void setMaterialOptions(const TGLMaterialOptions& options);
    TGLFaceCulling faceCulling() const { return faceCulling_; }
    void setFaceCulling(TGLFaceCulling culling);
    TGLPolygonMode polygonMode() const { return polygonMode_; }
    void setPolygonMode(TGLPolygonMode mode);
    const TGLDepthProperties& depthProperties() const { return depth_; }
    void setDepthProperties(const TGLDepthProperties& depth);

    TGLMaterialLibrary* materialLibrary() const { return library_; }
    // Throws std::invalid_argument("Error: Cyclic material reference detected!") when
    // the current name would then lead back to the library material owning this one.
    void setMaterialLibrary(TGLMaterialLibrary* library);
    const std::string& libMaterialName() const { return libMaterialName_; }
    // A name the library does not hold leaves the object with its own settings.
    // Throws std::invalid_argument("Error: Cyclic material reference detected!") (and
    // keeps the old name) when the entry would lead back to the library material
    // that owns this material.
    void setLibMaterialName(const std::string& name);

    // The library entry this material is drawn with, or null. Follows chains of
    // entries that name further entries.
    const TGLLibMaterial* resolvedLibMaterial() const;
    // The material whose settings are drawn: the resolved library entry's, or this.
    const TGLMaterial& effective() const;
    bool blended() const { return isBlendedMode(effective().blendingMode_); }

    // Copies every setting but the owner links.
    void assign(const TGLMaterial& other);

    void notifyChange(const void* sender) override;

private:
    friend class TGLLibMaterial;
    friend class TGLMaterialLibrary;
    void checkCycle(const TGLMaterialLibrary* library, const std::string& name) const;
    void setMaterialLibraryLink(TGLMaterialLibrary* library);
    void changed() {
        if (owner_) owner_->notifyChange(this);
    }

    UpdateOwner* owner_;
    const TGLLibMaterial* ownerLibMaterial_ = nullptr; // set when this is an entry's material
    TGLFaceProperties front_;
    std::unique_ptr<TGLFaceProperties> back_;
    TGLBlendingMode blendingMode_ = TGLBlendingMode::bmOpaque;
    TGLBlendingParameters blendingParams_;
    std::unique_ptr<TGLTexture> texture_;
    TGLMaterialOptions options_;
    TGLFaceCulling faceCulling_ = TGLFaceCulling::fcBufferDefault;
    TGLPolygonMode polygonMode_ = TGLPolygonMode::pmFill;
    TGLDepthProperties depth_;
    TGLMaterialLibrary* library_ = nullptr;
    std::string libMaterialName_;
};

} // namespace coilrun::engine
