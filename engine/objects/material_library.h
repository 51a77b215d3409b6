#pragma once
#include "engine/objects/component.h"
#include "engine/objects/coordinates.h"
#include "engine/objects/material.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace coilrun::engine {

class TGLMaterialLibrary;

// A named material held by a library (a sprite's picture, say).
class TGLLibMaterial final : public UpdateOwner {
public:
    explicit TGLLibMaterial(TGLMaterialLibrary& library);
    TGLLibMaterial(const TGLLibMaterial&) = delete;
    TGLLibMaterial& operator=(const TGLLibMaterial&) = delete;

    TGLMaterialLibrary& library() const { return library_; }
    const std::string& name() const { return name_; }
    void setName(const std::string& name);
    TGLMaterial& material() { return material_; }
    const TGLMaterial& material() const { return material_; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // Applied to the texture coordinates of every face drawn with this entry.
    TGLCoordinates3& textureOffset() { return textureOffset_; }
    const TGLCoordinates3& textureOffset() const { return textureOffset_; }
    TGLCoordinates3& textureScale() { return textureScale_; }
    const TGLCoordinates3& textureScale() const { return textureScale_; }
    bool hasTextureMatrix() const;

    void notifyChange(const void* sender) override;

private:
    friend class TGLMaterialLibrary;
    TGLMaterialLibrary& library_;
    std::string name_;
    TGLMaterial material_;
    int tag_ = 0;
    TGLCoordinates3 textureOffset_;
    TGLCoordinates3 textureScale_;
};

class TGLMaterialLibrary : public TGLComponent {
public:
    TGLMaterialLibrary() = default;
    ~TGLMaterialLibrary() override;
    std::string className() const override { return "TGLMaterialLibrary"; }

    // Adds an entry at the end; names should be unique (lookups find the first).
    TGLLibMaterial& add(const std::string& name);
    // Removes the first entry of that name; false if there is none.
    bool remove(const std::string& name);
    TGLLibMaterial* libMaterialByName(const std::string& name);
    const TGLLibMaterial* libMaterialByName(const std::string& name) const;
    std::size_t count() const { return materials_.size(); }
    TGLLibMaterial& at(std::size_t i) { return *materials_[i]; }

    // Grows whenever an entry is added, removed or renamed.
    std::uint64_t version() const { return version_; }

private:
    friend class TGLMaterial;
    friend class TGLLibMaterial;
    void entryChanged();
    void structureChanged();

    std::vector<std::unique_ptr<TGLLibMaterial>> materials_;
    std::vector<TGLMaterial*> users_; // materials that link to this library
    std::uint64_t version_ = 1;
    bool notifying_ = false;
};

} // namespace coilrun::engine
