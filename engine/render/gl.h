#pragma once
// The one place the engine takes the system's OpenGL 1.x and GLU headers from.
#include <GL/gl.h>
#include <GL/glu.h>
