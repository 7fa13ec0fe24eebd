#pragma once
// The drawing context: one window, one renderer, and the current transform and
// colour state. Every position is in virtual pixels; the virtual resolution is
// mapped onto the window inside the transform.

#include <string>
#include <vector>

#include "engine/image.h"

class TImageFont;

enum BlendMode : int {
  BLEND_MASK = 1,   // no blending; texels with alpha below one half are dropped
  BLEND_SOLID = 2,  // no blending, no alpha test
  BLEND_ALPHA = 3,  // src * a + dst * (1 - a)
  BLEND_LIGHT = 4,  // src * a + dst
  BLEND_SHADE = 5,  // src * dst
};

// The current drawing state. Plain fields: changes take effect at the next draw.
struct TGraphicsContext {
  int color_red = 255, color_green = 255, color_blue = 255;
  float color_alpha = 1;
  int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
  float line_width = 1;
  float tform_rot = 0;
  float tform_scale_x = 1, tform_scale_y = 1;
  float tform_ix = 1, tform_iy = 0, tform_jx = 0, tform_jy = 1;
  int viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0;
  float origin_x = 0, origin_y = 0;
  float handle_x = 0, handle_y = 0;
  TImageFont* image_font = nullptr;
  int blend_mode = BLEND_MASK;
  float vres_width = 0, vres_height = 0;
  float vres_mousexscale = 1, vres_mouseyscale = 1;
  int g_width = 0, g_height = 0;
};

// The one current context.
TGraphicsContext& graphics();

// Display ------------------------------------------------------------------------------

// Opens the window (depth 0) or full screen on the desktop (depth != 0). Re-opening keeps
// the window and renderer, so images and fonts stay valid. False when it cannot be set.
bool openGraphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
void closeGraphics();
bool graphicsOpen();
// The renderer in use ("software", "opengl", ...), "" while graphics are closed.
std::string rendererName();
// Presents the back buffer. sync -1 paces to the display, 1 waits for the vertical blank,
// 0 does not wait.
void flip(int sync = -1);
int desktopWidth();
int desktopHeight();
void setWindowTitle(const std::string& title);
// The picture the desktop shows for the game's window.
void setWindowIcon(const TPixmap& icon);
// The design area the game draws in; the transform scales it onto the window.
void setVirtualResolution(float width, float height);
float virtualResolutionWidth();
float virtualResolutionHeight();
// The mouse in virtual pixels: window position times virtual size over window size.
float virtualMouseXRaw();
float virtualMouseYRaw();

// Drawing state ------------------------------------------------------------------------

void setColor(int r, int g, int b);
void getColor(int& r, int& g, int& b);
void setAlpha(float alpha);
float getAlpha();
void setBlend(int mode);
int getBlend();
void setRotation(float degrees);
float getRotation();
void setScale(float sx, float sy);
void getScale(float& sx, float& sy);
void setTransform(float degrees, float sx, float sy);
void setHandle(float x, float y);
void setOrigin(float x, float y);
void getOrigin(float& x, float& y);
void setViewport(int x, int y, int w, int h);
void getViewport(int& x, int& y, int& w, int& h);
void setClsColor(int r, int g, int b);
void setLineWidth(float width);
// Null selects the built-in default font.
void setImageFont(TImageFont* font);
TImageFont* getImageFont();

// Drawing ------------------------------------------------------------------------------

// Clears the viewport with the clear colour.
void cls();
void drawRect(float x, float y, float w, float h);
void drawLine(float x1, float y1, float x2, float y2);
void drawOval(float x, float y, float w, float h);
void drawImage(const ImagePtr& image, float x, float y, int frame = 0);
// Draws text with the current font; the top-left of the first glyph lands on (x, y).
void drawText(const std::string& text, float x, float y);
// Sum of the glyph advances, rounded; the scale is not applied.
int textWidth(const std::string& text);
int textHeight();

// Copies what is drawn at (x, y, w, h) in virtual pixels (origin applied), resampled to
// w x h pixels, so drawing the copy back at (x, y) gives the same picture.
TPixmap grabPixmap(float x, float y, int w, int h);
// The whole back buffer in window pixels. Call before flip.
TPixmap readBackBuffer();
bool saveBackBuffer(const std::string& pngPath);

// Pixel-exact collision ----------------------------------------------------------------

// Clears the layers selected by the mask (0 clears all 32).
void resetCollisions(unsigned mask = 0);
// Tests the image as it would be drawn at (x, y) against the quads in the layers of
// collideMask, pixel by pixel over opaque pixels, and returns the ids that overlap.
// Then writes it with `id` into the layers of writeMask.
std::vector<long long> collideImage(const ImagePtr& image, float x, float y, int frame,
                                    unsigned collideMask, unsigned writeMask, long long id = 0);
