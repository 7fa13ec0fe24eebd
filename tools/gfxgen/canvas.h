// A Cairo surface with its drawing context, owned together, and its PNG/JPEG writer.
#pragma once

#include <cairo.h>

#include <filesystem>

namespace gfxgen {

// How a picture is stored: Rgba (un-premultiplied, alpha kept even when all opaque) or
// Rgb for pictures the engine masks by colour, which must have no alpha channel.
enum class PngKind { Rgba, Rgb };

class Canvas {
public:
    Canvas(int width, int height, PngKind kind = PngKind::Rgba);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }
    PngKind kind() const { return kind_; }

    // Writes the picture, as JPEG when the name ends in ".jpg" (Rgb canvases only);
    // throws std::runtime_error on failure.
    void save(const std::filesystem::path& file) const;

private:
    void release();

    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    PngKind kind_ = PngKind::Rgba;
};

}  // namespace gfxgen
