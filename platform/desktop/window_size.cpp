// Asks the X server for a window's size (kept apart: Xlib's names clash with
// the game's).
#include "platform/desktop/window_size.h"

#include <SDL.h>
#include <SDL_syswm.h>

void RealWindowSize(SDL_Window* window, int& width, int& height) {
  SDL_GetWindowSize(window, &width, &height);
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) {
    width = attributes.width;
    height = attributes.height;
  }
#endif
}
