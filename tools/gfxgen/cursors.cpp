// The game's own mouse cursors: a gold arrow and a gold pointing hand, ink outlined with a
// soft shadow. Both have their hot spot (the image handle the game sets) at (14, 6): the
// arrow's tip and the top of the index finger sit there.
#include "recipes.h"

#include <cmath>
#include <span>
#include <vector>

namespace gfxgen {

using namespace palette;

namespace {

constexpr int kSize = 32;
constexpr double kOutline = 1.2;  // ink visible around the gold

// Ink first with a wide stroke, gold over it: only the outer half of the stroke shows,
// so overlapping parts share one clean outline.
void outlined_gold(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double x0, double y0,
                   double x1, double y1) {
    shape(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, kOutline * 2);
    set_colour(cr, ink);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    shape(cr);
    const Pattern fill = linear(x0, y0, x1, y1,
                                {{0.0, gold_light}, {0.45, gold}, {1.0, gold_dark}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
}

// A thin light line along the upper-left edges catches the light.
void glint(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.9);
    set_colour(cr, cream, 0.75);
    cairo_stroke(cr);
}

struct Point {
    double x, y;
};

// The arrow's outline, its tip exactly on the hot spot (14, 6).
constexpr Point kArrow[] = {{14.0, 6.0},  {14.0, 25.0}, {18.6, 21.0}, {21.8, 27.8},
                            {25.6, 26.1}, {22.6, 19.6}, {28.2, 19.4}};

void polygon_path(cairo_t* cr, std::span<const Point> points) {
    cairo_new_path(cr);
    for (const Point& p : points) cairo_line_to(cr, p.x, p.y);
    cairo_close_path(cr);
}

// The polygon with every edge moved inward by d, corners where the moved edges meet:
// an even ink band all round, and a tip that stays sharp.
std::vector<Point> inset(std::span<const Point> points, double d) {
    const size_t n = points.size();
    double area = 0;
    for (size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        area += a.x * b.y - b.x * a.y;
    }
    const double side = area > 0 ? 1 : -1;  // which normal points inward
    struct Line {
        Point p, dir;
    };
    std::vector<Line> lines;
    for (size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        const Point dir{(b.x - a.x) / len, (b.y - a.y) / len};
        const Point normal{-dir.y * side, dir.x * side};
        lines.push_back({{a.x + normal.x * d, a.y + normal.y * d}, dir});
    }
    std::vector<Point> out;
    for (size_t i = 0; i < n; ++i) {
        const Line& l1 = lines[(i + n - 1) % n];
        const Line& l2 = lines[i];
        const double det = l1.dir.x * l2.dir.y - l1.dir.y * l2.dir.x;
        const double t = ((l2.p.x - l1.p.x) * l2.dir.y - (l2.p.y - l1.p.y) * l2.dir.x) / det;
        out.push_back({l1.p.x + l1.dir.x * t, l1.p.y + l1.dir.y * t});
    }
    return out;
}

// Index finger up, three folded fingers, thumb to the left, a cuff at the wrist.
void hand_path(cairo_t* cr) {
    cairo_new_path(cr);
    // index finger: its rounded top at (14.5, 6) with the outline
    rounded_rect(cr, 12.6, 6.0 + kOutline, 3.8, 13.5, 1.9);
    // folded fingers
    rounded_rect(cr, 16.6, 12.6, 3.6, 8.0, 1.8);
    rounded_rect(cr, 19.9, 13.6, 3.5, 7.5, 1.75);
    rounded_rect(cr, 23.0, 15.0, 3.3, 6.5, 1.65);
    // palm
    rounded_rect(cr, 12.2, 16.5, 14.1, 9.5, 3.6);
    // thumb, reaching out to the left and up
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 13.5, 24.0);
    cairo_curve_to(cr, 11.0, 23.5, 8.2, 21.2, 7.4, 19.0);
    cairo_curve_to(cr, 6.9, 17.4, 8.6, 16.4, 10.0, 17.4);
    cairo_curve_to(cr, 11.2, 18.2, 12.3, 19.3, 13.5, 19.5);
    cairo_close_path(cr);
}

void add_cuff(cairo_t* cr) { rounded_rect(cr, 13.2, 25.2, 12.4, 4.2, 1.2); }

void cuff_path(cairo_t* cr) {
    cairo_new_path(cr);
    add_cuff(cr);
}

// The index finger's side, the gaps between the folded fingers and the thumb's crease.
void hand_creases(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.9);
    set_colour(cr, ink, 0.85);
    const struct {
        double x, top, bottom;
    } gaps[] = {{16.5, 13.0, 19.0}, {20.0, 14.2, 17.2}, {23.1, 15.6, 18.0}};
    for (const auto& g : gaps) {
        cairo_move_to(cr, g.x, g.top);
        cairo_line_to(cr, g.x, g.bottom);
    }
    cairo_move_to(cr, 13.3, 19.6);
    cairo_curve_to(cr, 13.9, 20.6, 14.4, 21.6, 14.6, 22.6);
    cairo_stroke(cr);
}

// Shadow of a shape drawn with outlined_gold, outline included.
void shadow_of(cairo_t* cr, const std::function<void(cairo_t*)>& shape) {
    soft_shadow(
        cr,
        [&](cairo_t* c) {
            shape(c);
            cairo_set_line_width(c, kOutline * 2);
            cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(c);
        },
        1.6, 2.0, 2, ink, 0.45);
}

}  // namespace

Canvas cursor_arrow(const Context&) {
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr();
    const auto outer = [](cairo_t* c) { polygon_path(c, kArrow); };
    soft_shadow(cr, outer, 1.6, 2.0, 2, ink, 0.45);
    outer(cr);
    set_colour(cr, ink);
    cairo_fill(cr);

    const std::vector<Point> inner = inset(kArrow, kOutline);
    polygon_path(cr, inner);
    const Pattern fill = linear(14, 6, 24, 26, {{0.0, gold_light}, {0.45, gold}, {1.0, gold_dark}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
    glint(cr, inner[0].x + 0.6, inner[0].y + 2.0, inner[1].x + 0.6, inner[1].y - 4.0);
    return canvas;
}

Canvas cursor_hand(const Context&) {
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr();
    const auto whole = [](cairo_t* c) {
        hand_path(c);
        add_cuff(c);
    };
    // A faint warm glow around the fingertip says "this can be clicked".
    const Pattern glow = radial(14.5, 8.0, 0.5, 7.0, {{0.0, gold_light, 0.55}, {1.0, gold_light, 0.0}});
    cairo_set_source(cr, glow.get());
    cairo_paint(cr);

    shadow_of(cr, whole);
    outlined_gold(cr, hand_path, 10, 6, 24, 28);
    hand_creases(cr);
    glint(cr, 13.6, 9.0, 13.6, 15.5);

    // The cuff in deep ember with a gold rim.
    cuff_path(cr);
    cairo_set_line_width(cr, kOutline * 2);
    set_colour(cr, ink);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cuff_path(cr);
    const Pattern cuff = linear(0, 25.2, 0, 29.4, {{0.0, ember}, {1.0, ember_dark}});
    cairo_set_source(cr, cuff.get());
    cairo_fill(cr);
    cairo_move_to(cr, 13.8, 26.0);
    cairo_line_to(cr, 25.0, 26.0);
    cairo_set_line_width(cr, 0.8);
    set_colour(cr, gold, 0.9);
    cairo_stroke(cr);
    return canvas;
}

}  // namespace gfxgen
