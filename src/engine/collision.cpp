// Pixel-exact collision on the CPU pixmaps: each virtual pixel centre inside both quads'
// bounds is mapped back into both images with the inverse transform.

#include <array>
#include <cmath>
#include <vector>

#include "engine/draw.h"

namespace {

// One image as it was placed: frame, position (origin included) and transform.
struct CollisionQuad {
  ImagePtr image;
  int frame = 0;
  float x = 0, y = 0;
  float hx = 0, hy = 0;
  float ix = 1, iy = 0, jx = 0, jy = 1;
  float inv_ix = 1, inv_iy = 0, inv_jx = 0, inv_jy = 1;  // inverse of the 2x2 transform
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  long long id = 0;
  bool valid = false;

  // True when the virtual point (px, py) falls on an opaque pixel of this quad.
  bool opaqueAt(float px, float py) const {
    const float dx = px - x, dy = py - y;
    const float u = inv_ix * dx + inv_iy * dy + hx;
    const float v = inv_jx * dx + inv_jy * dy + hy;
    if (!(u >= 0 && v >= 0 && u < image->width && v < image->height)) return false;
    const TPixmap& pixmap = image->pixmaps[static_cast<size_t>(frame)];
    return pixmap.at(static_cast<int>(u), static_cast<int>(v))[3] != 0;
  }
};

std::array<std::vector<CollisionQuad>, 32> g_layers;

CollisionQuad makeQuad(const ImagePtr& image, float x, float y, int frame, long long id) {
  const TGraphicsContext& c = graphics();
  CollisionQuad q;
  q.image = image;
  q.frame = frame;
  q.x = x + c.origin_x;
  q.y = y + c.origin_y;
  q.hx = image->handle_x;
  q.hy = image->handle_y;
  q.ix = c.tform_ix;
  q.iy = c.tform_iy;
  q.jx = c.tform_jx;
  q.jy = c.tform_jy;
  q.id = id;
  const float det = q.ix * q.jy - q.iy * q.jx;
  if (det == 0 || !std::isfinite(det)) return q;  // a flattened image covers nothing
  q.inv_ix = q.jy / det;
  q.inv_iy = -q.iy / det;
  q.inv_jx = -q.jx / det;
  q.inv_jy = q.ix / det;
  const float us[4] = {-q.hx, image->width - q.hx, image->width - q.hx, -q.hx};
  const float vs[4] = {-q.hy, -q.hy, image->height - q.hy, image->height - q.hy};
  q.minX = q.maxX = q.x + us[0] * q.ix + vs[0] * q.iy;
  q.minY = q.maxY = q.y + us[0] * q.jx + vs[0] * q.jy;
  for (int i = 1; i < 4; ++i) {
    const float px = q.x + us[i] * q.ix + vs[i] * q.iy;
    const float py = q.y + us[i] * q.jx + vs[i] * q.jy;
    q.minX = std::min(q.minX, px);
    q.maxX = std::max(q.maxX, px);
    q.minY = std::min(q.minY, py);
    q.maxY = std::max(q.maxY, py);
  }
  q.valid = true;
  return q;
}

bool overlaps(const CollisionQuad& a, const CollisionQuad& b) {
  const float minX = std::max(a.minX, b.minX), maxX = std::min(a.maxX, b.maxX);
  const float minY = std::max(a.minY, b.minY), maxY = std::min(a.maxY, b.maxY);
  if (minX >= maxX || minY >= maxY) return false;
  // Pixel centres at n + 0.5 inside the shared bounds.
  const int x0 = static_cast<int>(std::ceil(minX - 0.5f));
  const int x1 = static_cast<int>(std::ceil(maxX - 0.5f));
  const int y0 = static_cast<int>(std::ceil(minY - 0.5f));
  const int y1 = static_cast<int>(std::ceil(maxY - 0.5f));
  for (int py = y0; py < y1; ++py) {
    const float cy = py + 0.5f;
    for (int px = x0; px < x1; ++px) {
      const float cx = px + 0.5f;
      if (a.opaqueAt(cx, cy) && b.opaqueAt(cx, cy)) return true;
    }
  }
  return false;
}

}  // namespace

void resetCollisions(unsigned mask) {
  for (unsigned layer = 0; layer < 32; ++layer)
    if (mask == 0 || (mask & (1u << layer))) g_layers[layer].clear();
}

std::vector<long long> collideImage(const ImagePtr& image, float x, float y, int frame,
                                    unsigned collideMask, unsigned writeMask, long long id) {
  std::vector<long long> hits;
  if (!image || frame < 0 || frame >= image->frameCount()) return hits;
  const CollisionQuad quad = makeQuad(image, x, y, frame, id);
  if (!quad.valid) return hits;
  for (unsigned layer = 0; layer < 32; ++layer) {
    if (!(collideMask & (1u << layer))) continue;
    for (const CollisionQuad& other : g_layers[layer])
      if (overlaps(quad, other)) hits.push_back(other.id);
  }
  for (unsigned layer = 0; layer < 32; ++layer)
    if (writeMask & (1u << layer)) g_layers[layer].push_back(quad);
  return hits;
}
