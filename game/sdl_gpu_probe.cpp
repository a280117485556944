// Finding out whether a GPU can show the window: the X server's extensions,
// the GPU render nodes, and the name of the GL renderer in use.
#include "game/sdl_gpu_probe.h"

#include <SDL_syswm.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr const char* SOFTWARE_RASTERISERS[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer"};
constexpr const char* DIRECT_RENDERING_EXTENSIONS[] = {"DRI3", "DRI2", "NV-GLX"};

bool softwareRequested() {
  const char* value = std::getenv("LIBGL_ALWAYS_SOFTWARE");
  return value && *value && std::strcmp(value, "0") != 0 && std::strcmp(value, "false") != 0;
}

bool renderNodePresent() {
  std::error_code failure;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", failure)) {
    if (entry.path().filename().string().rfind("renderD", 0) == 0) return true;
  }
  return false;
}

#if defined(SDL_VIDEO_DRIVER_X11) && defined(GLIMB_ASK_X_SERVER)
bool serverRendersDirect(Display* display) {
  for (const char* name : DIRECT_RENDERING_EXTENSIONS) {
    int opcode = 0, event = 0, error = 0;
    if (XQueryExtension(display, name, &opcode, &event, &error)) return true;
  }
  return false;
}
#endif

bool containsIgnoringCase(const char* text, const char* word) {
  const size_t length = std::strlen(word);
  for (const char* p = text; *p; p++) {
    if (strncasecmp(p, word, length) == 0) return true;
  }
  return false;
}

}  // namespace

bool gpuAtHand(SDL_Window* window) {
  if (softwareRequested()) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info)) return false;
  switch (info.subsystem) {
#if defined(SDL_VIDEO_DRIVER_X11) && defined(GLIMB_ASK_X_SERVER)
    case SDL_SYSWM_X11:
      return serverRendersDirect(info.info.x11.display);
#endif
    case SDL_SYSWM_WAYLAND:
    case SDL_SYSWM_KMSDRM:
      return renderNodePresent();
    case SDL_SYSWM_WINDOWS:
    case SDL_SYSWM_WINRT:
    case SDL_SYSWM_COCOA:
    case SDL_SYSWM_UIKIT:
    case SDL_SYSWM_ANDROID:
      // Systems whose renderers always have a GPU behind them.
      return true;
    default:
      return false;
  }
}

bool softwareRasteriserName(const char* glRenderer) {
  if (!glRenderer) return false;
  for (const char* name : SOFTWARE_RASTERISERS) {
    if (containsIgnoringCase(glRenderer, name)) return true;
  }
  return false;
}

bool rendererOnSoftwareRasteriser(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if (info.flags & SDL_RENDERER_SOFTWARE) return true;
  if (std::strncmp(info.name, "opengl", 6) != 0) return false;
  // The renderer's GL context is the current one.
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int GL_RENDERER_NAME = 0x1F01;
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (!getString) return false;
  return softwareRasteriserName(reinterpret_cast<const char*>(getString(GL_RENDERER_NAME)));
}
