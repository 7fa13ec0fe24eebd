// Plain pictures the engine needs (fades, the mouse-point probe) and engine test pictures.
#include "recipes.h"

#include <cstdint>

namespace gfxgen {

namespace {

Canvas solid(int width, int height, Rgb colour) {
    Canvas canvas(width, height);
    set_colour(canvas.cr(), colour);
    cairo_paint(canvas.cr());
    return canvas;
}

}  // namespace

// Drawn additively at up to 4x over the 1024 x 768 screen for white flashes.
Canvas white_picture(const Context&) { return solid(256, 192, palette::white); }

// The mouse is tested against card masks with this pixel, so it must stay fully opaque.
Canvas point_picture(const Context&) { return solid(1, 1, palette::white); }

// Colour-key masking fixture: exact black 4 x 4 corners on an exact orange field, no alpha.
// Pixels are set by hand so no colour conversion can nudge a value.
Canvas rgb_black_corners(const Context&) {
    constexpr int size = 32;
    constexpr int corner = 4;
    constexpr std::uint32_t field = 0xc86432;  // (200, 100, 50)
    Canvas canvas(size, size, PngKind::Rgb);
    cairo_surface_t* surface = canvas.surface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < size; ++x) {
            const bool near_x = x < corner || x >= size - corner;
            const bool near_y = y < corner || y >= size - corner;
            row[x] = near_x && near_y ? 0u : field;
        }
    }
    cairo_surface_mark_dirty(surface);
    return canvas;
}

}  // namespace gfxgen
