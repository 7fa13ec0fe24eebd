#include "engine/image.h"

#include <SDL.h>
#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "engine/files.h"
#include "engine/internal.h"

namespace {

int g_mask_r = 0, g_mask_g = 0, g_mask_b = 0;

bool isPNG(const std::vector<unsigned char>& data) {
  return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

bool isJPEG(const std::vector<unsigned char>& data) {
  return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

// PNG ------------------------------------------------------------------------------------

struct PngSource {
  const std::vector<unsigned char>* data;
  size_t pos;
};

void pngRead(png_structp png, png_bytep out, png_size_t count) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (src->pos + count > src->data->size()) png_error(png, "unexpected end of file");
  std::memcpy(out, src->data->data() + src->pos, count);
  src->pos += count;
}

void pngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void pngWarning(png_structp, png_const_charp) {}

bool decodePNG(const std::vector<unsigned char>& data, TPixmap& out, bool& hasAlpha) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  PngSource src{&data, 0};
  // Everything that must survive a longjmp lives outside this frame's locals.
  std::vector<png_bytep> rows;
  TPixmap pixmap;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &src, pngRead);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (w == 0 || h == 0 || w > 16384 || h > 16384) png_error(png, "bad size");
  hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || trns;

  png_set_strip_16(png);
  png_set_packing(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (trns) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != w * 4) png_error(png, "unexpected row size");

  pixmap = TPixmap(static_cast<int>(w), static_cast<int>(h));
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = pixmap.at(0, static_cast<int>(y));
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  out = std::move(pixmap);
  return true;
}

// JPEG -----------------------------------------------------------------------------------

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  bool truncated;
};

void jpegFail(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// A truncated file only raises a warning in libjpeg (it pads with grey); we refuse it.
void jpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
    reinterpret_cast<JpegError*>(cinfo->err)->truncated = true;
}

void jpegSilent(j_common_ptr) {}

bool decodeJPEG(const std::vector<unsigned char>& data, TPixmap& out) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = jpegFail;
  err.mgr.emit_message = jpegMessage;
  err.mgr.output_message = jpegSilent;
  err.truncated = false;
  TPixmap pixmap;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_RGBA;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_width > 16384 ||
      cinfo.output_height > 16384 || cinfo.output_components != 4) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  pixmap = TPixmap(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  while (cinfo.output_scanline < cinfo.output_height && !err.truncated) {
    JSAMPROW row = pixmap.at(0, static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  if (!err.truncated) jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  if (err.truncated) return false;
  out = std::move(pixmap);
  return true;
}

// PNG writing ---------------------------------------------------------------------------

void pngWrite(png_structp png, png_bytep data, png_size_t count) {
  auto* file = static_cast<std::FILE*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, count, file) != count) png_error(png, "write failed");
}

void pngFlush(png_structp) {}

}  // namespace

TPixmap::TPixmap(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}

TPixmap TPixmap::copyRect(int x, int y, int w, int h) const {
  TPixmap out(w, h);
  for (int row = 0; row < h; ++row) {
    const int sy = y + row;
    if (sy < 0 || sy >= height) continue;
    for (int col = 0; col < w; ++col) {
      const int sx = x + col;
      if (sx < 0 || sx >= width) continue;
      std::memcpy(out.at(col, row), at(sx, sy), 4);
    }
  }
  return out;
}

bool loadPixmap(const std::string& path, TPixmap& out, bool& hasAlpha) {
  std::vector<unsigned char> data;
  if (!readFileBytes(path, data) || data.empty()) return false;
  hasAlpha = false;
  if (isPNG(data)) return decodePNG(data, out, hasAlpha);
  if (isJPEG(data)) return decodeJPEG(data, out);
  return false;
}

bool savePixmapPNG(const TPixmap& pixmap, const std::string& path) {
  if (pixmap.width <= 0 || pixmap.height <= 0) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    std::remove(path.c_str());
    return false;
  }
  png_set_write_fn(png, file, pngWrite, pngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixmap.width),
               static_cast<png_uint_32>(pixmap.height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < pixmap.height; ++y)
    png_write_row(png, const_cast<png_bytep>(pixmap.at(0, y)));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

void applyMask(TPixmap& pixmap, int r, int g, int b) {
  for (size_t i = 0; i + 3 < pixmap.pixels.size(); i += 4) {
    unsigned char* p = &pixmap.pixels[i];
    p[3] = (p[0] == r && p[1] == g && p[2] == b) ? 0 : 255;
  }
}

void setMaskColor(int r, int g, int b) {
  g_mask_r = r;
  g_mask_g = g;
  g_mask_b = b;
}

void getMaskColor(int& r, int& g, int& b) {
  r = g_mask_r;
  g = g_mask_g;
  b = g_mask_b;
}

// Frames -------------------------------------------------------------------------------

TImageFrame::~TImageFrame() {
  // Textures die with their renderer; only destroy those of the live one.
  if (generation == rendererGeneration() && engineRenderer()) {
    if (texture) SDL_DestroyTexture(texture);
    if (maskTexture) SDL_DestroyTexture(maskTexture);
  }
}

namespace {

SDL_Texture* makeTexture(const TPixmap& pixmap, int flags) {
  SDL_Renderer* renderer = engineRenderer();
  if (!renderer || pixmap.width <= 0 || pixmap.height <= 0) return nullptr;
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                           SDL_TEXTUREACCESS_STATIC, pixmap.width, pixmap.height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, pixmap.pixels.data(), pixmap.width * 4);
  SDL_SetTextureScaleMode(texture, (flags & (IMAGE_FILTERED | IMAGE_MIPMAPPED))
                                       ? SDL_ScaleModeLinear
                                       : SDL_ScaleModeNearest);
  return texture;
}

TImageFrame& currentFrame(TImage& image, int frame) {
  if (image.frames.size() != image.pixmaps.size()) image.frames.resize(image.pixmaps.size());
  auto& slot = image.frames[static_cast<size_t>(frame)];
  if (!slot || slot->generation != rendererGeneration()) {
    if (slot && slot->generation != rendererGeneration()) {
      slot->texture = nullptr;  // belonged to a renderer that is gone
      slot->maskTexture = nullptr;
    }
    slot = std::make_unique<TImageFrame>();
    slot->generation = rendererGeneration();
  }
  return *slot;
}

}  // namespace

void TImage::refresh(int frame) {
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frame >= 0 && static_cast<size_t>(frame) != i) continue;
    frames[i].reset();
  }
}

SDL_Texture* TImage::texture(int frame) {
  if (frame < 0 || frame >= frameCount() || !engineRenderer()) return nullptr;
  TImageFrame& f = currentFrame(*this, frame);
  if (!f.texture) f.texture = makeTexture(pixmaps[static_cast<size_t>(frame)], flags);
  return f.texture;
}

SDL_Texture* TImage::maskTexture(int frame, int threshold) {
  if (frame < 0 || frame >= frameCount() || !engineRenderer()) return nullptr;
  TImageFrame& f = currentFrame(*this, frame);
  if (!f.maskTexture || f.maskThreshold != threshold) {
    if (f.maskTexture) SDL_DestroyTexture(f.maskTexture);
    TPixmap copy = pixmaps[static_cast<size_t>(frame)];
    for (size_t i = 3; i < copy.pixels.size(); i += 4)
      copy.pixels[i] = copy.pixels[i] >= threshold ? 255 : 0;
    f.maskTexture = makeTexture(copy, flags);
    f.maskThreshold = threshold;
  }
  return f.maskTexture;
}

ImagePtr createImage(std::vector<TPixmap> frames, int flags, bool hasAlpha) {
  if (frames.empty() || frames[0].width <= 0 || frames[0].height <= 0) return nullptr;
  auto image = std::make_shared<TImage>();
  image->width = frames[0].width;
  image->height = frames[0].height;
  image->flags = flags;
  getMaskColor(image->mask_r, image->mask_g, image->mask_b);
  if ((flags & IMAGE_MASKED) && !hasAlpha)
    for (TPixmap& p : frames) applyMask(p, image->mask_r, image->mask_g, image->mask_b);
  image->pixmaps = std::move(frames);
  return image;
}

ImagePtr createImage(TPixmap pixmap, int flags, bool hasAlpha) {
  std::vector<TPixmap> frames;
  frames.push_back(std::move(pixmap));
  return createImage(std::move(frames), flags, hasAlpha);
}

ImagePtr loadImage(const std::string& path, int flags) {
  TPixmap pixmap;
  bool hasAlpha = false;
  if (!loadPixmap(path, pixmap, hasAlpha)) {
    std::fprintf(stderr, "Couldn't load image file: %s\n", path.c_str());
    return nullptr;
  }
  return createImage(std::move(pixmap), flags, hasAlpha);
}

ImagePtr loadAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                       int flags) {
  TPixmap sheet;
  bool hasAlpha = false;
  if (!loadPixmap(path, sheet, hasAlpha)) {
    std::fprintf(stderr, "Couldn't load image file: %s\n", path.c_str());
    return nullptr;
  }
  if (cellW <= 0 || cellH <= 0 || first < 0 || count <= 0) {
    std::fprintf(stderr, "Bad animation cells for %s\n", path.c_str());
    return nullptr;
  }
  const int columns = sheet.width / cellW;
  const int rows = sheet.height / cellH;
  if (columns <= 0 || first + count > columns * rows) {
    std::fprintf(stderr, "Image %s has fewer than %d cells of %dx%d\n", path.c_str(),
                 first + count, cellW, cellH);
    return nullptr;
  }
  std::vector<TPixmap> frames;
  frames.reserve(static_cast<size_t>(count));
  for (int cell = first; cell < first + count; ++cell)
    frames.push_back(sheet.copyRect((cell % columns) * cellW, (cell / columns) * cellH, cellW, cellH));
  return createImage(std::move(frames), flags, hasAlpha);
}

void midHandleImage(const ImagePtr& image) {
  if (!image) return;
  image->handle_x = image->width / 2.0f;
  image->handle_y = image->height / 2.0f;
}

void setImageHandle(const ImagePtr& image, float x, float y) {
  if (!image) return;
  image->handle_x = x;
  image->handle_y = y;
}
