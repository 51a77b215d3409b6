#include "engine/objects/material_library.h"

#include <algorithm>

namespace coilrun::engine {

TGLLibMaterial::TGLLibMaterial(TGLMaterialLibrary& library)
    : library_(library), material_(this), textureOffset_(this, {0, 0, 0, 0}),
      textureScale_(this, {1, 1, 1, 0}) {
    material_.ownerLibMaterial_ = this;
}

void TGLLibMaterial::setName(const std::string& name) {
    if (name_ == name) return;
    name_ = name;
    library_.structureChanged();
}

bool TGLLibMaterial::hasTextureMatrix() const {
    return textureOffset_.asAffine() != Vec3{0, 0, 0} || textureScale_.asAffine() != Vec3{1, 1, 1};
}

void TGLLibMaterial::notifyChange(const void*) {
    library_.entryChanged();
}

TGLMaterialLibrary::~TGLMaterialLibrary() {
    // Users keep their own settings once the library is gone. Entries' own
    // materials go with us and need no news.
    std::vector<TGLMaterial*> users;
    users.swap(users_);
    notifying_ = true;
    for (TGLMaterial* m : users) {
        m->library_ = nullptr;
        if (!m->ownerLibMaterial_ || &m->ownerLibMaterial_->library() != this) m->changed();
    }
}

TGLLibMaterial& TGLMaterialLibrary::add(const std::string& name) {
    materials_.push_back(std::make_unique<TGLLibMaterial>(*this));
    TGLLibMaterial& entry = *materials_.back();
    entry.name_ = name;
    structureChanged();
    return entry;
}

bool TGLMaterialLibrary::remove(const std::string& name) {
    const auto it = std::find_if(materials_.begin(), materials_.end(),
                                 [&](const auto& e) { return e->name() == name; });
    if (it == materials_.end()) return false;
    materials_.erase(it);
    structureChanged();
    return true;
}

TGLLibMaterial* TGLMaterialLibrary::libMaterialByName(const std::string& name) {
    for (auto& e : materials_)
        if (e->name() == name) return e.get();
    return nullptr;
}

const TGLLibMaterial* TGLMaterialLibrary::libMaterialByName(const std::string& name) const {
    for (const auto& e : materials_)
        if (e->name() == name) return e.get();
    return nullptr;
}

void TGLMaterialLibrary::entryChanged() {
    // Entries may name other entries of this library: their news comes back here.
    if (notifying_) return;
    notifying_ = true;
    const auto users = users_;
    for (TGLMaterial* m : users)
        m->changed();
    notifying_ = false;
}

void TGLMaterialLibrary::structureChanged() {
    ++version_;
    entryChanged();
}

} // namespace coilrun::engine
