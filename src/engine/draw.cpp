#include "engine/draw.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/clock.h"
#include "engine/font.h"
#include "engine/input.h"
#include "engine/internal.h"
#include "engine/text.h"

namespace {

TGraphicsContext g_context;
SDL_Window* g_window = nullptr;
SDL_Renderer* g_renderer = nullptr;
unsigned g_generation = 1;
bool g_vsync = false;
int g_hertz = 60;
long long g_lastFlip = 0;

// Clip rectangle last given to the renderer, in virtual units, to skip needless calls.
struct AppliedClip {
  int x = -1, y = -1, w = -1, h = -1;
  float kx = 0, ky = 0;
} g_clip;

float scaleX() { return g_context.vres_width > 0 ? g_context.g_width / g_context.vres_width : 1.0f; }
float scaleY() {
  return g_context.vres_height > 0 ? g_context.g_height / g_context.vres_height : 1.0f;
}

void updateTransform() {
  const double rad = g_context.tform_rot * M_PI / 180.0;
  const float c = static_cast<float>(std::cos(rad));
  const float s = static_cast<float>(std::sin(rad));
  g_context.tform_ix = c * g_context.tform_scale_x;
  g_context.tform_iy = -s * g_context.tform_scale_y;
  g_context.tform_jx = s * g_context.tform_scale_x;
  g_context.tform_jy = c * g_context.tform_scale_y;
}

void applyClip() {
  const TGraphicsContext& c = g_context;
  const float kx = scaleX(), ky = scaleY();
  if (c.viewport_x == g_clip.x && c.viewport_y == g_clip.y && c.viewport_w == g_clip.w &&
      c.viewport_h == g_clip.h && kx == g_clip.kx && ky == g_clip.ky)
    return;
  g_clip = {c.viewport_x, c.viewport_y, c.viewport_w, c.viewport_h, kx, ky};
  const int x0 = static_cast<int>(std::lround(c.viewport_x * kx));
  const int y0 = static_cast<int>(std::lround(c.viewport_y * ky));
  const int x1 = static_cast<int>(std::lround((c.viewport_x + c.viewport_w) * kx));
  const int y1 = static_cast<int>(std::lround((c.viewport_y + c.viewport_h) * ky));
  if (x0 <= 0 && y0 <= 0 && x1 >= c.g_width && y1 >= c.g_height) {
    SDL_RenderSetClipRect(g_renderer, nullptr);
    return;
  }
  SDL_Rect rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
  SDL_RenderSetClipRect(g_renderer, &rect);
}

SDL_BlendMode sdlBlend(int mode) {
  switch (mode) {
    case BLEND_SOLID: return SDL_BLENDMODE_NONE;
    case BLEND_LIGHT: return SDL_BLENDMODE_ADD;
    case BLEND_SHADE: return SDL_BLENDMODE_MOD;
    default: return SDL_BLENDMODE_BLEND;  // alpha, and mask through a thresholded texture
  }
}

// The texel alpha a mask-mode draw must reach: src alpha * colour alpha >= 0.5.
int maskThreshold() {
  const float a = g_context.color_alpha;
  if (a <= 0) return 256;
  return std::clamp(static_cast<int>(std::ceil(127.5f / a)), 1, 256);
}

SDL_Color vertexColor() {
  const TGraphicsContext& c = g_context;
  const auto channel = [](int v) { return static_cast<Uint8>(std::clamp(v, 0, 255)); };
  float alpha = std::clamp(c.color_alpha, 0.0f, 1.0f);
  if (c.blend_mode == BLEND_MASK || c.blend_mode == BLEND_SOLID) alpha = 1;
  return SDL_Color{channel(c.color_red), channel(c.color_green), channel(c.color_blue),
                   static_cast<Uint8>(std::lround(alpha * 255.0f))};
}

// Maps a point of image space, relative to the drawing position (x, y), to window pixels.
SDL_FPoint project(float x, float y, float u, float v) {
  const TGraphicsContext& c = g_context;
  const float vx = x + c.origin_x + u * c.tform_ix + v * c.tform_iy;
  const float vy = y + c.origin_y + u * c.tform_jx + v * c.tform_jy;
  return SDL_FPoint{vx * scaleX(), vy * scaleY()};
}

bool readyToDraw() {
  if (!g_renderer) return false;
  if (g_context.blend_mode == BLEND_MASK && maskThreshold() > 255) return false;
  applyClip();
  return true;
}

// Draws the image-space rectangle (u0, v0)-(u1, v1) of a texture placed at (x, y).
void drawTexturedQuad(SDL_Texture* texture, float x, float y, float u0, float v0, float u1,
                      float v1) {
  const SDL_Color color = vertexColor();
  SDL_SetTextureBlendMode(texture, sdlBlend(g_context.blend_mode));
  SDL_Vertex verts[4];
  const float us[4] = {u0, u1, u1, u0};
  const float vs[4] = {v0, v0, v1, v1};
  const float tx[4] = {0, 1, 1, 0};
  const float ty[4] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i) {
    verts[i].position = project(x, y, us[i], vs[i]);
    verts[i].color = color;
    verts[i].tex_coord = SDL_FPoint{tx[i], ty[i]};
  }
  static const int indices[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(g_renderer, texture, verts, 4, indices, 6);
}

// Untextured polygon, given as a fan of image-space points around the first one.
void drawFan(float x, float y, const float* us, const float* vs, int count) {
  if (count < 3) return;
  const SDL_Color color = vertexColor();
  SDL_SetRenderDrawBlendMode(g_renderer, sdlBlend(g_context.blend_mode));
  std::vector<SDL_Vertex> verts(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    verts[static_cast<size_t>(i)].position = project(x, y, us[i], vs[i]);
    verts[static_cast<size_t>(i)].color = color;
    verts[static_cast<size_t>(i)].tex_coord = SDL_FPoint{0, 0};
  }
  std::vector<int> indices;
  indices.reserve(static_cast<size_t>(count - 2) * 3);
  for (int i = 1; i + 1 < count; ++i) {
    indices.push_back(0);
    indices.push_back(i);
    indices.push_back(i + 1);
  }
  SDL_RenderGeometry(g_renderer, nullptr, verts.data(), count, indices.data(),
                     static_cast<int>(indices.size()));
}

void resetContext() {
  TGraphicsContext fresh;
  fresh.g_width = g_context.g_width;
  fresh.g_height = g_context.g_height;
  fresh.vres_width = static_cast<float>(fresh.g_width);
  fresh.vres_height = static_cast<float>(fresh.g_height);
  fresh.viewport_w = fresh.g_width;
  fresh.viewport_h = fresh.g_height;
  g_context = fresh;
  g_clip = AppliedClip{};
}

bool ensureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "Cannot start video: %s\n", SDL_GetError());
    return false;
  }
  return true;
}

bool headlessVideo() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}  // namespace

TGraphicsContext& graphics() { return g_context; }
SDL_Renderer* engineRenderer() { return g_renderer; }
SDL_Window* engineWindow() { return g_window; }
unsigned rendererGeneration() { return g_generation; }

// Display --------------------------------------------------------------------------------

namespace {

bool createWindowAndRenderer(int width, int height, bool fullscreen) {
  // Draw calls are queued and run at present, so the game's own time stays small.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  const Uint32 windowFlags = fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  g_window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                              windowFlags);
  if (!g_window) {
    std::fprintf(stderr, "Cannot open a %dx%d window: %s\n", width, height, SDL_GetError());
    return false;
  }
  const Uint32 rendererFlags = headlessVideo() ? 0 : SDL_RENDERER_PRESENTVSYNC;
  g_renderer = SDL_CreateRenderer(g_window, -1, rendererFlags);
  if (!g_renderer) g_renderer = SDL_CreateRenderer(g_window, -1, SDL_RENDERER_SOFTWARE);
  if (!g_renderer) {
    std::fprintf(stderr, "Cannot make a renderer: %s\n", SDL_GetError());
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
    return false;
  }
  SDL_RendererInfo info;
  g_vsync = SDL_GetRendererInfo(g_renderer, &info) == 0 &&
            (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  ++g_generation;  // textures of an earlier renderer are made again on their next draw
  return true;
}

// Switches the open window; false when its drawing surface did not follow the new size.
bool switchWindow(int width, int height, bool fullscreen) {
  // The offscreen back-end's OpenGL surface keeps the size it was made with.
  int oldW = 0, oldH = 0;
  SDL_GetWindowSize(g_window, &oldW, &oldH);
  if (headlessVideo() && (oldW != width || oldH != height)) return false;
  if (SDL_SetWindowFullscreen(g_window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
    return false;
  if (!fullscreen) {
    SDL_SetWindowSize(g_window, width, height);
    SDL_SetWindowPosition(g_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  pollSystem();  // lets the renderer see the size change
  int ww = 0, wh = 0, ow = 0, oh = 0;
  SDL_GetWindowSize(g_window, &ww, &wh);
  return SDL_GetRendererOutputSize(g_renderer, &ow, &oh) == 0 && ow == ww && oh == wh &&
         (fullscreen || (ww == width && wh == height));
}

}  // namespace

bool openGraphics(int width, int height, int depth, int hertz, int /*flags*/) {
  if (!ensureVideo()) return false;
  const bool fullscreen = depth != 0;
  g_hertz = hertz > 0 ? hertz : 60;
  // The same window and renderer are kept where the back-end allows, so textures survive
  // the switch; otherwise both are made anew and images upload again on their next draw.
  if (g_window && !switchWindow(width, height, fullscreen)) closeGraphics();
  if (!g_window && !createWindowAndRenderer(width, height, fullscreen)) return false;
  pollSystem();
  int w = width, h = height;
  if (SDL_GetRendererOutputSize(g_renderer, &w, &h) != 0 || w <= 0 || h <= 0) {
    w = width;
    h = height;
  }
  g_context.g_width = w;
  g_context.g_height = h;
  resetContext();
  return true;
}

void closeGraphics() {
  if (g_renderer) SDL_DestroyRenderer(g_renderer);
  if (g_window) SDL_DestroyWindow(g_window);
  g_renderer = nullptr;
  g_window = nullptr;
  ++g_generation;
  resetCollisions(0);
}

bool graphicsOpen() { return g_renderer != nullptr; }

std::string rendererName() {
  SDL_RendererInfo info;
  if (!g_renderer || SDL_GetRendererInfo(g_renderer, &info) != 0) return "";
  return info.name;
}

void flip(int sync) {
  if (!g_renderer) return;
  SDL_RenderPresent(g_renderer);
  if (sync != 0 && !fakeClockOn() && !g_vsync) {
    // No vertical blank to wait for: keep to the refresh rate ourselves.
    const long long frame = 1000 / g_hertz;
    const long long elapsed = millis64() - g_lastFlip;
    if (elapsed >= 0 && elapsed < frame) SDL_Delay(static_cast<Uint32>(frame - elapsed));
  }
  g_lastFlip = millis64();
  pollSystem();
}

int desktopWidth() {
  SDL_DisplayMode mode;
  if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 1024;
  return mode.w;
}

int desktopHeight() {
  SDL_DisplayMode mode;
  if (!ensureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 768;
  return mode.h;
}

void setWindowTitle(const std::string& title) {
  if (g_window) SDL_SetWindowTitle(g_window, title.c_str());
}

void setWindowIcon(const TPixmap& icon) {
  if (!g_window || icon.width <= 0 || icon.height <= 0) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<unsigned char*>(icon.pixels.data()), icon.width, icon.height, 32, icon.width * 4,
      SDL_PIXELFORMAT_RGBA32);
  if (!surface) return;
  SDL_SetWindowIcon(g_window, surface);
  SDL_FreeSurface(surface);
}

void setVirtualResolution(float width, float height) {
  if (width <= 0 || height <= 0) return;
  g_context.vres_width = width;
  g_context.vres_height = height;
  g_context.vres_mousexscale = g_context.g_width > 0 ? width / g_context.g_width : 1;
  g_context.vres_mouseyscale = g_context.g_height > 0 ? height / g_context.g_height : 1;
  // A viewport in the old virtual units would clip the wrong part of the window.
  setViewport(0, 0, static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

float virtualResolutionWidth() { return g_context.vres_width; }
float virtualResolutionHeight() { return g_context.vres_height; }
float virtualMouseXRaw() { return mouseX() * g_context.vres_mousexscale; }
float virtualMouseYRaw() { return mouseY() * g_context.vres_mouseyscale; }

// Drawing state --------------------------------------------------------------------------

void setColor(int r, int g, int b) {
  g_context.color_red = r;
  g_context.color_green = g;
  g_context.color_blue = b;
}

void getColor(int& r, int& g, int& b) {
  r = g_context.color_red;
  g = g_context.color_green;
  b = g_context.color_blue;
}

void setAlpha(float alpha) { g_context.color_alpha = alpha; }
float getAlpha() { return g_context.color_alpha; }
void setBlend(int mode) {
  if (mode >= BLEND_MASK && mode <= BLEND_SHADE) g_context.blend_mode = mode;
}
int getBlend() { return g_context.blend_mode; }

void setRotation(float degrees) {
  g_context.tform_rot = degrees;
  updateTransform();
}

float getRotation() { return g_context.tform_rot; }

void setScale(float sx, float sy) {
  g_context.tform_scale_x = sx;
  g_context.tform_scale_y = sy;
  updateTransform();
}

void getScale(float& sx, float& sy) {
  sx = g_context.tform_scale_x;
  sy = g_context.tform_scale_y;
}

void setTransform(float degrees, float sx, float sy) {
  g_context.tform_rot = degrees;
  g_context.tform_scale_x = sx;
  g_context.tform_scale_y = sy;
  updateTransform();
}

void setHandle(float x, float y) {
  g_context.handle_x = x;
  g_context.handle_y = y;
}

void setOrigin(float x, float y) {
  g_context.origin_x = x;
  g_context.origin_y = y;
}

void getOrigin(float& x, float& y) {
  x = g_context.origin_x;
  y = g_context.origin_y;
}

void setViewport(int x, int y, int w, int h) {
  g_context.viewport_x = x;
  g_context.viewport_y = y;
  g_context.viewport_w = w;
  g_context.viewport_h = h;
}

void getViewport(int& x, int& y, int& w, int& h) {
  x = g_context.viewport_x;
  y = g_context.viewport_y;
  w = g_context.viewport_w;
  h = g_context.viewport_h;
}

void setClsColor(int r, int g, int b) {
  g_context.clscolor_red = r;
  g_context.clscolor_green = g;
  g_context.clscolor_blue = b;
}

void setLineWidth(float width) { g_context.line_width = width; }
void setImageFont(TImageFont* font) { g_context.image_font = font; }
TImageFont* getImageFont() { return g_context.image_font ? g_context.image_font : defaultFont(); }

// Drawing --------------------------------------------------------------------------------

void cls() {
  if (!g_renderer) return;
  applyClip();
  const TGraphicsContext& c = g_context;
  // The renderer's own clear ignores the clip rectangle; the viewport must hold.
  SDL_SetRenderDrawBlendMode(g_renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(g_renderer, static_cast<Uint8>(std::clamp(c.clscolor_red, 0, 255)),
                         static_cast<Uint8>(std::clamp(c.clscolor_green, 0, 255)),
                         static_cast<Uint8>(std::clamp(c.clscolor_blue, 0, 255)), 255);
  SDL_RenderFillRect(g_renderer, nullptr);
}

void drawRect(float x, float y, float w, float h) {
  if (!readyToDraw()) return;
  const float hx = g_context.handle_x, hy = g_context.handle_y;
  const float us[4] = {-hx, w - hx, w - hx, -hx};
  const float vs[4] = {-hy, -hy, h - hy, h - hy};
  drawFan(x, y, us, vs, 4);
}

void drawLine(float x1, float y1, float x2, float y2) {
  if (!readyToDraw()) return;
  // A line is a thin quad of the line width, so it turns and scales with the transform.
  const float hx = g_context.handle_x, hy = g_context.handle_y;
  const float ax = -hx, ay = -hy, bx = x2 - x1 - hx, by = y2 - y1 - hy;
  const float dx = bx - ax, dy = by - ay;
  const float len = std::sqrt(dx * dx + dy * dy);
  const float half = std::max(g_context.line_width, 1.0f) * 0.5f;
  float nx = 0, ny = half, ex = 0, ey = 0;
  if (len > 0) {
    nx = -dy / len * half;
    ny = dx / len * half;
    ex = dx / len * 0.5f;  // reach half a pixel past each end so the end pixels are lit
    ey = dy / len * 0.5f;
  } else {
    nx = half;
    ny = 0;
    ex = 0;
    ey = half;
  }
  const float us[4] = {ax - ex + nx, bx + ex + nx, bx + ex - nx, ax - ex - nx};
  const float vs[4] = {ay - ey + ny, by + ey + ny, by + ey - ny, ay - ey - ny};
  // Centred on the pixel row or column it names, as lines are drawn on pixel centres.
  drawFan(x1 + 0.5f, y1 + 0.5f, us, vs, 4);
}

void drawOval(float x, float y, float w, float h) {
  if (!readyToDraw()) return;
  const float hx = g_context.handle_x, hy = g_context.handle_y;
  const float rx = w * 0.5f, ry = h * 0.5f;
  const float cx = rx - hx, cy = ry - hy;
  // Enough segments that the outline stays smooth on screen.
  const float screenRadius = std::max(std::fabs(rx * scaleX()), std::fabs(ry * scaleY())) *
                             std::max(std::fabs(g_context.tform_scale_x), std::fabs(g_context.tform_scale_y));
  const int segments = std::clamp(static_cast<int>(screenRadius * 1.5f), 12, 128);
  // A fan from the centre over the ring, closed back to the first ring point.
  std::vector<float> fu, fv;
  fu.push_back(cx);
  fv.push_back(cy);
  for (int i = 0; i <= segments; ++i) {
    const double a = 2.0 * M_PI * i / segments;
    fu.push_back(cx + rx * static_cast<float>(std::cos(a)));
    fv.push_back(cy + ry * static_cast<float>(std::sin(a)));
  }
  drawFan(x, y, fu.data(), fv.data(), static_cast<int>(fu.size()));
}

void drawImage(const ImagePtr& image, float x, float y, int frame) {
  if (!image || frame < 0 || frame >= image->frameCount() || !readyToDraw()) return;
  SDL_Texture* texture = g_context.blend_mode == BLEND_MASK
                             ? image->maskTexture(frame, maskThreshold())
                             : image->texture(frame);
  if (!texture) return;
  const float u0 = -image->handle_x, v0 = -image->handle_y;
  drawTexturedQuad(texture, x, y, u0, v0, u0 + image->width, v0 + image->height);
}

void drawText(const std::string& text, float x, float y) {
  if (text.empty() || !readyToDraw()) return;
  TImageFont* font = getImageFont();
  if (!font) return;
  const bool mask = g_context.blend_mode == BLEND_MASK;
  const int threshold = mask ? maskThreshold() : 0;
  float pen = 0;
  for (char32_t cp : str::toU32(text)) {
    const TImageGlyph* glyph = font->glyph(cp);
    if (!glyph) continue;
    if (glyph->image) {
      SDL_Texture* texture =
          mask ? glyph->image->maskTexture(0, threshold) : glyph->image->texture(0);
      if (texture) {
        const float u0 = pen + glyph->_x - g_context.handle_x;
        const float v0 = static_cast<float>(glyph->_y) - g_context.handle_y;
        drawTexturedQuad(texture, x, y, u0, v0, u0 + glyph->_w, v0 + glyph->_h);
      }
    }
    pen += static_cast<float>(glyph->advance);
  }
}

int textWidth(const std::string& text) {
  if (text.empty()) return 0;
  TImageFont* font = getImageFont();
  if (!font) return 0;
  long long width = 0;
  for (char32_t cp : str::toU32(text))
    if (const TImageGlyph* glyph = font->glyph(cp)) width += glyph->advance;
  return static_cast<int>(width);
}

int textHeight() {
  TImageFont* font = getImageFont();
  return font ? font->Height() : 0;
}

// Read-back ------------------------------------------------------------------------------

TPixmap readBackBuffer() {
  TPixmap out;
  if (!g_renderer) return out;
  out = TPixmap(g_context.g_width, g_context.g_height);
  if (SDL_RenderReadPixels(g_renderer, nullptr, SDL_PIXELFORMAT_RGBA32, out.pixels.data(),
                           out.width * 4) != 0)
    return TPixmap();
  for (size_t i = 3; i < out.pixels.size(); i += 4) out.pixels[i] = 255;
  return out;
}

bool saveBackBuffer(const std::string& pngPath) {
  const TPixmap frame = readBackBuffer();
  return frame.width > 0 && savePixmapPNG(frame, pngPath);
}

TPixmap grabPixmap(float x, float y, int w, int h) {
  if (!g_renderer || w <= 0 || h <= 0) return TPixmap();
  const TPixmap frame = readBackBuffer();
  if (frame.width <= 0) return TPixmap();
  const float kx = scaleX(), ky = scaleY();
  const float left = (x + g_context.origin_x) * kx, top = (y + g_context.origin_y) * ky;
  TPixmap out(w, h);
  for (int row = 0; row < h; ++row) {
    const int sy = static_cast<int>(std::floor(top + (row + 0.5f) * ky));
    if (sy < 0 || sy >= frame.height) continue;
    for (int col = 0; col < w; ++col) {
      const int sx = static_cast<int>(std::floor(left + (col + 0.5f) * kx));
      if (sx < 0 || sx >= frame.width) continue;
      std::memcpy(out.at(col, row), frame.at(sx, sy), 4);
    }
  }
  return out;
}
