#pragma once
// Shared between the engine's own files only; the game never includes this.

struct SDL_Renderer;
struct SDL_Window;

SDL_Renderer* engineRenderer();
SDL_Window* engineWindow();
