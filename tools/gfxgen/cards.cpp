// Card pictures: the silhouette, the backs and the faces. Every card shares one outline
// (kCardWidth x kCardHeight, corner radius kCardRadius) so masks, faces and backs line up.
#include "recipes.h"

#include <cmath>
#include <numbers>

namespace gfxgen {

using namespace palette;

const BackColours kBackDuskForest{
    .edge_top = dusk,
    .edge_bottom = dusk_deep,
    .field_top = forest,
    .field_bottom = forest_deep,
    .cell = dusk,
    .medallion = dusk_deep,
    .sprig = forest_light,
    .rune = Rune::Algiz,
};

namespace {

constexpr double kW = kCardWidth;
constexpr double kH = kCardHeight;
constexpr double kPi = std::numbers::pi;

void card_outline(cairo_t* cr) { rounded_rect(cr, 0, 0, kW, kH, kCardRadius); }

// A fine dark line just inside the outline so stacked cards separate.
void card_edge_line(cairo_t* cr, Rgb colour, double alpha) {
    rounded_rect(cr, 0.5, 0.5, kW - 1, kH - 1, kCardRadius - 0.5);
    set_colour(cr, colour, alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void ellipse_path(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// Diamond lattice over the field: alternate cells tinted, tiny sprigs in the others,
// faint gold lines and dots where the lines cross.
void back_lattice(cairo_t* cr, const BackColours& colours, double x, double y, double w, double h) {
    constexpr double step_x = 12;
    constexpr double step_y = 14;
    const double cx = x + w / 2;
    const double cy = y + h / 2;
    const int nx = static_cast<int>(w / step_x / 2) + 2;
    const int ny = static_cast<int>(h / step_y / 2) + 2;

    auto diamond = [&](double px, double py) {
        cairo_move_to(cr, px, py - step_y / 2);
        cairo_line_to(cr, px + step_x / 2, py);
        cairo_line_to(cr, px, py + step_y / 2);
        cairo_line_to(cr, px - step_x / 2, py);
        cairo_close_path(cr);
    };
    for (int j = -ny; j <= ny; ++j) {
        for (int i = -nx; i <= nx; ++i) {
            const double px = cx + i * step_x;
            const double py = cy + j * step_y;
            if ((i + j) % 2 == 0) {
                diamond(px, py);
                set_colour(cr, colours.cell, 0.55);
                cairo_fill(cr);
            } else {
                leaf(cr, px, py + 3, 6, 3.2, -kPi / 2, colours.sprig, colours.field_bottom, 0.8);
            }
            // Cells of the offset grid fill the gaps between these.
            diamond(px + step_x / 2, py + step_y / 2);
            set_colour(cr, colours.cell, 0.22);
            cairo_fill(cr);
        }
    }
    // Lattice lines: two families of diagonals through the diamond corners.
    cairo_set_line_width(cr, 0.7);
    set_colour(cr, gold, 0.32);
    const double slope = step_y / step_x;
    for (int k = -nx * 4; k <= nx * 4; ++k) {
        const double x0 = cx + (k + 0.5) * step_x;
        cairo_move_to(cr, x0 - h, cy - h * slope);
        cairo_line_to(cr, x0 + h, cy + h * slope);
        cairo_move_to(cr, x0 + h, cy - h * slope);
        cairo_line_to(cr, x0 - h, cy + h * slope);
    }
    cairo_stroke(cr);
    set_colour(cr, gold_light, 0.5);
    for (int j = -ny; j <= ny; ++j) {
        for (int i = -nx; i <= nx; ++i) {
            const double px = cx + i * step_x + step_x / 2;
            const double py = cy + j * step_y;
            cairo_new_sub_path(cr);
            cairo_arc(cr, px, py, 0.8, 0, 2 * kPi);
        }
    }
    cairo_fill(cr);
}

// Centre oval with a gold ring, a rune and leaf sprigs above and below.
void back_medallion(cairo_t* cr, const BackColours& colours) {
    const double cx = kW / 2;
    const double cy = kH / 2;
    constexpr double rx = 21;
    constexpr double ry = 29;

    soft_shadow(cr, [&](cairo_t* c) { ellipse_path(c, cx, cy, rx + 1, ry + 1); }, 0, 1.5, 3, black, 0.55);
    ellipse_path(cr, cx, cy, rx, ry);
    const Pattern fill = radial(cx, cy - 6, 2, ry + 4,
                                {{0.0, mix(colours.medallion, colours.edge_top, 0.8)}, {1.0, colours.medallion}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);

    ellipse_path(cr, cx, cy, rx - 0.7, ry - 0.7);
    gold_stroke(cr, cx - rx, cy - ry, 2 * rx, 2 * ry, 1.4);
    ellipse_path(cr, cx, cy, rx - 3.5, ry - 3.5);
    set_colour(cr, gold, 0.45);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);

    // Sprigs that cross the ring top and bottom, gold on the dusk band.
    for (const double side : {-1.0, 1.0}) {
        const double y = cy + side * (ry + 3);
        leaf(cr, cx, y, 9, 4.5, side * kPi / 2, gold, gold_dark);
        leaf(cr, cx, y, 7, 3.5, side * kPi / 2 - 0.9, gold, gold_dark, 0.9);
        leaf(cr, cx, y, 7, 3.5, side * kPi / 2 + 0.9, gold, gold_dark, 0.9);
    }

    // The rune: a soft glow under a crisp gold stroke.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    rune_path(cr, colours.rune, cx, cy, 30);
    set_colour(cr, gold_light, 0.18);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    rune_path(cr, colours.rune, cx, cy, 30);
    gold_stroke(cr, cx - 10, cy - 15, 20, 30, 2.2);
}

// A five-pointed gold crown, `width` wide, centred on (cx, cy), with a suit gem on the band.
void crown(cairo_t* cr, double cx, double cy, double width, Suit suit) {
    struct Point {
        double x, y;
    };
    // Unit crown, 1 wide; tips alternate high and low.
    constexpr Point tips[] = {{-0.5, -0.3}, {-0.25, -0.16}, {0, -0.42}, {0.25, -0.16}, {0.5, -0.3}};
    constexpr Point valleys[] = {{-0.37, 0.0}, {-0.13, -0.02}, {0.13, -0.02}, {0.37, 0.0}};
    constexpr double band_top = 0.1;
    constexpr double band_bottom = 0.32;

    auto body = [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, cx, cy);
        cairo_scale(c, width, width);
        cairo_move_to(c, -0.44, band_top + 0.02);
        cairo_line_to(c, tips[0].x, tips[0].y);
        for (int i = 0; i < 4; ++i) {
            cairo_line_to(c, valleys[i].x, valleys[i].y);
            cairo_line_to(c, tips[i + 1].x, tips[i + 1].y);
        }
        cairo_line_to(c, 0.44, band_top + 0.02);
        cairo_close_path(c);
        rounded_rect(c, -0.47, band_top, 0.94, band_bottom - band_top, 0.04);
        for (const Point& t : tips) {
            cairo_new_sub_path(c);
            cairo_arc(c, t.x, t.y - 0.03, t.y < -0.2 ? 0.055 : 0.045, 0, 2 * kPi);
        }
        cairo_restore(c);
    };

    soft_shadow(cr, body, 0.8, 1.6, 2, ink, 0.45);

    const double top = cy - 0.5 * width;
    const double bottom = cy + band_bottom * width;
    const Pattern metal = linear(
        cx, top, cx, bottom, {{0.0, gold_light}, {0.45, gold}, {0.75, mix(gold, gold_dark, 0.4)}, {1.0, gold_dark}});
    body(cr);
    cairo_set_source(cr, metal.get());
    cairo_fill_preserve(cr);
    set_colour(cr, gold_dark);
    cairo_set_line_width(cr, 0.8);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);

    // Band: a light rim along its top edge, a pip as centre stone, two small dark stones.
    const double band_y = cy + (band_top + band_bottom) / 2 * width;
    cairo_move_to(cr, cx - 0.44 * width, cy + band_top * width + 1);
    cairo_line_to(cr, cx + 0.44 * width, cy + band_top * width + 1);
    set_colour(cr, gold_light, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    pip(cr, suit, cx, band_y, 0.2 * width);
    for (const double side : {-1.0, 1.0}) {
        ellipse_path(cr, cx + side * 0.28 * width, band_y, 0.05 * width, 0.06 * width);
        set_colour(cr, suit == Suit::Hearts || suit == Suit::Diamonds ? dusk : ember_dark);
        cairo_fill(cr);
    }
}

// Rank above pip in the top-left corner; drawn twice, once turned for the other corner.
void corner_index(cairo_t* cr, const Typeface& typeface, const char* rank, Suit suit) {
    constexpr double column_x = 11.5;
    constexpr double rank_size = 25;
    constexpr double rank_baseline = 25;
    constexpr double pip_y = 34;
    constexpr double pip_size = 12;
    for (int turn = 0; turn < 2; ++turn) {
        cairo_save(cr);
        if (turn == 1) {
            cairo_translate(cr, kW, kH);
            cairo_rotate(cr, kPi);
        }
        text_path(cr, typeface, rank_size, rank, column_x, rank_baseline, Align::Centre);
        set_colour(cr, suit_colour(suit));
        cairo_fill(cr);
        pip(cr, suit, column_x, pip_y, pip_size);
        cairo_restore(cr);
    }
}

void face_base(cairo_t* cr) {
    card_outline(cr);
    cairo_clip(cr);
    const Pattern paper = linear(0, 0, kW, kH, {{0.0, cream}, {1.0, cream_shade}});
    cairo_set_source(cr, paper.get());
    cairo_paint(cr);
}

}  // namespace

Canvas card_mask(const Context&) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    card_outline(cr);
    set_colour(cr, white);
    cairo_fill(cr);
    return canvas;
}

Canvas card_back(const Context&, const BackColours& colours) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    card_outline(cr);
    cairo_clip(cr);

    const Pattern band = linear(0, 0, 0, kH, {{0.0, colours.edge_top}, {1.0, colours.edge_bottom}});
    cairo_set_source(cr, band.get());
    cairo_paint(cr);

    constexpr double inset = 5;
    const double fx = inset;
    const double fy = inset;
    const double fw = kW - 2 * inset;
    const double fh = kH - 2 * inset;
    cairo_save(cr);
    rounded_rect(cr, fx, fy, fw, fh, 4);
    cairo_clip(cr);
    const Pattern field = linear(0, fy, 0, fy + fh, {{0.0, colours.field_top}, {1.0, colours.field_bottom}});
    cairo_set_source(cr, field.get());
    cairo_paint(cr);
    back_lattice(cr, colours, fx, fy, fw, fh);
    vignette(cr, fx, fy, fw, fh, 0.45);
    cairo_restore(cr);

    gold_border(cr, fx - 1, fy - 1, fw + 2, fh + 2, 5, 1.1);
    back_medallion(cr, colours);

    // A breath of light from the top left, then the dark edge line.
    const Pattern sheen = linear(0, 0, kW, kH, {{0.0, white, 0.10}, {0.5, white, 0.0}});
    cairo_set_source(cr, sheen.get());
    cairo_paint(cr);
    card_edge_line(cr, black, 0.55);
    return canvas;
}

Canvas court_face(const Context& context, const char* rank, Suit suit, Emblem emblem) {
    Canvas canvas(kCardWidth, kCardHeight);
    cairo_t* cr = canvas.cr();
    face_base(cr);

    // Inner frame between the index columns, a warm parchment panel.
    constexpr double frame_x = 24;
    constexpr double frame_y = 10;
    constexpr double frame_w = kW - 2 * frame_x;
    constexpr double frame_h = kH - 2 * frame_y;
    rounded_rect(cr, frame_x, frame_y, frame_w, frame_h, 4);
    const Pattern panel = radial(kW / 2, kH / 2, 4, frame_h * 0.6,
                                 {{0.0, mix(cream, parchment, 0.25)}, {1.0, mix(cream, parchment, 0.75)}});
    cairo_set_source(cr, panel.get());
    cairo_fill(cr);
    gold_border(cr, frame_x, frame_y, frame_w, frame_h, 4, 1.0);

    // A suit pip over a leaf sprig at each end of the panel, the lower one turned round.
    for (int turn = 0; turn < 2; ++turn) {
        cairo_save(cr);
        if (turn == 1) {
            cairo_translate(cr, kW, kH);
            cairo_rotate(cr, kPi);
        }
        const double pip_y = frame_y + 18;
        const double stem_y = pip_y + 8;
        for (const double side : {-1.0, 1.0}) {
            leaf(cr, kW / 2 + side * 1.5, stem_y, 11, 4.4, -kPi / 2 + side * 1.2, forest, forest_deep);
            leaf(cr, kW / 2 + side * 1.5, stem_y, 7, 3.4, -kPi / 2 + side * 2.0, forest_light, forest_deep);
        }
        pip(cr, suit, kW / 2, pip_y, 13);
        cairo_restore(cr);
    }

    switch (emblem) {
    case Emblem::Crown:
        crown(cr, kW / 2, kH / 2, 40, suit);
        break;
    }

    corner_index(cr, context.typeface, rank, suit);
    card_edge_line(cr, card_edge, 0.9);
    return canvas;
}

}  // namespace gfxgen
