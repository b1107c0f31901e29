// The OpenGL headers with the prototypes of the entry points past 1.1 (framebuffer objects for
// offscreen drawing). Include this instead of <GL/gl.h> in code that does not also use Qt's
// OpenGL headers.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
