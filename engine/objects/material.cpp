#include "engine/objects/material.h"

#include "engine/objects/material_library.h"

#include <algorithm>
#include <stdexcept>

namespace coilrun::engine {

namespace {
// Longer chains than this are treated as broken rather than followed forever.
constexpr int kMaxLibraryHops = 16;
constexpr const char* kCyclicMessage = "Error: Cyclic material reference detected!";
} // namespace

TGLFaceProperties::TGLFaceProperties(UpdateOwner* owner)
    : owner_(owner), ambient_(this, {0.2f, 0.2f, 0.2f, 1}), diffuse_(this, {0.8f, 0.8f, 0.8f, 1}),
      specular_(this, {0, 0, 0, 1}), emission_(this, {0, 0, 0, 1}) {}

void TGLFaceProperties::setShininess(int value) {
    value = std::clamp(value, 0, 128);
    if (shininess_ == value) return;
    shininess_ = value;
    notifyChange(this);
}

void TGLFaceProperties::assign(const TGLFaceProperties& other) {
    ambient_.assign(other.ambient_);
    diffuse_.assign(other.diffuse_);
    specular_.assign(other.specular_);
    emission_.assign(other.emission_);
    setShininess(other.shininess_);
}

void TGLFaceProperties::notifyChange(const void*) {
    if (owner_) owner_->notifyChange(this);
}

TGLMaterial::TGLMaterial(UpdateOwner* owner) : owner_(owner), front_(this) {}

TGLMaterial::~TGLMaterial() {
    setMaterialLibraryLink(nullptr);
}

void TGLMaterial::setMaterialLibraryLink(TGLMaterialLibrary* library) {
    if (library_) {
        auto& users = library_->users_;
        users.erase(std::remove(users.begin(), users.end(), this), users.end());
    }
    library_ = library;
    if (library_) library_->users_.push_back(this);
}

TGLFaceProperties& TGLMaterial::backProperties() {
    if (!back_) back_ = std::make_unique<TGLFaceProperties>(this);
    return *back_;
}

void TGLMaterial::setBlendingMode(TGLBlendingMode mode) {
    if (blendingMode_ == mode) return;
    blendingMode_ = mode;
    changed();
}

void TGLMaterial::setBlendingParams(const TGLBlendingParameters& params) {
    if (blendingParams_ == params) return;
    blendingParams_ = params;
    changed();
}

TGLTexture& TGLMaterial::texture() {
    if (!texture_) texture_ = std::make_unique<TGLTexture>(this);
    return *texture_;
}

void TGLMaterial::setMaterialOptions(const TGLMaterialOptions& options) {
    if (options_ == options) return;
    options_ = options;
    changed();
}

void TGLMaterial::setFaceCulling(TGLFaceCulling culling) {
    if (faceCulling_ == culling) return;
    faceCulling_ = culling;
    changed();
}

void TGLMaterial::setPolygonMode(TGLPolygonMode mode) {
    if (polygonMode_ == mode) return;
    polygonMode_ = mode;
    changed();
}

void TGLMaterial::setDepthProperties(const TGLDepthProperties& depth) {
    if (depth_ == depth) return;
    depth_ = depth;
    changed();
}

void TGLMaterial::checkCycle(const TGLMaterialLibrary* library, const std::string& name) const {
    if (!ownerLibMaterial_ || !library || name.empty()) return;
    const TGLLibMaterial* entry = library->libMaterialByName(name);
    for (int hop = 0; entry && hop < kMaxLibraryHops; ++hop) {
        if (entry == ownerLibMaterial_) throw std::invalid_argument(kCyclicMessage);
        const TGLMaterial& m = entry->material();
        entry = m.library_ ? m.library_->libMaterialByName(m.libMaterialName_) : nullptr;
    }
}

void TGLMaterial::setMaterialLibrary(TGLMaterialLibrary* library) {
    if (library_ == library) return;
    checkCycle(library, libMaterialName_);
    setMaterialLibraryLink(library);
    changed();
}

void TGLMaterial::setLibMaterialName(const std::string& name) {
    if (libMaterialName_ == name) return;
    checkCycle(library_, name);
    libMaterialName_ = name;
    changed();
}

const TGLLibMaterial* TGLMaterial::resolvedLibMaterial() const {
    if (!library_ || libMaterialName_.empty()) return nullptr;
    const TGLLibMaterial* entry = library_->libMaterialByName(libMaterialName_);
    for (int hop = 0; entry && hop < kMaxLibraryHops; ++hop) {
        const TGLMaterial& m = entry->material();
        const TGLLibMaterial* next = m.library_ && !m.libMaterialName_.empty()
                                         ? m.library_->libMaterialByName(m.libMaterialName_)
                                         : nullptr;
        if (!next) return entry;
        entry = next;
    }
    return entry;
}

const TGLMaterial& TGLMaterial::effective() const {
    const TGLLibMaterial* entry = resolvedLibMaterial();
    return entry ? entry->material() : *this;
}

void TGLMaterial::assign(const TGLMaterial& other) {
    front_.assign(other.front_);
    if (other.back_)
        backProperties().assign(*other.back_);
    else
        back_.reset();
    blendingMode_ = other.blendingMode_;
    blendingParams_ = other.blendingParams_;
    if (other.texture_)
        texture().assign(*other.texture_);
    else
        texture_.reset();
    options_ = other.options_;
    faceCulling_ = other.faceCulling_;
    polygonMode_ = other.polygonMode_;
    depth_ = other.depth_;
    checkCycle(other.library_, other.libMaterialName_);
    setMaterialLibraryLink(other.library_);
    libMaterialName_ = other.libMaterialName_;
    changed();
}

void TGLMaterial::notifyChange(const void*) {
    changed();
}

} // namespace coilrun::engine
