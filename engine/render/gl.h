#pragma once
// The one place the engine takes the system's OpenGL 1.x and GLU headers from.
#if defined(_WIN32)
// Windows' GL headers would bring the whole Windows API in with them unless the
// few names they take from it are given first; the engine stays free of it.
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#endif
#include <GL/gl.h>
#include <GL/glu.h>
#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif
// OpenGL 1.2, which every driver has, but Windows' own header stops at 1.1.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace coilrun::engine {
// What gluTessCallback takes, whichever header declares it.
using GluCallback = void(GLAPIENTRY*)();
} // namespace coilrun::engine
