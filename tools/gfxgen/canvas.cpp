#include "canvas.h"

#include <png.h>

#include <cstddef>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace gfxgen {

Canvas::Canvas(int width, int height, PngKind kind)
    : width_(width), height_(height), kind_(kind) {
    const cairo_format_t format = kind == PngKind::Rgb ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32;
    surface_ = cairo_image_surface_create(format, width, height);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        release();
        throw std::runtime_error("cannot create a " + std::to_string(width) + " x " +
                                 std::to_string(height) + " surface");
    }
}

Canvas::~Canvas() { release(); }

Canvas::Canvas(Canvas&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      cr_(std::exchange(other.cr_, nullptr)),
      width_(other.width_),
      height_(other.height_),
      kind_(other.kind_) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        release();
        surface_ = std::exchange(other.surface_, nullptr);
        cr_ = std::exchange(other.cr_, nullptr);
        width_ = other.width_;
        height_ = other.height_;
        kind_ = other.kind_;
    }
    return *this;
}

void Canvas::release() {
    if (cr_ != nullptr) cairo_destroy(cr_);
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
}

namespace {

// Plain C-style so that nothing with a destructor lives across setjmp/longjmp.
// Returns an error text, or nullptr on success.
const char* write_png(const char* file, const std::uint8_t* pixels, int width, int height, int channels) {
    std::FILE* out = std::fopen(file, "wb");
    if (out == nullptr) return "cannot open the file";
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(out);
        return "libpng could not start";
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return "libpng failed while writing";
    }
    png_init_io(png, out);
    const int colour_type = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colour_type,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t row_bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    for (int y = 0; y < height; ++y) png_write_row(png, pixels + static_cast<std::size_t>(y) * row_bytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0 ? nullptr : "cannot close the file";
}

struct JpegFailure {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// Same plain style as write_png: libjpeg reports errors by longjmp.
const char* write_jpeg(const char* file, const std::uint8_t* pixels, int width, int height) {
    std::FILE* out = std::fopen(file, "wb");
    if (out == nullptr) return "cannot open the file";
    jpeg_compress_struct info;
    JpegFailure failure;
    info.err = jpeg_std_error(&failure.base);
    failure.base.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegFailure*>(c->err)->jump, 1); };
    if (setjmp(failure.jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(out);
        return "libjpeg failed while writing";
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    // Full-resolution colour: subsampled chroma drags single channels of dark pixels toward 0.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + info.next_scanline * row_bytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0 ? nullptr : "cannot close the file";
}

// The engine masks JPEGs by exact black, cyan and magenta; a floor on every channel keeps
// all three out of the picture even after compression has nudged the values.
constexpr std::uint8_t kJpegFloor = 22;

}  // namespace

// Written with libpng rather than Cairo's own writer: Cairo quietly drops the alpha
// channel of a picture that happens to be fully opaque, and the game needs RGBA there.
void Canvas::save(const std::filesystem::path& file) const {
    cairo_surface_flush(surface_);
    const int channels = kind_ == PngKind::Rgba ? 4 : 3;
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) *
                                     static_cast<std::size_t>(channels));
    std::size_t at = 0;
    for (int y = 0; y < height_; ++y) {
        // Native-endian words 0xAARRGGBB, colour premultiplied by alpha (alpha unused for RGB24).
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t a = kind_ == PngKind::Rgba ? p >> 24 : 255;
            for (const int shift : {16, 8, 0}) {
                const std::uint32_t c = (p >> shift) & 0xff;
                pixels[at++] = static_cast<std::uint8_t>(a == 0 ? 0 : std::min(255u, (c * 255 + a / 2) / a));
            }
            if (channels == 4) pixels[at++] = static_cast<std::uint8_t>(a);
        }
    }
    if (file.extension() == ".jpg") {
        if (channels != 3) throw std::runtime_error(file.string() + ": a JPEG must be drawn on an Rgb canvas");
        for (std::uint8_t& c : pixels) c = std::max(c, kJpegFloor);
        if (const char* error = write_jpeg(file.c_str(), pixels.data(), width_, height_)) {
            throw std::runtime_error(file.string() + ": " + error);
        }
        return;
    }
    if (const char* error = write_png(file.c_str(), pixels.data(), width_, height_, channels)) {
        throw std::runtime_error(file.string() + ": " + error);
    }
}

}  // namespace gfxgen
