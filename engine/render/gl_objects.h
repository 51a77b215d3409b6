#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace coilrun::engine {

class GlObjects;

// Something that keeps GL objects in one or more contexts: a shape's compiled list, a
// texture, a bitmap font's glyph texture, a glyph set's lists. Its id keys them in the
// table of every context and is never reused by another owner. When the owner goes, each
// table that holds objects of it frees them the next time its context is current.
class GlObjectOwner {
public:
    GlObjectOwner();
    ~GlObjectOwner();
    GlObjectOwner(const GlObjectOwner&) = delete;
    GlObjectOwner& operator=(const GlObjectOwner&) = delete;

    std::uint64_t id() const { return id_; }

private:
    friend class GlObjects;
    std::uint64_t id_;
    // The tables that hold objects of this owner now; a cache, hence mutable.
    mutable std::vector<GlObjects*> holders_;
};

// The GL objects made in one context: display lists and textures, each kept for an
// owner under a slot (an owner may keep several). It is the one place that knows them
// all, so that they go together with their context: release() deletes every one while
// the context is still current, forget() drops the names of a context that is already
// gone without calling GL. Owners look their objects up before each use and make them
// again when they are missing, so after either call everything is rebuilt on the next
// draw. Every call that makes or deletes needs the context current.
class GlObjects {
public:
    enum class Kind : std::uint8_t { lists, texture };
    struct Entry {
        Kind kind = Kind::lists;
        unsigned name = 0; // the first list of a range, or the texture
        int count = 1;     // lists in the range
        // Free for the owner: what the object was built from, to tell when it is stale.
        std::uint64_t version = 0;
    };
    // The GL calls the table makes; a test hands in its own to check the bookkeeping
    // without a context. genLists and genTexture answer 0 when GL has no name to give.
    struct Calls {
        unsigned (*genLists)(int count);
        void (*deleteLists)(unsigned first, int count);
        unsigned (*genTexture)();
        void (*deleteTexture)(unsigned name);
    };
    static const Calls& glCalls();

    explicit GlObjects(const Calls& calls = glCalls());
    // Forgets: no context may be current when a table goes.
    ~GlObjects();
    GlObjects(const GlObjects&) = delete;
    GlObjects& operator=(const GlObjects&) = delete;

    // The object owner keeps under slot, or null when there is none.
    Entry* find(const GlObjectOwner& owner, unsigned slot = 0);
    // Makes count display lists, or a texture, for owner's slot, deleting what the slot
    // held before. Null (and the slot empty) when GL gives no name.
    Entry* makeLists(const GlObjectOwner& owner, unsigned slot, int count);
    Entry* makeTexture(const GlObjectOwner& owner, unsigned slot = 0);
    // Deletes what owner keeps under slot (a build that failed half-way).
    void drop(const GlObjectOwner& owner, unsigned slot = 0);

    // Deletes the objects of owners that went since the last call.
    void collect();
    // Deletes every object; the context is about to go or to be used without them.
    void release();
    // The context went with its objects: only the names are dropped.
    void forget();

    std::size_t count(Kind kind) const;
    // Objects of owners that went, waiting for collect().
    std::size_t pendingCount() const { return pending_.size(); }

private:
    friend class GlObjectOwner;
    struct Held {
        const GlObjectOwner* owner;
        std::vector<Entry> slots; // name 0: the slot is empty
    };
    Entry* make(const GlObjectOwner& owner, unsigned slot, Kind kind, int count);
    void remove(const Entry& e);
    void ownerGone(const GlObjectOwner& owner);
    void unlinkAll();

    Calls calls_;
    std::unordered_map<std::uint64_t, Held> held_;
    std::vector<Entry> pending_;
};

} // namespace coilrun::engine
