#include "paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace gfxgen {

void set_colour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

// Gradients --------------------------------------------------------------------------

namespace {

Pattern with_stops(cairo_pattern_t* pattern, std::initializer_list<Stop> stops) {
    for (const Stop& s : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.colour.r, s.colour.g, s.colour.b, s.alpha);
    }
    return Pattern(pattern);
}

}  // namespace

Pattern linear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
    return with_stops(cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

Pattern radial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops) {
    return with_stops(cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1), stops);
}

Pattern gold_pattern(double x0, double y0, double x1, double y1) {
    using namespace palette;
    return linear(x0, y0, x1, y1,
                  {{0.0, gold}, {0.22, gold_light}, {0.42, gold}, {0.62, gold_dark}, {0.82, gold},
                   {1.0, gold_light}});
}

// Shapes -----------------------------------------------------------------------------

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    constexpr double quarter = std::numbers::pi / 2;
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -quarter, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, quarter);
    cairo_arc(cr, x + r, y + h - r, r, quarter, 2 * quarter);
    cairo_arc(cr, x + r, y + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void gold_stroke(cairo_t* cr, double x, double y, double w, double h, double line_width) {
    const Pattern gold = gold_pattern(x, y, x + w, y + h);
    cairo_save(cr);
    cairo_set_source(cr, gold.get());
    cairo_set_line_width(cr, line_width);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void gold_border(cairo_t* cr, double x, double y, double w, double h, double r, double line_width) {
    const double half = line_width / 2;
    rounded_rect(cr, x + half, y + half, w - line_width, h - line_width, std::max(0.0, r - half));
    gold_stroke(cr, x, y, w, h, line_width);
}

void vignette(cairo_t* cr, double x, double y, double w, double h, double strength) {
    Pattern shade = radial(0, 0, 0.45, 1.45, {{0.0, palette::black, 0.0}, {1.0, palette::black, strength}});
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 2 / w, 2 / h);
    cairo_matrix_translate(&m, -(x + w / 2), -(y + h / 2));
    cairo_pattern_set_matrix(shade.get(), &m);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_source(cr, shade.get());
    cairo_paint(cr);
    cairo_restore(cr);
}

namespace {

// One box-blur pass along a line of `count` samples `step` bytes apart.
void blur_line(unsigned char* first, int count, std::ptrdiff_t step, int radius, std::vector<int>& scratch) {
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) scratch[static_cast<std::size_t>(i)] = first[i * step];
    const int width = 2 * radius + 1;
    int sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += i >= 0 && i < count ? scratch[static_cast<std::size_t>(i)] : 0;
    for (int i = 0; i < count; ++i) {
        first[i * step] = static_cast<unsigned char>(sum / width);
        const int leaving = i - radius;
        const int entering = i + radius + 1;
        if (leaving >= 0) sum -= scratch[static_cast<std::size_t>(leaving)];
        if (entering < count) sum += scratch[static_cast<std::size_t>(entering)];
    }
}

// Three box passes each way come close to a Gaussian.
void blur_a8(cairo_surface_t* surface, int radius) {
    if (radius <= 0) return;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<int> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) blur_line(data + static_cast<std::ptrdiff_t>(y) * stride, w, 1, radius, scratch);
        for (int x = 0; x < w; ++x) blur_line(data + x, h, stride, radius, scratch);
    }
    cairo_surface_mark_dirty(surface);
}

}  // namespace

void soft_shadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                 int blur_radius, Rgb colour, double alpha) {
    cairo_surface_t* target = cairo_get_target(cr);
    const int w = cairo_image_surface_get_width(target);
    const int h = cairo_image_surface_get_height(target);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* mcr = cairo_create(mask);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_translate(mcr, dx, dy);
    cairo_transform(mcr, &m);
    shape(mcr);
    cairo_set_source_rgba(mcr, 0, 0, 0, 1);
    cairo_fill(mcr);
    cairo_destroy(mcr);
    blur_a8(mask, blur_radius);

    cairo_save(cr);
    cairo_identity_matrix(cr);
    set_colour(cr, colour, alpha);
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

// Ornaments --------------------------------------------------------------------------

void leaf_path(cairo_t* cr, double x, double y, double length, double width, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    const double half = width / 2;
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.25, -half * 1.3, length * 0.7, -half * 1.1, length, 0);
    cairo_curve_to(cr, length * 0.7, half * 1.1, length * 0.25, half * 1.3, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void leaf(cairo_t* cr, double x, double y, double length, double width, double angle, Rgb fill, Rgb vein,
          double alpha) {
    cairo_save(cr);
    leaf_path(cr, x, y, length, width, angle);
    set_colour(cr, fill, alpha);
    cairo_fill(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, length * 0.08, 0);
    cairo_line_to(cr, length * 0.82, 0);
    cairo_set_line_width(cr, std::max(0.6, width * 0.12));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_colour(cr, vein, alpha);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void rune_path(cairo_t* cr, Rune rune, double cx, double cy, double height) {
    // Unit marks, 1 tall and centred; scaled by hand so the caller's line width is untouched.
    auto move = [&](double x, double y) { cairo_move_to(cr, cx + x * height, cy + y * height); };
    auto line = [&](double x, double y) { cairo_line_to(cr, cx + x * height, cy + y * height); };
    switch (rune) {
    case Rune::Algiz:
        move(0, -0.5); line(0, 0.5);
        move(-0.3, -0.38); line(0, -0.04); line(0.3, -0.38);
        break;
    case Rune::Ingwaz:
        move(-0.25, -0.5); line(0.25, 0); line(-0.25, 0.5);
        move(0.25, -0.5); line(-0.25, 0); line(0.25, 0.5);
        break;
    case Rune::Othala:
        move(0.28, 0.5); line(-0.3, -0.12); line(0, -0.5); line(0.3, -0.12); line(-0.28, 0.5);
        break;
    case Rune::Dagaz:
        move(-0.3, -0.5); line(0.3, 0.5); line(0.3, -0.5); line(-0.3, 0.5);
        cairo_close_path(cr);
        break;
    case Rune::Sowilo:
        move(0.16, -0.5); line(-0.2, -0.08); line(0.2, 0.08); line(-0.16, 0.5);
        break;
    }
}

// Suits ------------------------------------------------------------------------------

Rgb suit_colour(Suit suit) {
    return suit == Suit::Hearts || suit == Suit::Diamonds ? palette::ember : palette::ink;
}

void suit_path(cairo_t* cr, Suit suit, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    cairo_new_sub_path(cr);
    switch (suit) {
    case Suit::Hearts:
        cairo_move_to(cr, 0, 0.5);
        cairo_curve_to(cr, -0.14, 0.3, -0.5, 0.08, -0.5, -0.2);
        cairo_curve_to(cr, -0.5, -0.4, -0.36, -0.5, -0.25, -0.5);
        cairo_curve_to(cr, -0.11, -0.5, -0.03, -0.42, 0, -0.3);
        cairo_curve_to(cr, 0.03, -0.42, 0.11, -0.5, 0.25, -0.5);
        cairo_curve_to(cr, 0.36, -0.5, 0.5, -0.4, 0.5, -0.2);
        cairo_curve_to(cr, 0.5, 0.08, 0.14, 0.3, 0, 0.5);
        cairo_close_path(cr);
        break;
    case Suit::Diamonds:
        cairo_move_to(cr, 0, -0.5);
        cairo_curve_to(cr, 0.1, -0.3, 0.24, -0.13, 0.38, 0);
        cairo_curve_to(cr, 0.24, 0.13, 0.1, 0.3, 0, 0.5);
        cairo_curve_to(cr, -0.1, 0.3, -0.24, 0.13, -0.38, 0);
        cairo_curve_to(cr, -0.24, -0.13, -0.1, -0.3, 0, -0.5);
        cairo_close_path(cr);
        break;
    case Suit::Spades:
        cairo_move_to(cr, 0, -0.5);
        cairo_curve_to(cr, 0.14, -0.3, 0.48, -0.12, 0.48, 0.12);
        cairo_curve_to(cr, 0.48, 0.3, 0.36, 0.37, 0.24, 0.37);
        cairo_curve_to(cr, 0.13, 0.37, 0.06, 0.3, 0.03, 0.22);
        cairo_curve_to(cr, 0.05, 0.36, 0.1, 0.45, 0.19, 0.5);
        cairo_line_to(cr, -0.19, 0.5);
        cairo_curve_to(cr, -0.1, 0.45, -0.05, 0.36, -0.03, 0.22);
        cairo_curve_to(cr, -0.06, 0.3, -0.13, 0.37, -0.24, 0.37);
        cairo_curve_to(cr, -0.36, 0.37, -0.48, 0.3, -0.48, 0.12);
        cairo_curve_to(cr, -0.48, -0.12, -0.14, -0.3, 0, -0.5);
        cairo_close_path(cr);
        break;
    case Suit::Clubs: {
        // Lobes, hub and stem all wind the same way so the non-zero rule unites them.
        constexpr double tau = 2 * std::numbers::pi;
        constexpr double lobe = 0.215;
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, -0.27, lobe, 0, tau);
        cairo_new_sub_path(cr);
        cairo_arc(cr, -0.26, 0.09, lobe, 0, tau);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0.26, 0.09, lobe, 0, tau);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0.0, 0.13, 0, tau);
        cairo_move_to(cr, -0.045, 0.05);
        cairo_line_to(cr, 0.045, 0.05);
        cairo_curve_to(cr, 0.06, 0.3, 0.1, 0.44, 0.19, 0.5);
        cairo_line_to(cr, -0.19, 0.5);
        cairo_curve_to(cr, -0.1, 0.44, -0.06, 0.3, -0.045, 0.05);
        cairo_close_path(cr);
        break;
    }
    }
    cairo_restore(cr);
}

void pip(cairo_t* cr, Suit suit, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    suit_path(cr, suit, cx, cy, size);
    set_colour(cr, suit_colour(suit));
    cairo_fill(cr);
    cairo_restore(cr);
}

// Text -------------------------------------------------------------------------------

namespace {

FT_Library freetype() {
    // Kept for the whole run: Cairo may hold on to faces until exit.
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType could not start");
        return lib;
    }();
    return library;
}

const cairo_user_data_key_t ft_face_key{};

}  // namespace

Typeface::Typeface(const std::string& ttf_file) {
    FT_Face ft_face = nullptr;
    if (FT_New_Face(freetype(), ttf_file.c_str(), 0, &ft_face) != 0) {
        throw std::runtime_error("cannot load the typeface " + ttf_file);
    }
    face_ = cairo_ft_font_face_create_for_ft_face(ft_face, 0);
    // Cairo releases the FreeType face when its own face goes away.
    const cairo_status_t status = cairo_font_face_set_user_data(
        face_, &ft_face_key, ft_face, [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face_);
        FT_Done_Face(ft_face);
        throw std::runtime_error("cannot use the typeface " + ttf_file);
    }
}

Typeface::~Typeface() { cairo_font_face_destroy(face_); }

void text_path(cairo_t* cr, const Typeface& typeface, double size, const std::string& text, double x,
               double baseline, Align align) {
    cairo_set_font_face(cr, typeface.face());
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);

    cairo_text_extents_t ink;
    cairo_text_extents(cr, text.c_str(), &ink);
    double start = x - ink.x_bearing;
    if (align == Align::Centre) start -= ink.width / 2;
    if (align == Align::Right) start -= ink.width;
    cairo_move_to(cr, start, baseline);
    cairo_text_path(cr, text.c_str());
}

}  // namespace gfxgen
