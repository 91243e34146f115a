// The size a window really has on the screen. On X, SDL takes a fullscreen
// request as done even where nothing carries it out (no window manager), so
// the X server is asked itself; elsewhere SDL's own idea is all there is.
#pragma once

struct SDL_Window;

void RealWindowSize(SDL_Window* window, int& width, int& height);
