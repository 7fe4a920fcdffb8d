// overlay/gl_formats.h — pixel formats the game uploads that some GL headers do not name
// (OpenGL 1.2 and later, or missing in the browser's headers).
#pragma once
#include <GL/gl.h>

#ifndef GL_BGR
#define GL_BGR 0x80E0
#endif
#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
