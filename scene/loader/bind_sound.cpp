// How the scene file sets up the sound library and the wave outputs. The
// samples come from the program's embedded assets, by their names.
#include "engine/objects/base_scene_object.h"
#include "engine/sound/sm_wave_out.h"
#include "engine/sound/sound_context.h"
#include "engine/sound/sound_library.h"
#include "engine/time/cadencer.h"
#include "scene/assets/embedded_assets.h"
#include "scene/loader/engine_classes.h"
#include "scene/loader/property_setters.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

using namespace engine;

void registerSoundClasses(ClassRegistry& r) {
    r.addClass<TGLSoundLibrary>("TGLSoundLibrary", "",
                                [](LoadContext&) { return std::make_unique<TGLSoundLibrary>(); });
    prop<TGLSoundLibrary>(
        r, "TGLSoundLibrary", "Samples",
        [](TGLSoundLibrary& lib, const Property& p, LoadContext& x) {
            for (const std::string& name : x.strings(p))
                lib.samples().add(name, std::shared_ptr<const TGLWAVFile>(embeddedSample(name)));
        });

    r.addClass<TGLSoundManager>("TGLSoundManager", "", nullptr);
    using M = TGLSoundManager;
    const char* m = "TGLSoundManager";
    boolProp<M>(r, m, "Active", &M::setActive);
    intProp<M>(r, m, "MaxChannels", &M::setMaxChannels);
    floatProp<M>(r, m, "MasterVolume", &M::setMasterVolume);
    prop<M>(r, m, "Listener", [](M& o, const Property& p, LoadContext& x) {
        o.setListener(&x.reference<TGLBaseSceneObject>(p));
    });
    prop<M>(r, m, "Cadencer", [](M& o, const Property& p, LoadContext& x) {
        o.setCadencer(&x.reference<engine::TGLCadencer>(p));
    });
    floatProp<M>(r, m, "DistanceFactor", &M::setDistanceFactor);
    floatProp<M>(r, m, "DopplerFactor", &M::setDopplerFactor);
    floatProp<M>(r, m, "RollOffFactor", &M::setRollOffFactor);
    floatProp<M>(r, m, "UpdateFrequency", &M::setUpdateFrequency);
    r.addLoaded<M>(m, [](M& o, LoadContext&) { o.endLoading(); });

    r.addClass<TGLSMWaveOut, TGLSoundManager>(
        "TGLSMWaveOut", "TGLSoundManager", [](LoadContext& x) {
            auto out =
                std::make_unique<TGLSMWaveOut>(x.service<SoundContext>(), x.platform().audio());
            out->beginLoading();
            return out;
        });
}

} // namespace coilrun::scene
