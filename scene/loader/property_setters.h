#pragma once
// Shorthands for the class bindings: a property set by a lambda, and the common
// case of a property handed straight to one setter after reading it as a number,
// integer, flag, string or vector.
#include "scene/loader/class_registry.h"
#include "scene/loader/scene_loader.h"

#include <functional>
#include <memory>

namespace coilrun::scene {

template <class T> std::function<std::unique_ptr<T>(LoadContext&)> plain() {
    return [](LoadContext&) { return std::make_unique<T>(); };
}

template <class T, class F> void prop(ClassRegistry& r, const char* cls, const char* name, F f) {
    r.addProperty<T>(cls, name, std::function<void(T&, const Property&, LoadContext&)>(f));
}

// A property read by read(context, property) and handed to set, a member
// function of T (or of a base of it).
template <class T, class Read, class Set>
void readProp(ClassRegistry& r, const char* cls, const char* name, Read read, Set set) {
    prop<T>(r, cls, name, [read, set](T& o, const Property& p, LoadContext& x) {
        std::invoke(set, o, read(x, p));
    });
}

template <class T, class Set>
void floatProp(ClassRegistry& r, const char* cls, const char* name, Set set) {
    readProp<T>(
        r, cls, name, [](LoadContext& x, const Property& p) { return float(x.number(p)); }, set);
}
template <class T, class Set>
void doubleProp(ClassRegistry& r, const char* cls, const char* name, Set set) {
    readProp<T>(
        r, cls, name, [](LoadContext& x, const Property& p) { return x.number(p); }, set);
}
template <class T, class Set>
void intProp(ClassRegistry& r, const char* cls, const char* name, Set set) {
    readProp<T>(
        r, cls, name, [](LoadContext& x, const Property& p) { return x.integer(p); }, set);
}
template <class T, class Set>
void boolProp(ClassRegistry& r, const char* cls, const char* name, Set set) {
    readProp<T>(
        r, cls, name, [](LoadContext& x, const Property& p) { return x.boolean(p); }, set);
}
template <class T, class Set>
void stringProp(ClassRegistry& r, const char* cls, const char* name, Set set) {
    readProp<T>(
        r, cls, name,
        [](LoadContext& x, const Property& p) -> const std::string& { return x.string(p); }, set);
}
template <class T, class Set>
void vec3Prop(ClassRegistry& r, const char* cls, const char* name, Set set) {
    readProp<T>(
        r, cls, name, [](LoadContext& x, const Property& p) { return x.vec3(p); }, set);
}

} // namespace coilrun::scene
