// Resource tokens: the coins and the gem that fly from the table to the cash panel.
// The game draws them at scale 1 about their centre and turns them once in flight, so
// every shadow is centred (no direction that would spin with the token) and every
// detail is bold enough to read at about 40 pixels.
#include "recipes.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace gfxgen {

using namespace palette;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kC = kTokenSize / 2.0;  // token centre
constexpr double kR = 17.5;              // coin radius

// One metal: the light, middle and dark tones of a coin.
struct Metal {
    Rgb light, mid, dark, deep;
};

constexpr Metal kGold{gold_light, gold, gold_dark, hex(0x5e4210)};
constexpr Metal kSilver{hex(0xf4f7fa), hex(0xbfcad4), hex(0x7d8b98), hex(0x46515c)};

void circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_close_path(cr);
}

// A dark halo all round so the token stands off any table picture.
void token_halo(cairo_t* cr, double r) {
    soft_shadow(cr, [r](cairo_t* c) { circle(c, kC, kC, r); }, 0, 0, 2, ink, 0.55);
}

// The coin body: domed face, milled rim, raised inner ring.
void coin_body(cairo_t* cr, const Metal& m) {
    token_halo(cr, kR + 0.5);
    // Rim: a metallic band lit from the upper left.
    circle(cr, kC, kC, kR);
    const Pattern rim = linear(kC - kR, kC - kR, kC + kR, kC + kR,
                               {{0.0, m.light}, {0.35, m.mid}, {0.7, m.dark}, {1.0, m.mid}});
    cairo_set_source(cr, rim.get());
    cairo_fill(cr);
    // Milling: short notches around the rim.
    cairo_save(cr);
    set_colour(cr, m.deep, 0.35);
    cairo_set_line_width(cr, 0.9);
    for (int i = 0; i < 40; ++i) {
        const double a = i * 2 * kPi / 40;
        cairo_move_to(cr, kC + std::cos(a) * (kR - 2.6), kC + std::sin(a) * (kR - 2.6));
        cairo_line_to(cr, kC + std::cos(a) * (kR - 0.6), kC + std::sin(a) * (kR - 0.6));
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    // Field: a shallow dish, darker toward its upper-left edge, light pooled low right.
    const double field = kR - 3.2;
    circle(cr, kC, kC, field);
    const Pattern dish = radial(kC + 3, kC + 3, 1, field + 3, {{0.0, m.light}, {0.55, m.mid}, {1.0, m.dark}});
    cairo_set_source(cr, dish.get());
    cairo_fill(cr);
    // Raised ring: dark on the shadowed side, light on the lit side.
    circle(cr, kC, kC, field);
    cairo_set_line_width(cr, 1.1);
    const Pattern ring = linear(kC - field, kC - field, kC + field, kC + field,
                                {{0.0, m.deep}, {0.5, m.dark}, {1.0, m.light}});
    cairo_set_source(cr, ring.get());
    cairo_stroke(cr);
    // Outline.
    circle(cr, kC, kC, kR - 0.4);
    set_colour(cr, m.deep, 0.9);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// Strokes the current path as an embossed mark: a light edge below right, the dark mark above.
void emboss_stroke(cairo_t* cr, const Metal& m, double width) {
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 0.7, 0.7);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    set_colour(cr, m.light, 0.95);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_save(cr);
    set_colour(cr, m.deep, 0.95);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_path_destroy(path);
}

// Fills the current path as an embossed shape.
void emboss_fill(cairo_t* cr, const Metal& m) {
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 0.7, 0.7);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    set_colour(cr, m.light, 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    set_colour(cr, m.deep, 0.95);
    cairo_fill(cr);
    cairo_path_destroy(path);
}

// A soft gleam on the upper left of a round token.
void gleam(cairo_t* cr, double r) {
    cairo_save(cr);
    cairo_translate(cr, kC - r * 0.38, kC - r * 0.42);
    cairo_scale(cr, 1.0, 0.6);
    cairo_rotate(cr, -0.5);
    const Pattern shine = radial(0, 0, 0, r * 0.45, {{0.0, white, 0.75}, {1.0, white, 0.0}});
    cairo_set_source(cr, shine.get());
    cairo_arc(cr, 0, 0, r * 0.45, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Four-pointed star path centred on (cx, cy).
void star_path(cairo_t* cr, double cx, double cy, double outer, double inner) {
    for (int i = 0; i < 8; ++i) {
        const double a = -kPi / 2 + i * kPi / 4;
        const double r = i % 2 == 0 ? outer : inner;
        const double x = cx + std::cos(a) * r;
        const double y = cy + std::sin(a) * r;
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

}  // namespace

// Kind 1, earned by every combo card: a gold coin stamped with the sun rune.
Canvas coin_gold(const Context&) {
    Canvas canvas(kTokenSize, kTokenSize);
    cairo_t* cr = canvas.cr();
    coin_body(cr, kGold);
    rune_path(cr, Rune::Sowilo, kC, kC, 15);
    emboss_stroke(cr, kGold, 2.6);
    gleam(cr, kR);
    return canvas;
}

// A silver coin with a leaf sprig.
Canvas coin_silver(const Context&) {
    Canvas canvas(kTokenSize, kTokenSize);
    cairo_t* cr = canvas.cr();
    coin_body(cr, kSilver);
    cairo_move_to(cr, kC, kC + 10);
    cairo_line_to(cr, kC, kC - 2);
    emboss_stroke(cr, kSilver, 1.6);
    leaf_path(cr, kC, kC - 1, 10, 5.5, -kPi / 2);
    emboss_fill(cr, kSilver);
    for (const double side : {-1.0, 1.0}) {
        leaf_path(cr, kC, kC + 5, 9, 5, -kPi / 2 + side * 1.05);
        emboss_fill(cr, kSilver);
    }
    gleam(cr, kR);
    return canvas;
}

// A cut ruby in a thin gold setting.
Canvas gem_ruby(const Context&) {
    Canvas canvas(kTokenSize, kTokenSize);
    cairo_t* cr = canvas.cr();
    constexpr int kSides = 8;
    constexpr double kGirdle = 16.5;  // outer corners of the stone
    constexpr double kTable = 8.5;    // corners of the flat top
    auto corner = [](double r, int i) {
        const double a = -kPi / 2 + kPi / kSides + i * 2 * kPi / kSides;
        return std::pair{kC + std::cos(a) * r, kC + std::sin(a) * r};
    };
    auto polygon = [&](cairo_t* c, double r) {
        for (int i = 0; i < kSides; ++i) {
            const auto [x, y] = corner(r, i);
            if (i == 0) {
                cairo_move_to(c, x, y);
            } else {
                cairo_line_to(c, x, y);
            }
        }
        cairo_close_path(c);
    };
    soft_shadow(cr, [&](cairo_t* c) { polygon(c, kGirdle + 2.5); }, 0, 0, 2, ink, 0.6);
    // Gold setting.
    polygon(cr, kGirdle + 2.2);
    const Pattern setting = gold_pattern(kC - 19, kC - 19, kC + 19, kC + 19);
    cairo_set_source(cr, setting.get());
    cairo_fill(cr);
    polygon(cr, kGirdle + 2.2);
    set_colour(cr, gold_dark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Crown facets: each a trapezoid between table and girdle, shaded by its facing.
    const Rgb ruby_light = hex(0xf0706a);
    const Rgb ruby_deep = hex(0x4a0c10);
    for (int i = 0; i < kSides; ++i) {
        const auto [ax, ay] = corner(kGirdle, i);
        const auto [bx, by] = corner(kGirdle, (i + 1) % kSides);
        const auto [cx, cy] = corner(kTable, (i + 1) % kSides);
        const auto [dx, dy] = corner(kTable, i);
        cairo_move_to(cr, ax, ay);
        cairo_line_to(cr, bx, by);
        cairo_line_to(cr, cx, cy);
        cairo_line_to(cr, dx, dy);
        cairo_close_path(cr);
        // Light from the upper left: facets facing it are bright, the others deep.
        const double facing = -kPi / 2 + (i + 1) * 2 * kPi / kSides;
        const double lit = 0.5 + 0.5 * std::cos(facing - (-3 * kPi / 4));
        set_colour(cr, lit > 0.5 ? mix(ember, ruby_light, (lit - 0.5) * 1.6) : mix(ruby_deep, ember, lit * 2));
        cairo_fill(cr);
    }
    // Table: deep at its centre with a bright pool toward the light.
    polygon(cr, kTable);
    const Pattern table = radial(kC - 2.5, kC - 2.5, 0.5, kTable + 3,
                                 {{0.0, hex(0xff9a90)}, {0.45, ember}, {1.0, ember_dark}});
    cairo_set_source(cr, table.get());
    cairo_fill(cr);
    // Facet edges.
    cairo_set_line_width(cr, 0.6);
    set_colour(cr, ruby_deep, 0.6);
    for (int i = 0; i < kSides; ++i) {
        const auto [ax, ay] = corner(kGirdle, i);
        const auto [dx, dy] = corner(kTable, i);
        cairo_move_to(cr, ax, ay);
        cairo_line_to(cr, dx, dy);
    }
    cairo_stroke(cr);
    polygon(cr, kTable);
    set_colour(cr, hex(0xffc9c0), 0.55);
    cairo_stroke(cr);
    polygon(cr, kGirdle);
    set_colour(cr, ruby_deep, 0.9);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // Sparkle.
    star_path(cr, kC - 5, kC - 6, 4.5, 1.1);
    set_colour(cr, white, 0.9);
    cairo_fill(cr);
    return canvas;
}

}  // namespace gfxgen
