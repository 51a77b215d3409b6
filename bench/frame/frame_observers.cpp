#include "bench/frame/frame_observers.h"

#include "engine/objects/base_scene_object.h"
#include "engine/render/gl.h"

#include <EGL/egl.h>
#include <GL/glext.h>
#include <algorithm>

namespace coilrun::bench {
namespace {

// Occlusion queries are GL 1.5: asked of the driver rather than linked.
struct QueryCalls {
    PFNGLGENQUERIESPROC gen = nullptr;
    PFNGLDELETEQUERIESPROC del = nullptr;
    PFNGLBEGINQUERYPROC begin = nullptr;
    PFNGLENDQUERYPROC end = nullptr;
    PFNGLGETQUERYOBJECTUIVPROC result = nullptr;
    bool load() {
        gen = reinterpret_cast<PFNGLGENQUERIESPROC>(eglGetProcAddress("glGenQueries"));
        del = reinterpret_cast<PFNGLDELETEQUERIESPROC>(eglGetProcAddress("glDeleteQueries"));
        begin = reinterpret_cast<PFNGLBEGINQUERYPROC>(eglGetProcAddress("glBeginQuery"));
        end = reinterpret_cast<PFNGLENDQUERYPROC>(eglGetProcAddress("glEndQuery"));
        result =
            reinterpret_cast<PFNGLGETQUERYOBJECTUIVPROC>(eglGetProcAddress("glGetQueryObjectuiv"));
        return gen && del && begin && end && result;
    }
};
QueryCalls q;
constexpr std::size_t kQueries = 8192;

} // namespace

FragmentMeter::FragmentMeter() {
    available_ = q.load();
    if (!available_) return;
    queries_.resize(kQueries);
    q.gen(GLsizei(kQueries), queries_.data());
}

FragmentMeter::~FragmentMeter() {
    if (available_) q.del(GLsizei(queries_.size()), queries_.data());
}

void FragmentMeter::frameBegins() {
    used_ = 0;
    owners_.clear();
    stack_.clear();
    running_ = false;
}

void FragmentMeter::startQuery() {
    if (!available_ || stack_.empty() || used_ >= queries_.size()) return;
    owners_.push_back(stack_.back());
    q.begin(GL_SAMPLES_PASSED, queries_[used_++]);
    running_ = true;
}

void FragmentMeter::stopQuery() {
    if (!running_) return;
    q.end(GL_SAMPLES_PASSED);
    running_ = false;
}

void FragmentMeter::objectBegins(const engine::TGLBaseSceneObject& object, bool overlayPass) {
    stopQuery();
    stack_.push_back({&object, overlayPass});
    startQuery();
}

void FragmentMeter::objectEnds(const engine::TGLBaseSceneObject&) {
    stopQuery();
    if (!stack_.empty()) stack_.pop_back();
    startQuery(); // the parent's drawing goes on
}

void FragmentMeter::frameEnds() {
    stopQuery();
}

std::vector<FragmentMeter::Entry> FragmentMeter::results() const {
    std::map<std::pair<const engine::TGLBaseSceneObject*, bool>, std::uint64_t> sums;
    for (std::size_t i = 0; i < used_; ++i) {
        GLuint samples = 0;
        q.result(queries_[i], GL_QUERY_RESULT, &samples);
        sums[{owners_[i].object, owners_[i].overlay}] += samples;
    }
    std::vector<Entry> out;
    for (const auto& [key, fragments] : sums) {
        const auto* o = key.first;
        out.push_back({(o->name().empty() ? std::string("(unnamed)") : o->name()) + " (" +
                           o->className() + ")",
                       key.second, fragments});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Entry& a, const Entry& b) { return a.fragments > b.fragments; });
    return out;
}

FrameRecorder::~FrameRecorder() = default;

void FrameRecorder::cut() {
    if (open_) glEndList();
    const GLuint list = glGenLists(1);
    open_ = list != 0;
    if (!open_) return;
    lists_.push_back(list);
    glNewList(list, GL_COMPILE_AND_EXECUTE);
}

void FrameRecorder::frameEnds() {
    if (open_) glEndList();
    open_ = false;
}

void FrameRecorder::replay() const {
    for (GLuint list : lists_)
        glCallList(list);
}

void FrameRecorder::release() {
    for (GLuint list : lists_)
        glDeleteLists(list, 1);
    lists_.clear();
}

} // namespace coilrun::bench
