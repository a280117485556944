// Whether the window can be shown through a GPU: asked of the display server
// before any GL is loaded (loading a software rasteriser costs a quarter of a
// second of start-up), and of the GL renderer once one was made.
#pragma once

#include <SDL.h>

// True where a hardware GL can drive this window: on X11 a server offering
// direct rendering (DRI3, DRI2, or NVIDIA's GLX); on Wayland and KMS a GPU
// render node. False on servers without them (Xvfb, plain framebuffers), on
// SDL's dummy and offscreen drivers, and when LIBGL_ALWAYS_SOFTWARE asks for
// software.
bool gpuAtHand(SDL_Window* window);

// Whether a GL renderer name (GL_RENDERER) is a software rasteriser:
// llvmpipe, softpipe, swrast, "Software Rasterizer" and the like.
bool softwareRasteriserName(const char* glRenderer);

// Whether this SDL renderer draws with GL on a software rasteriser.
bool rendererOnSoftwareRasteriser(SDL_Renderer* renderer);
