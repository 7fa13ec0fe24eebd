// The twelve runes of the quest map: one carved stone per stage. A reached stage shows
// its rune cut in gold into warm stone; a stage still ahead shows a faint grey-blue
// silhouette of the same stone. Every rune is its own symbol so the path reads at a glance.
#include "recipes.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace gfxgen {

using namespace palette;

namespace {

constexpr int kSize = 64;
constexpr double kC = kSize / 2.0;
constexpr double kStone = 26;  // stone radius
constexpr double kGlyph = 15;  // half the glyph's height

struct P {
    double x, y;
};
// A rune is a few strokes; each stroke a polyline in a box from -1 to 1 (y down).
using Stroke = std::vector<P>;
using Glyph = std::vector<Stroke>;

const std::vector<Glyph>& glyphs() {
    static const std::vector<Glyph> kGlyphs = {
        // 1 the gate: a stave opening upward
        {{{0, 1}, {0, -1}}, {{0, -0.1}, {-0.6, -0.8}}, {{0, -0.1}, {0.6, -0.8}}},
        // 2 the fern: a stave with two pairs of fronds
        {{{0, -1}, {0, 1}}, {{-0.55, -0.8}, {0, -0.35}, {0.55, -0.8}}, {{-0.55, -0.15}, {0, 0.3}, {0.55, -0.15}}},
        // 3 the ford: a diamond stepping stone
        {{{0, -1}, {0.62, 0}, {0, 1}, {-0.62, 0}, {0, -1}}},
        // 4 the mill: two turning sails crossed into a lozenge
        {{{-0.5, -1}, {0.5, 0}, {-0.5, 1}}, {{0.5, -1}, {-0.5, 0}, {0.5, 1}}},
        // 5 the standing stones: two staves joined
        {{{-0.55, -0.9}, {-0.55, 0.9}, {0.55, -0.9}, {0.55, 0.9}}},
        // 6 the river: two waves
        {{{-0.75, -0.55}, {-0.25, -0.05}, {0.25, -0.55}, {0.75, -0.05}},
         {{-0.75, 0.2}, {-0.25, 0.7}, {0.25, 0.2}, {0.75, 0.7}}},
        // 7 the owl: a stave with a thorn
        {{{-0.3, -1}, {-0.3, 1}}, {{-0.3, -0.5}, {0.45, 0}, {-0.3, 0.5}}},
        // 8 the keep: a tower on legs
        {{{0, -1}, {0.5, -0.45}, {0, 0.1}, {-0.5, -0.45}, {0, -1}}, {{0, 0.1}, {-0.55, 1}}, {{0, 0.1}, {0.55, 1}}},
        // 9 the fells: a peak over a path
        {{{-0.7, 0.35}, {0, -0.8}, {0.7, 0.35}}, {{-0.5, 0.85}, {0.5, 0.85}}},
        // 10 the marsh light: a spark in a zig-zag
        {{{-0.5, -0.9}, {0.4, -0.3}, {-0.4, 0.3}, {0.5, 0.9}}},
        // 11 the tower: an arrow pointing up
        {{{0, 1}, {0, -1}}, {{-0.55, -0.45}, {0, -1}, {0.55, -0.45}}, {{-0.4, 0.55}, {0.4, 0.55}}},
        // 12 the heartwood: a six-rayed star
        {{{0, -1}, {0, 1}}, {{-0.82, -0.5}, {0.82, 0.5}}, {{0.82, -0.5}, {-0.82, 0.5}}},
    };
    return kGlyphs;
}

void circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
}

void glyph_path(cairo_t* cr, const Glyph& glyph, double dx, double dy) {
    cairo_new_path(cr);
    for (const Stroke& s : glyph) {
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double x = kC + dx + s[i].x * kGlyph, y = kC + dy + s[i].y * kGlyph;
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
    }
}

// A slightly irregular round stone, so no two runes look stamped from one die.
void stone_path(cairo_t* cr, int index) {
    cairo_new_path(cr);
    const int n = 28;
    for (int i = 0; i <= n; ++i) {
        const double a = i * 2 * std::numbers::pi / n;
        const double wobble = 1.0 + 0.035 * std::sin(a * 3 + index) + 0.02 * std::cos(a * 5 + index * 2);
        const double x = kC + std::cos(a) * kStone * wobble, y = kC + std::sin(a) * kStone * wobble;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void carved(cairo_t* cr, const Glyph& glyph) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // The groove: a dark cut a little below right of the gold.
    glyph_path(cr, glyph, 0.8, 0.9);
    set_colour(cr, hex(0x241a10), 0.75);
    cairo_set_line_width(cr, 5.6);
    cairo_stroke(cr);
    // The gold inlay.
    glyph_path(cr, glyph, 0, 0);
    gold_stroke(cr, kC - kGlyph, kC - kGlyph, 2 * kGlyph, 2 * kGlyph, 3.8);
    // A thin glint along the upper left edges.
    glyph_path(cr, glyph, -0.7, -0.7);
    set_colour(cr, gold_light, 0.55);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

}  // namespace

Canvas map_rune(const Context&, int index, bool dark) {
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr();
    const Glyph& glyph = glyphs()[static_cast<std::size_t>((index - 1) % 12)];
    if (dark) {
        // Only the shape of what is to come: a cool, flat stone and a fainter mark.
        stone_path(cr, index);
        set_colour(cr, hex(0x6d7f96), 0.75);
        cairo_fill(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        glyph_path(cr, glyph, 0, 0);
        set_colour(cr, hex(0x3a4a60), 0.85);
        cairo_set_line_width(cr, 3.8);
        cairo_stroke(cr);
        return canvas;
    }
    soft_shadow(cr, [index](cairo_t* c) { stone_path(c, index); }, 1.5, 2, 3, ink, 0.6);
    // Warm stone, lit from the upper left.
    stone_path(cr, index);
    const Pattern stone = radial(kC - 7, kC - 8, 2, kStone * 1.25,
                                 {{0.0, hex(0xb8a684)}, {0.55, hex(0x8a7658)}, {1.0, hex(0x4f4030)}});
    cairo_set_source(cr, stone.get());
    cairo_fill_preserve(cr);
    set_colour(cr, hex(0x3a2e22), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A worn gold ring just inside the edge.
    circle(cr, kC, kC, kStone - 3.5);
    gold_stroke(cr, kC - kStone, kC - kStone, 2 * kStone, 2 * kStone, 1.1);
    carved(cr, glyph);
    return canvas;
}

}  // namespace gfxgen
