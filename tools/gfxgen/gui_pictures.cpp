// The GUI theme's frame pieces and a small family of buttons: parchment panels with thin
// gold borders, rounded corners and soft shadows. Frame pieces are cut from one master
// panel so corners and edges always meet; the edges and the centre are flat along the
// direction the game stretches them, so stretching never smears a detail.
#include "recipes.h"

#include <cmath>
#include <numbers>

namespace gfxgen {

using namespace palette;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr Rgb kBody = mix(parchment, cream, 0.55);
constexpr Rgb kBodyLit = mix(parchment, cream, 0.85);
constexpr Rgb kBodyWarm = mix(cream, gold_light, 0.6);  // a lit button glows warm
constexpr Rgb kGrey = hex(0xb9b2a4);

struct Cut {
    int x, y, w, h;
};

// Copies part of a finished canvas into a new one.
Canvas cut(const Canvas& master, Cut c) {
    Canvas piece(c.w, c.h);
    cairo_t* cr = piece.cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, master.surface(), -c.x, -c.y);
    cairo_paint(cr);
    return piece;
}

// A parchment panel filling (x, y, w, h): shadow, flat body, gold rim, faint inner line.
void panel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb body, double rim,
           bool inner_line) {
    soft_shadow(cr, [=](cairo_t* c) { rounded_rect(c, x, y, w, h, r); }, 0, 2, 3, ink, 0.45);
    rounded_rect(cr, x, y, w, h, r);
    set_colour(cr, body);
    cairo_fill(cr);
    gold_border(cr, x, y, w, h, r, rim);
    if (inner_line) {
        rounded_rect(cr, x + rim + 3.5, y + rim + 3.5, w - 2 * rim - 7, h - 2 * rim - 7, std::max(1.0, r - 4));
        set_colour(cr, gold_dark, 0.45);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// The window master: corners 24, edges and centre 8 (24 + 8 + 24 square).
constexpr int kWinCorner = 24;
constexpr int kWinMid = 8;
constexpr int kWinSize = 2 * kWinCorner + kWinMid;

Canvas window_master() {
    Canvas c(kWinSize, kWinSize);
    cairo_t* cr = c.cr();
    panel(cr, 4, 3, kWinSize - 8, kWinSize - 9, 12, kBody, 2.2, true);
    // A small gold leaf tucked into each corner.
    const double in = 11.5;
    const double corners[4][3] = {{in, in, -kPi * 0.75},
                                  {kWinSize - in, in, -kPi * 0.25},
                                  {kWinSize - in, kWinSize - in - 1, kPi * 0.25},
                                  {in, kWinSize - in - 1, kPi * 0.75}};
    for (const auto& k : corners) leaf(cr, k[0] - std::cos(k[2]) * 2.5, k[1] - std::sin(k[2]) * 2.5, 6, 3, k[2], gold, gold_dark, 0.9);
    return c;
}

// The menu box master: corners 8, edges and centre 8.
constexpr int kBoxPart = 8;

Canvas box_master() {
    Canvas c(3 * kBoxPart, 3 * kBoxPart);
    panel(c.cr(), 2, 1, 3 * kBoxPart - 4, 3 * kBoxPart - 4, 6, kBodyLit, 1.2, false);
    return c;
}

Cut nine_cut(ThemeSlice slice, int corner, int mid) {
    const int far = corner + mid;
    switch (slice) {
        case ThemeSlice::LeftUp: return {0, 0, corner, corner};
        case ThemeSlice::Up: return {corner, 0, mid, corner};
        case ThemeSlice::RightUp: return {far, 0, corner, corner};
        case ThemeSlice::Right: return {far, corner, corner, mid};
        case ThemeSlice::RightDown: return {far, far, corner, corner};
        case ThemeSlice::Down: return {corner, far, mid, corner};
        case ThemeSlice::LeftDown: return {0, far, corner, corner};
        case ThemeSlice::Left: return {0, corner, corner, mid};
        case ThemeSlice::Centre: return {corner, corner, mid, mid};
    }
    return {0, 0, 1, 1};
}

// The round badge of icon buttons, `d` across, drawn into a cell at (ox, 0).
constexpr int kRound = 56;

enum class Look { Normal, Lit, Pressed, Off };

void round_button(cairo_t* cr, double ox, Look look) {
    const double cx = ox + kRound / 2.0;
    const double cy = kRound / 2.0 - 1 + (look == Look::Pressed ? 1 : 0);
    const double r = 22;
    auto disc = [=](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_arc(c, cx, cy, r, 0, 2 * kPi);
    };
    if (look != Look::Pressed) soft_shadow(cr, disc, 0, 2, 3, ink, 0.5);
    disc(cr);
    const Rgb base = look == Look::Off ? kGrey : look == Look::Lit ? kBodyWarm : kBody;
    const Rgb low = look == Look::Pressed ? mix(parchment, card_edge, 0.6) : parchment;
    const Pattern body = radial(cx - 6, cy - 8, 2, r + 4, {{0.0, look == Look::Off ? kGrey : cream}, {0.6, base}, {1.0, low}});
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    disc(cr);
    cairo_set_line_width(cr, 2.4);
    if (look == Look::Off) {
        set_colour(cr, hex(0x8a8478));
        cairo_stroke(cr);
    } else {
        gold_stroke(cr, cx - r, cy - r, 2 * r, 2 * r, 2.4);
    }
    if (look == Look::Lit) {
        // The lit state glows a little from inside the rim.
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r - 3, 0, 2 * kPi);
        set_colour(cr, gold_light, 0.8);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

enum class Icon { Check, Arrow, Plus, Cross };

// An icon in ink (grey when off), centred in the round cell at (ox, 0); `nudge` moves it
// right (the arrow's bob).
void icon(cairo_t* cr, double ox, Icon which, Look look, double nudge = 0) {
    const double cx = ox + kRound / 2.0 + nudge;
    const double cy = kRound / 2.0 - 1 + (look == Look::Pressed ? 1 : 0);
    cairo_new_path(cr);
    switch (which) {
        case Icon::Check:
            cairo_move_to(cr, cx - 10, cy + 1);
            cairo_line_to(cr, cx - 3, cy + 8);
            cairo_line_to(cr, cx + 11, cy - 8);
            break;
        case Icon::Arrow:
            cairo_move_to(cr, cx - 10, cy);
            cairo_line_to(cr, cx + 9, cy);
            cairo_move_to(cr, cx + 2, cy - 8);
            cairo_line_to(cr, cx + 10, cy);
            cairo_line_to(cr, cx + 2, cy + 8);
            break;
        case Icon::Plus:
            cairo_move_to(cr, cx - 9, cy);
            cairo_line_to(cr, cx + 9, cy);
            cairo_move_to(cr, cx, cy - 9);
            cairo_line_to(cr, cx, cy + 9);
            break;
        case Icon::Cross:
            cairo_move_to(cr, cx - 8, cy - 8);
            cairo_line_to(cr, cx + 8, cy + 8);
            cairo_move_to(cr, cx + 8, cy - 8);
            cairo_line_to(cr, cx - 8, cy + 8);
            break;
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 4.2);
    const Rgb mark = look == Look::Off ? hex(0x7d776c) : which == Icon::Cross ? ember_dark : ink;
    set_colour(cr, mark);
    cairo_stroke(cr);
}

}  // namespace

Canvas theme_window_piece(const Context&, ThemeSlice slice) {
    return cut(window_master(), nine_cut(slice, kWinCorner, kWinMid));
}

Canvas theme_box_piece(const Context&, ThemeSlice slice) {
    return cut(box_master(), nine_cut(slice, kBoxPart, kBoxPart));
}

Canvas theme_bar_piece(const Context&, int part) {
    // One bar 25 wide: 12 for each rounded end, the 1-pixel middle between them.
    constexpr int kEnd = 12, kH = 30;
    Canvas bar(2 * kEnd + 1, kH);
    cairo_t* cr = bar.cr();
    soft_shadow(cr, [](cairo_t* c) { rounded_rect(c, 1, 1, 2 * kEnd - 1, kH - 5, 8); }, 0, 2, 2, ink, 0.4);
    rounded_rect(cr, 1, 1, 2 * kEnd - 1, kH - 5, 8);
    const Pattern body = linear(0, 1, 0, kH - 4, {{0.0, kBodyLit}, {1.0, parchment}});
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    gold_border(cr, 1, 1, 2 * kEnd - 1, kH - 5, 8, 1.6);
    const Cut cuts[3] = {{0, 0, kEnd, kH}, {kEnd, 0, 1, kH}, {kEnd + 1, 0, kEnd, kH}};
    return cut(bar, cuts[part < 0 || part > 2 ? 0 : part]);
}

Canvas button_panel(const Context&, bool off) {
    Canvas c(200, 52);
    cairo_t* cr = c.cr();
    soft_shadow(cr, [](cairo_t* k) { rounded_rect(k, 4, 3, 192, 42, 14); }, 0, 2, 3, ink, 0.5);
    rounded_rect(cr, 4, 3, 192, 42, 14);
    const Pattern body = off ? linear(0, 3, 0, 45, {{0.0, hex(0xd6d0c4)}, {1.0, kGrey}})
                             : linear(0, 3, 0, 45, {{0.0, cream}, {0.55, kBody}, {1.0, parchment}});
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    if (off) {
        rounded_rect(cr, 5, 4, 190, 40, 13);
        set_colour(cr, hex(0x8a8478));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    } else {
        gold_border(cr, 4, 3, 192, 42, 14, 2.2);
        // Leaves at both ends frame the caption.
        leaf(cr, 20, 24, 10, 4.5, kPi, gold, gold_dark, 0.9);
        leaf(cr, 180, 24, 10, 4.5, 0, gold, gold_dark, 0.9);
    }
    return c;
}

Canvas button_round_ok(const Context&) {
    Canvas c(kRound, kRound);
    round_button(c.cr(), 0, Look::Normal);
    icon(c.cr(), 0, Icon::Check, Look::Normal);
    return c;
}

Canvas button_arrow_strip(const Context&) {
    // Four cells side by side: rest, then the arrow bobbing right and back, lit.
    Canvas c(4 * kRound, kRound);
    const double nudge[4] = {0, 1.5, 3, 1.5};
    for (int i = 0; i < 4; ++i) {
        const Look look = i == 0 ? Look::Normal : Look::Lit;
        round_button(c.cr(), i * kRound, look);
        icon(c.cr(), i * kRound, Icon::Arrow, look, nudge[i]);
    }
    return c;
}

Canvas button_blend_plus(const Context&) {
    // Two cells side by side: normal, and the lit one the game fades in over it.
    Canvas c(2 * kRound, kRound);
    round_button(c.cr(), 0, Look::Normal);
    icon(c.cr(), 0, Icon::Plus, Look::Normal);
    round_button(c.cr(), kRound, Look::Lit);
    icon(c.cr(), kRound, Icon::Plus, Look::Lit);
    return c;
}

Canvas button_fstep(const Context&, bool cross) {
    // Four cells side by side: normal, over, pressed, inactive.
    Canvas c(4 * kRound, kRound);
    const Look looks[4] = {Look::Normal, Look::Lit, Look::Pressed, Look::Off};
    for (int i = 0; i < 4; ++i) {
        round_button(c.cr(), i * kRound, looks[i]);
        icon(c.cr(), i * kRound, cross ? Icon::Cross : Icon::Arrow, looks[i]);
    }
    return c;
}

}  // namespace gfxgen
