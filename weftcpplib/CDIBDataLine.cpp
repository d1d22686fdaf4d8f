// CDIBData::DrawLine: a one-pixel line, clipped, one pixel per step along the
// longer axis, taken from the segment widened by half a pixel to each side.
#include <algorithm>
#include <cmath>
#include <utility>

#include "weftcpplib/CDIBData.h"

namespace weftcpplib {
namespace {

// Rounding slack for values that land on a pixel boundary.
constexpr double kSlack = 1e-9;

// Liang-Barsky against the closed box [0, w] x [0, h]; false when the segment
// misses it entirely.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, double w, double h)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double enter = 0.0;
    double leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1, w - x1, y1, h - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0)
            enter = std::max(enter, r);
        else
            leave = std::min(leave, r);
        if (enter > leave)
            return false;
    }
    const double ox = x1;
    const double oy = y1;
    x1 = ox + enter * dx;
    y1 = oy + enter * dy;
    x2 = ox + leave * dx;
    y2 = oy + leave * dy;
    return true;
}

// The stretch [lo, hi] of the minor axis that the band covers on the step line
// u = t, for a segment from (au, av) to (bu, bv) in (major, minor)
// coordinates with au < bu.
bool CoveredStretch(double au, double av, double bu, double bv, double t, double& lo, double& hi)
{
    const double du = bu - au;
    const double dv = bv - av;
    const double length = std::hypot(du, dv);
    const double along = t - au;
    // Within half a pixel of the segment's line, measured perpendicular to it.
    const double centre = av + along * dv / du;
    const double half = 0.5 * length / du;
    lo = centre - half;
    hi = centre + half;
    // Not past either end: 0 <= projection onto the segment <= length^2.
    if (dv != 0.0) {
        double a = -along * du / dv;
        double b = (length * length - along * du) / dv;
        if (a > b)
            std::swap(a, b);
        lo = std::max(lo, av + a);
        hi = std::min(hi, av + b);
    }
    return lo <= hi + kSlack;
}

} // namespace

bool CDIBData::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t pixel)
{
    const std::int32_t W = Width();
    const std::int32_t H = Height();
    if (!pixels_ || W <= 0 || H <= 0)
        return false;
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (!ClipToBox(ax, ay, bx, by, W, H))
        return false;

    const bool along_x = std::fabs(bx - ax) >= std::fabs(by - ay);
    double au = along_x ? ax : ay, av = along_x ? ay : ax;
    double bu = along_x ? bx : by, bv = along_x ? by : bx;
    if (au == bu)
        return false;
    if (au > bu) {
        std::swap(au, bu);
        std::swap(av, bv);
    }

    bool covered = false;
    const double first = std::ceil(au - kSlack);
    const double last = std::floor(bu + kSlack);
    for (double t = first; t <= last; t += 1.0) {
        double lo = 0, hi = 0;
        if (!CoveredStretch(au, av, bu, bv, t, lo, hi))
            continue;
        covered = true;
        const double m = std::ceil(lo - kSlack);
        if (m > hi + kSlack)
            continue;
        const double px = along_x ? t : m;
        const double py = along_x ? m : t;
        if (px < 0 || py < 0 || px >= W || py >= H)
            continue;
        const auto col = static_cast<std::size_t>(px);
        const auto row = static_cast<std::size_t>(H - 1 - static_cast<std::int32_t>(py));
        pixels_[row * static_cast<std::size_t>(W) + col] = pixel;
    }
    return covered;
}

} // namespace weftcpplib
