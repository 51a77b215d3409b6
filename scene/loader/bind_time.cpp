// How the scene file sets up the cadencers and the timers of the game window.
// Handlers are found by name in the table the window gives the loader.
#include "engine/objects/scene.h"
#include "engine/time/async_timer.h"
#include "engine/time/cadencer.h"
#include "engine/time/timer.h"
#include "scene/loader/engine_classes.h"
#include "scene/loader/enum_names.h"
#include "scene/loader/property_setters.h"

namespace coilrun::scene {

COILRUN_ENUM_NAMES(engine::TGLCadencerMode, "cmManual", "cmASAP", "cmApplicationIdle");
COILRUN_ENUM_NAMES(engine::TGLCadencerTimeReference, "cmRTC", "cmPerformanceCounter", "cmExternal");

void registerTimeClasses(ClassRegistry& r) {
    r.addClass<engine::TGLCadencer>("TGLCadencer", "", [](LoadContext& x) {
        auto c = std::make_unique<engine::TGLCadencer>(x.service<engine::CadencerPump>());
        c->beginLoading();
        return c;
    });
    using C = engine::TGLCadencer;
    const char* c = "TGLCadencer";
    prop<C>(r, c, "Scene", [](C& o, const Property& p, LoadContext& x) {
        o.setScene(&x.reference<engine::TGLScene>(p));
    });
    boolProp<C>(r, c, "Enabled", &C::setEnabled);
    prop<C>(r, c, "Mode", [](C& o, const Property& p, LoadContext& x) {
        o.setMode(enumValue<engine::TGLCadencerMode>(x, p));
    });
    prop<C>(r, c, "TimeReference", [](C& o, const Property& p, LoadContext& x) {
        o.setTimeReference(enumValue<engine::TGLCadencerTimeReference>(x, p));
    });
    doubleProp<C>(r, c, "TimeMultiplier", &C::setTimeMultiplier);
    doubleProp<C>(r, c, "MaxDeltaTime", &C::setMaxDeltaTime);
    doubleProp<C>(r, c, "MinDeltaTime", &C::setMinDeltaTime);
    doubleProp<C>(r, c, "FixedDeltaTime", &C::setFixedDeltaTime);
    intProp<C>(r, c, "SleepLength", &C::setSleepLength);
    prop<C>(r, c, "OnProgress", [](C& o, const Property& p, LoadContext& x) {
        o.setOnProgress(x.handler<engine::TGLCadencer::ProgressEvent>(p));
    });
    r.addLoaded<C>(c, [](C& o, LoadContext&) { o.endLoading(); });

    // Timers arm themselves on every change; the scene file gives Interval and OnTimer
    // before Enabled so that an asynchronous timer's first deadline uses its interval.
    r.addClass<engine::TTimer>("TTimer", "", [](LoadContext& x) {
        return std::make_unique<engine::TTimer>(x.platform().loop());
    });
    boolProp<engine::TTimer>(r, "TTimer", "Enabled", &engine::TTimer::setEnabled);
    prop<engine::TTimer>(r, "TTimer", "Interval",
                         [](engine::TTimer& o, const Property& p, LoadContext& x) {
                             o.setInterval(std::uint32_t(x.integer(p)));
                         });
    prop<engine::TTimer>(r, "TTimer", "OnTimer",
                         [](engine::TTimer& o, const Property& p, LoadContext& x) {
                             o.setOnTimer(x.handler<std::function<void()>>(p));
                         });

    r.addClass<engine::TAsyncTimer>("TAsyncTimer", "", [](LoadContext& x) {
        return std::make_unique<engine::TAsyncTimer>(x.platform().loop());
    });
    using A = engine::TAsyncTimer;
    boolProp<A>(r, "TAsyncTimer", "Enabled", &A::setEnabled);
    prop<A>(r, "TAsyncTimer", "Interval", [](A& o, const Property& p, LoadContext& x) {
        const int ms = x.integer(p);
        if (ms < 0 || ms > 65535) x.fail(p.line, "Interval takes 0 to 65535 milliseconds");
        o.setInterval(std::uint16_t(ms));
    });
    prop<A>(r, "TAsyncTimer", "OnTimer", [](A& o, const Property& p, LoadContext& x) {
        o.setOnTimer(x.handler<std::function<void()>>(p));
    });
}

} // namespace coilrun::scene
