#include "engine/objects/texture.h"

namespace coilrun::engine {

TGLTexture::TGLTexture(UpdateOwner* owner) : owner_(owner) {}

void TGLTexture::changed(bool contents) {
    if (contents) ++version_;
    if (owner_) owner_->notifyChange(this);
}

void TGLTexture::setDisabled(bool disabled) {
    if (disabled_ == disabled) return;
    disabled_ = disabled;
    changed(false);
}

const platform::Image& TGLTexture::image() const {
    if (image_.empty() && source_) image_ = source_();
    return image_;
}

void TGLTexture::setImage(const platform::Image& image) {
    image_ = image;
    source_ = nullptr;
    changed(true);
}

void TGLTexture::setImage(platform::Image&& image) {
    image_ = std::move(image);
    source_ = nullptr;
    changed(true);
}

void TGLTexture::setImageSource(std::function<platform::Image()> source) {
    source_ = std::move(source);
    image_ = {};
    changed(true);
}

void TGLTexture::releaseImage() const {
    if (source_) image_ = {};
}

void TGLTexture::setTextureMode(TGLTextureMode mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    changed(false);
}

void TGLTexture::setTextureWrap(TGLTextureWrap wrap) {
    if (wrap_ == wrap) return;
    wrap_ = wrap;
    changed(true);
}

void TGLTexture::setFilter(TGLTextureFilter filter) {
    if (filter_ == filter) return;
    filter_ = filter;
    changed(true);
}

void TGLTexture::assign(const TGLTexture& other) {
    disabled_ = other.disabled_;
    image_ = other.image_;
    source_ = other.source_;
    mode_ = other.mode_;
    wrap_ = other.wrap_;
    filter_ = other.filter_;
    changed(true);
}

} // namespace coilrun::engine
