// A tiny anti-aliased drawing surface for the pictures in assets/.
//
// Everything is integer arithmetic on purpose: the generated files are
// checked in and a test regenerates them byte for byte, so the output must
// not depend on how a compiler rounds or fuses floating-point operations.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace gen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// a + (b - a) * num / den, rounded; num is clamped to 0..den.
Rgb mix(Rgb a, Rgb b, long long num, long long den);
// Darker (amount < 0) or lighter (amount > 0) by amount/256 towards black/white.
Rgb shade(Rgb c, int amount);

// Shapes are given in pixels (halves and quarters are fine) and stored in
// sub-pixel units; every pixel is sampled on a 4x4 grid.
constexpr int kUnitsPerPixel = 8;

struct Pt {
    long long x = 0, y = 0;
};

// Pixel coordinates -> units. The pictures pass literals here, so this rounding
// is the only floating-point step between a drawing and its bytes.
Pt at(double x, double y);
long long units(double px);

using Region = std::function<bool(Pt)>;
using Paint = std::function<Rgb(Pt)>;

Region ellipse(double cx, double cy, double rx, double ry);
// An ellipse whose rx axis points along the integer direction (dx, dy);
// keep dx and dy small (under 64) so the products stay within 64 bits.
Region tiltedEllipse(double cx, double cy, double rx, double ry, int dx, int dy);
Region polygon(std::vector<Pt> points);
// A round-capped pen stroke along a polyline.
Region stroke(std::vector<Pt> points, double width);
// Points along a quadratic Bezier curve, for cords and curls.
std::vector<Pt> curve(Pt from, Pt control, Pt to, int steps);

Region both(Region a, Region b);
Region either(Region a, Region b);
Region minus(Region a, Region b);

Paint solid(Rgb c);
// Colour runs from `from` at p0 to `to` at p1 and stays flat beyond them.
Paint linear(Rgb from, Pt p0, Rgb to, Pt p1);

class Canvas {
public:
    Canvas(int width, int height, Rgb background);

    int width() const { return w_; }
    int height() const { return h_; }

    void fill(const Region& region, const Paint& paint);
    void fill(const Region& region, Rgb colour) { fill(region, solid(colour)); }

    // The finished picture, one colour per pixel, rows top to bottom.
    std::vector<Rgb> pixels() const;

private:
    int w_, h_;
    std::vector<Rgb> samples_;
};

}  // namespace gen
