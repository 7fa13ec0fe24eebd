#pragma once
// Images: pixmaps kept on the CPU (masking, pixel-exact collision, grabs) and
// drawn through textures that are made on first draw.

#include <memory>
#include <string>
#include <vector>

struct SDL_Texture;

// Image load flags.
enum ImageFlags : int {
  IMAGE_MASKED = 1,      // formats without alpha: pixels of the mask colour become transparent
  IMAGE_FILTERED = 2,    // bilinear sampling
  IMAGE_MIPMAPPED = 4,   // smoother when shrunk (treated as filtered)
  IMAGE_DYNAMIC = 8,     // the pixmap may change; call TImage::refresh afterwards
  IMAGE_DEFAULT = IMAGE_MASKED | IMAGE_FILTERED,
};

// An RGBA picture in memory, four bytes per pixel in R, G, B, A order.
struct TPixmap {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;

  TPixmap() = default;
  TPixmap(int w, int h);

  unsigned char* at(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
  const unsigned char* at(int x, int y) const {
    return &pixels[(static_cast<size_t>(y) * width + x) * 4];
  }
  // Copy of the rectangle (x, y, w, h); parts outside the pixmap are transparent.
  TPixmap copyRect(int x, int y, int w, int h) const;
};

// Decodes a PNG or JPEG file (told apart by its first bytes). Returns false on a missing,
// empty, truncated or corrupt file; `hasAlpha` tells whether the format carried alpha.
bool loadPixmap(const std::string& path, TPixmap& out, bool& hasAlpha);
// Writes an RGBA PNG; false on failure.
bool savePixmapPNG(const TPixmap& pixmap, const std::string& path);

// The GPU side of one frame; owned by the image, rebuilt when the renderer changes.
struct TImageFrame {
  SDL_Texture* texture = nullptr;
  SDL_Texture* maskTexture = nullptr;  // alpha-thresholded copy for the mask blend mode
  int maskThreshold = -1;
  unsigned generation = 0;
  ~TImageFrame();
};

// One image, possibly several frames of equal size.
class TImage {
 public:
  int width = 0;
  int height = 0;
  int flags = IMAGE_DEFAULT;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;
  std::vector<TPixmap> pixmaps;
  std::vector<std::unique_ptr<TImageFrame>> frames;

  int frameCount() const { return static_cast<int>(pixmaps.size()); }
  // Sends a changed pixmap to the graphics device again (all frames when frame < 0).
  void refresh(int frame = -1);
  // Texture of the frame for drawing, made on first use; null when graphics are closed.
  SDL_Texture* texture(int frame);
  // Texture whose alpha is 0 or 255: opaque where texel alpha >= threshold (1..256).
  SDL_Texture* maskTexture(int frame, int threshold);
};

using ImagePtr = std::shared_ptr<TImage>;

// Loads an image with the current mask colour; null (and a line on stderr) on failure.
ImagePtr loadImage(const std::string& path, int flags = IMAGE_DEFAULT);
// Cuts `count` cells of cellW x cellH, row by row, starting at cell `first`.
ImagePtr loadAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                       int flags = IMAGE_DEFAULT);
// Wraps pixmaps (all the same size) into an image; masking applies when hasAlpha is false.
ImagePtr createImage(std::vector<TPixmap> frames, int flags = IMAGE_DEFAULT, bool hasAlpha = true);
// A one-frame image of the pixmap.
ImagePtr createImage(TPixmap pixmap, int flags = IMAGE_DEFAULT, bool hasAlpha = true);

// Makes the pixels of the mask colour transparent and every other pixel opaque.
void applyMask(TPixmap& pixmap, int r, int g, int b);

void setMaskColor(int r, int g, int b);
void getMaskColor(int& r, int& g, int& b);

inline int imageWidth(const ImagePtr& image) { return image ? image->width : 0; }
inline int imageHeight(const ImagePtr& image) { return image ? image->height : 0; }
void midHandleImage(const ImagePtr& image);
void setImageHandle(const ImagePtr& image, float x, float y);

// Changes whenever the renderer is made anew; frames compare it to know their texture is stale.
unsigned rendererGeneration();
