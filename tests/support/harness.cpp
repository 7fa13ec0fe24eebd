#include "support/harness.h"

#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/clock.h"
#include "engine/draw.h"

namespace harness {
namespace {

std::string g_root;
pid_t g_owner = 0;

// Only the process that made the folder removes it: a test's forked child that calls
// exit must not delete what the parent still checks.
void removeRoot() {
  if (g_root.empty() || getpid() != g_owner) return;
  std::error_code ec;
  std::filesystem::remove_all(g_root, ec);
}

}  // namespace

void setupEnvironment() {
  if (!g_root.empty()) return;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  setenv("TARNWICK_HEADLESS", "1", 1);
  std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  g_root = pattern;
  g_owner = getpid();
  std::atexit(removeRoot);
  const std::string data = g_root + "/data", home = g_root + "/home";
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(home);
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  setenv("HOME", home.c_str(), 1);
  useFakeClock(true);
}

const std::string& dataFolder() {
  setupEnvironment();
  return g_root;
}

std::string makeTempFolder(const std::string& name) {
  static int counter = 0;
  const std::string path = dataFolder() + "/" + name + "-" + std::to_string(++counter);
  std::filesystem::create_directories(path);
  return path;
}

bool openTestGraphics(int width, int height) {
  setupEnvironment();
  if (!openGraphics(width, height, 0, 60, 0)) return false;
  cls();  // the window is reused: start from a black frame
  return true;
}

TPixmap frame() { return readBackBuffer(); }

std::string gameFolder() { return TARNWICK_BUILD_GAME_DIR; }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

bool writeRgbPng(const std::string& path, const TPixmap& pixmap) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, pixmap.width, pixmap.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(static_cast<size_t>(pixmap.width) * 3);
  for (int y = 0; y < pixmap.height; ++y) {
    for (int x = 0; x < pixmap.width; ++x)
      for (int c = 0; c < 3; ++c) row[static_cast<size_t>(x) * 3 + c] = pixmap.at(x, y)[c];
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

bool writeJpeg(const std::string& path, const TPixmap& pixmap, int quality) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(pixmap.width);
  cinfo.image_height = static_cast<JDIMENSION>(pixmap.height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_RGBA;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixmap.at(0, static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

}  // namespace harness
