#include "engine/render/gl_objects.h"

#include "engine/render/gl.h"

#include <algorithm>
#include <atomic>

namespace coilrun::engine {

namespace {
std::atomic<std::uint64_t> nextOwnerId{1};

unsigned genLists(int count) {
    return glGenLists(GLsizei(count));
}
void deleteLists(unsigned first, int count) {
    glDeleteLists(first, GLsizei(count));
}
unsigned genTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}
void deleteTexture(unsigned name) {
    const GLuint n = name;
    glDeleteTextures(1, &n);
}
} // namespace

GlObjectOwner::GlObjectOwner() : id_(nextOwnerId++) {}

GlObjectOwner::~GlObjectOwner() {
    // ownerGone unlinks the table from holders_, so work on a copy.
    const std::vector<GlObjects*> holders = holders_;
    for (GlObjects* table : holders)
        table->ownerGone(*this);
}

const GlObjects::Calls& GlObjects::glCalls() {
    static const Calls calls{genLists, deleteLists, genTexture, deleteTexture};
    return calls;
}

GlObjects::GlObjects(const Calls& calls) : calls_(calls) {}

GlObjects::~GlObjects() {
    unlinkAll();
}

GlObjects::Entry* GlObjects::find(const GlObjectOwner& owner, unsigned slot) {
    const auto it = held_.find(owner.id());
    if (it == held_.end() || slot >= it->second.slots.size()) return nullptr;
    Entry& e = it->second.slots[slot];
    return e.name ? &e : nullptr;
}

GlObjects::Entry* GlObjects::makeLists(const GlObjectOwner& owner, unsigned slot, int count) {
    return make(owner, slot, Kind::lists, std::max(count, 1));
}

GlObjects::Entry* GlObjects::makeTexture(const GlObjectOwner& owner, unsigned slot) {
    return make(owner, slot, Kind::texture, 1);
}

GlObjects::Entry* GlObjects::make(const GlObjectOwner& owner, unsigned slot, Kind kind, int count) {
    auto [it, fresh] = held_.try_emplace(owner.id(), Held{&owner, {}});
    Held& held = it->second;
    if (fresh) owner.holders_.push_back(this);
    if (slot >= held.slots.size()) held.slots.resize(slot + 1);
    Entry& e = held.slots[slot];
    if (e.name) remove(e);
    e = Entry{kind, 0, count, 0};
    e.name = kind == Kind::lists ? calls_.genLists(count) : calls_.genTexture();
    return e.name ? &e : nullptr;
}

void GlObjects::drop(const GlObjectOwner& owner, unsigned slot) {
    if (Entry* e = find(owner, slot)) {
        remove(*e);
        e->name = 0;
    }
}

void GlObjects::remove(const Entry& e) {
    if (e.kind == Kind::lists)
        calls_.deleteLists(e.name, e.count);
    else
        calls_.deleteTexture(e.name);
}

void GlObjects::ownerGone(const GlObjectOwner& owner) {
    const auto it = held_.find(owner.id());
    if (it == held_.end()) return;
    // The owner may go while another context is current: its objects wait for this one.
    for (const Entry& e : it->second.slots)
        if (e.name) pending_.push_back(e);
    held_.erase(it);
    std::erase(owner.holders_, this);
}

void GlObjects::collect() {
    for (const Entry& e : pending_)
        remove(e);
    pending_.clear();
}

void GlObjects::release() {
    collect();
    for (const auto& [id, held] : held_)
        for (const Entry& e : held.slots)
            if (e.name) remove(e);
    unlinkAll();
}

void GlObjects::forget() {
    pending_.clear();
    unlinkAll();
}

void GlObjects::unlinkAll() {
    for (const auto& [id, held] : held_)
        std::erase(held.owner->holders_, this);
    held_.clear();
}

std::size_t GlObjects::count(Kind kind) const {
    std::size_t n = 0;
    for (const auto& [id, held] : held_)
        for (const Entry& e : held.slots)
            n += e.name && e.kind == kind;
    return n;
}

} // namespace coilrun::engine
