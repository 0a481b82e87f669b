#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gen {

namespace {

constexpr int kSamples = 4;  // per pixel, each way
constexpr int kStep = kUnitsPerPixel / kSamples;

std::uint8_t channel(int a, int b, long long num, long long den)
{
    // Round half away from zero so that the result is symmetric.
    const long long diff = static_cast<long long>(b - a) * num;
    const long long q = diff >= 0 ? (diff + den / 2) / den : -((-diff + den / 2) / den);
    return static_cast<std::uint8_t>(a + q);
}

}  // namespace

Rgb mix(Rgb a, Rgb b, long long num, long long den)
{
    if (den <= 0)
        return a;
    num = std::clamp(num, 0LL, den);
    return {channel(a.r, b.r, num, den), channel(a.g, b.g, num, den), channel(a.b, b.b, num, den)};
}

Rgb shade(Rgb c, int amount)
{
    if (amount >= 0)
        return mix(c, Rgb{255, 255, 255}, amount, 256);
    return mix(c, Rgb{0, 0, 0}, -amount, 256);
}

long long units(double px)
{
    return std::llround(px * kUnitsPerPixel);
}

Pt at(double x, double y)
{
    return {units(x), units(y)};
}

Region ellipse(double cx, double cy, double rx, double ry)
{
    const Pt c = at(cx, cy);
    const long long a = units(rx), b = units(ry);
    return [=](Pt p) {
        const long long dx = p.x - c.x, dy = p.y - c.y;
        return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
    };
}

Region tiltedEllipse(double cx, double cy, double rx, double ry, int dx, int dy)
{
    const Pt c = at(cx, cy);
    const long long a = units(rx), b = units(ry);
    const long long len2 = static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
    return [=](Pt p) {
        const long long x = p.x - c.x, y = p.y - c.y;
        // u, v are the point's coordinates along and across the axis, scaled by |d|.
        const long long u = x * dx + y * dy;
        const long long v = -x * dy + y * dx;
        return u * u * b * b + v * v * a * a <= len2 * a * a * b * b;
    };
}

Region polygon(std::vector<Pt> pts)
{
    return [pts = std::move(pts)](Pt p) {
        // Even-odd crossing test, exact in integers.
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt& a = pts[i];
            const Pt& b = pts[j];
            if ((a.y > p.y) == (b.y > p.y))
                continue;
            // Is p left of the edge's crossing with the horizontal line through p?
            const long long lhs = (p.x - a.x) * (b.y - a.y);
            const long long rhs = (p.y - a.y) * (b.x - a.x);
            if ((b.y > a.y) ? lhs < rhs : lhs > rhs)
                inside = !inside;
        }
        return inside;
    };
}

Region stroke(std::vector<Pt> pts, double width)
{
    const long long r = units(width) / 2;
    return [pts = std::move(pts), r](Pt p) {
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = i + 1 < pts.size() ? pts[i + 1] : pts[i];
            const long long ex = b.x - a.x, ey = b.y - a.y;
            const long long px = p.x - a.x, py = p.y - a.y;
            const long long len2 = ex * ex + ey * ey;
            const long long t = px * ex + py * ey;
            if (len2 == 0 || t <= 0) {
                if (px * px + py * py <= r * r)
                    return true;
            } else if (t >= len2) {
                const long long qx = p.x - b.x, qy = p.y - b.y;
                if (qx * qx + qy * qy <= r * r)
                    return true;
            } else {
                const long long cross = px * ey - py * ex;
                if (cross * cross <= r * r * len2)
                    return true;
            }
        }
        return false;
    };
}

std::vector<Pt> curve(Pt from, Pt control, Pt to, int steps)
{
    std::vector<Pt> out;
    const long long n = steps;
    for (long long i = 0; i <= n; ++i) {
        const long long s = n - i;
        // (s^2 from + 2 s i control + i^2 to) / n^2, rounded
        const auto point = [&](long long a, long long c, long long b) {
            const long long num = s * s * a + 2 * s * i * c + i * i * b;
            const long long den = n * n;
            return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
        };
        out.push_back({point(from.x, control.x, to.x), point(from.y, control.y, to.y)});
    }
    return out;
}

Region both(Region a, Region b)
{
    return [a = std::move(a), b = std::move(b)](Pt p) { return a(p) && b(p); };
}

Region either(Region a, Region b)
{
    return [a = std::move(a), b = std::move(b)](Pt p) { return a(p) || b(p); };
}

Region minus(Region a, Region b)
{
    return [a = std::move(a), b = std::move(b)](Pt p) { return a(p) && !b(p); };
}

Paint solid(Rgb c)
{
    return [c](Pt) { return c; };
}

Paint linear(Rgb from, Pt p0, Rgb to, Pt p1)
{
    const long long ex = p1.x - p0.x, ey = p1.y - p0.y;
    const long long len2 = ex * ex + ey * ey;
    return [=](Pt p) { return mix(from, to, (p.x - p0.x) * ex + (p.y - p0.y) * ey, len2); };
}

Canvas::Canvas(int width, int height, Rgb background)
    : w_(width), h_(height),
      samples_(static_cast<std::size_t>(width) * height * kSamples * kSamples, background)
{
}

void Canvas::fill(const Region& region, const Paint& paint)
{
    const int sw = w_ * kSamples;
    const int sh = h_ * kSamples;
    for (int sy = 0; sy < sh; ++sy) {
        for (int sx = 0; sx < sw; ++sx) {
            // Sample at the centre of each sub-cell.
            const Pt p{static_cast<long long>(sx) * kStep + kStep / 2,
                       static_cast<long long>(sy) * kStep + kStep / 2};
            if (region(p))
                samples_[static_cast<std::size_t>(sy) * sw + sx] = paint(p);
        }
    }
}

std::vector<Rgb> Canvas::pixels() const
{
    const int sw = w_ * kSamples;
    constexpr int n = kSamples * kSamples;
    std::vector<Rgb> out(static_cast<std::size_t>(w_) * h_);
    for (int y = 0; y < h_; ++y) {
        for (int x = 0; x < w_; ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const Rgb& s = samples_[static_cast<std::size_t>(y * kSamples + j) * sw
                                            + x * kSamples + i];
                    r += s.r;
                    g += s.g;
                    b += s.b;
                }
            }
            out[static_cast<std::size_t>(y) * w_ + x] = {static_cast<std::uint8_t>((r + n / 2) / n),
                                                          static_cast<std::uint8_t>((g + n / 2) / n),
                                                          static_cast<std::uint8_t>((b + n / 2) / n)};
        }
    }
    return out;
}

}  // namespace gen
