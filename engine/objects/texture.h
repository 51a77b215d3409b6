#pragma once
#include "engine/objects/component.h"
#include "engine/platform/image.h"
#include "engine/render/gl_objects.h"

#include <cstdint>
#include <functional>

namespace coilrun::engine {

enum class TGLTextureMode { tmDecal, tmModulate, tmBlend, tmReplace };
enum class TGLTextureWrap { twBoth, twNone, twVertical, twHorizontal };
enum class TGLTextureFilter { tfNearest, tfLinear };

// A picture that a material puts on its faces. It holds the image in memory, or a
// source that makes it when it is wanted; the renderer uploads it to a GL texture
// when first drawn and again after every change (the version tells it when).
// Disabled until enabled.
class TGLTexture {
public:
    explicit TGLTexture(UpdateOwner* owner = nullptr);
    TGLTexture(const TGLTexture&) = delete;
    TGLTexture& operator=(const TGLTexture&) = delete;

    bool enabled() const { return !disabled_; }
    bool disabled() const { return disabled_; }
    void setDisabled(bool disabled);
    void setEnabled(bool enabled) { setDisabled(!enabled); }

    // Rows top-down, 0xAARRGGBB. Width and height need not be powers of two. Made
    // from the source, if there is one, when it is not held.
    const platform::Image& image() const;
    void setImage(const platform::Image& image);
    void setImage(platform::Image&& image);
    // A picture made only when it is drawn (and again whenever it is wanted after
    // releaseImage): the texture holds no pixels until then.
    void setImageSource(std::function<platform::Image()> source);
    bool hasImage() const { return !image_.empty() || bool(source_); }
    // Lets the pixels go once they are uploaded, where the source can make them again:
    // on a software GL the driver's copy is in memory too.
    void releaseImage() const;

    TGLTextureMode textureMode() const { return mode_; }
    void setTextureMode(TGLTextureMode mode);
    TGLTextureWrap textureWrap() const { return wrap_; }
    void setTextureWrap(TGLTextureWrap wrap);
    TGLTextureFilter filter() const { return filter_; }
    void setFilter(TGLTextureFilter filter);

    // What the renderer keys the uploaded texture by, in every context.
    const GlObjectOwner& glObjectOwner() const { return glOwner_; }
    // Grows with every change of the image or its sampling.
    std::uint64_t version() const { return version_; }

    void assign(const TGLTexture& other);

private:
    void changed(bool contents);

    UpdateOwner* owner_;
    bool disabled_ = true;
    mutable platform::Image image_;
    std::function<platform::Image()> source_;
    TGLTextureMode mode_ = TGLTextureMode::tmModulate;
    TGLTextureWrap wrap_ = TGLTextureWrap::twBoth;
    TGLTextureFilter filter_ = TGLTextureFilter::tfLinear;
    GlObjectOwner glOwner_;
    std::uint64_t version_ = 1;
};

} // namespace coilrun::engine
