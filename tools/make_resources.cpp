// Build-time generator of every picture in the resource script: the program icon, the tool bar icons
// and the pointer PNG, all drawn from code so the repository holds no binary images. The Windows build
// compiles it with the host compiler and runs it before the resource compiler:
//   make_resources OUTDIR   writes OUTDIR/corvane.ico, OUTDIR/tool_<id>.ico and OUTDIR/pointer.png
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tools/logic/PointerPng.h"

namespace {

struct Rgba { uint8_t r, g, b, a; };

constexpr Rgba Rgb(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 0xFF};
}

// ---- .ico files -----------------------------------------------------------------------------------

// One square image of n x n pixels, rows top down.
struct Image {
    int n;
    std::vector<Rgba> pixels;
};

void Put16(std::vector<uint8_t>& out, uint16_t v) { out.push_back(v & 0xFF); out.push_back(v >> 8); }
void Put32(std::vector<uint8_t>& out, uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF); }

// One icon image: BITMAPINFOHEADER (double height), bottom-up BGRA rows, then the AND mask, whose bits
// are set where the image is fully transparent for readers that ignore alpha.
std::vector<uint8_t> IconImage(const Image& img) {
    const int n = img.n;
    std::vector<uint8_t> out;
    Put32(out, 40); Put32(out, n); Put32(out, 2 * n); Put16(out, 1); Put16(out, 32);
    Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            const Rgba& p = img.pixels[y * n + x];
            out.push_back(p.b); out.push_back(p.g); out.push_back(p.r); out.push_back(p.a);
        }
    }
    const int maskRow = ((n + 31) / 32) * 4;
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < n; ++x) {
            if (img.pixels[y * n + x].a == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> IcoFile(const std::vector<Image>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const Image& img : images) bodies.push_back(IconImage(img));
    std::vector<uint8_t> out;
    Put16(out, 0); Put16(out, 1); Put16(out, static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].n)); out.push_back(static_cast<uint8_t>(images[i].n));
        out.push_back(0); out.push_back(0); Put16(out, 1); Put16(out, 32);
        Put32(out, static_cast<uint32_t>(bodies[i].size())); Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) { std::perror(path.c_str()); return false; }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) { std::perror(path.c_str()); return false; }
    return true;
}

// ---- the program icon -----------------------------------------------------------------------------

// A dark tile with a sky-blue selection frame, its corner handles and a red stroke, drawn pixel by
// pixel: at 16 to 48 pixels hard edges read better than smoothed ones.
Rgba AppIconPixel(int x, int y, int n) {
    const Rgba tile{0x1E, 0x2A, 0x3A, 0xFF};
    const Rgba frame{0x12, 0xB7, 0xF5, 0xFF};
    const Rgba mark{0xFF, 0x40, 0x40, 0xFF};
    const int m = n / 8;             // margin of the frame inside the tile
    const int t = n >= 32 ? 2 : 1;   // frame thickness
    const int h = n / 6;             // handle size
    const bool inFrameBox = x >= m && x < n - m && y >= m && y < n - m;
    const bool onFrame = inFrameBox && (x < m + t || x >= n - m - t || y < m + t || y >= n - m - t);
    auto nearCorner = [&](int cx, int cy) { return x >= cx - h / 2 && x < cx + (h + 1) / 2 && y >= cy - h / 2 && y < cy + (h + 1) / 2; };
    const bool onHandle = nearCorner(m, m) || nearCorner(n - m - 1, m) || nearCorner(m, n - m - 1) || nearCorner(n - m - 1, n - m - 1);
    const int d = (x - n / 4) - (n / 2 - (y - n / 4));
    const bool onMark = x > n / 4 && x < 3 * n / 4 && y > n / 4 && y < 3 * n / 4 && d >= -t && d <= t;
    if (onHandle || onFrame) return frame;
    if (onMark) return mark;
    return tile;
}

Image AppIcon(int n) {
    Image img{n, {}};
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) img.pixels.push_back(AppIconPixel(x, y, n));
    return img;
}

// ---- vector drawing with coverage antialiasing ----------------------------------------------------

constexpr double kPi = 3.14159265358979323846;

struct Pt { double x, y; };

// A set of points in pixel coordinates: (0,0) is the top left corner of the image, pixel (i,j) covers
// [i,i+1) x [j,j+1).
using Region = std::function<bool(Pt)>;

struct Layer { Region region; Rgba colour; };

// Later layers cover earlier ones; a layer of alpha 0 cuts a gap into what lies below.
using Drawing = std::vector<Layer>;

double DistanceToSegment(Pt p, Pt a, Pt b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// A stroke of the given width through the points, with round caps and joins.
Region Stroke(std::vector<Pt> pts, double width) {
    return [pts = std::move(pts), r = width / 2](Pt p) {
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            if (DistanceToSegment(p, pts[i], pts[i + 1]) <= r) return true;
        return false;
    };
}

// The inside of a closed polygon (even-odd rule).
Region Polygon(std::vector<Pt> pts) {
    return [pts = std::move(pts)](Pt p) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt a = pts[i], b = pts[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
        }
        return in;
    };
}

Region Box(double l, double t, double r, double b) {
    return [=](Pt p) { return p.x >= l && p.x < r && p.y >= t && p.y < b; };
}

Region Disc(Pt c, double radius) {
    return [=](Pt p) { return std::hypot(p.x - c.x, p.y - c.y) <= radius; };
}

Region Ring(Pt c, double outer, double width) {
    return [=](Pt p) {
        const double d = std::hypot(p.x - c.x, p.y - c.y);
        return d <= outer && d >= outer - width;
    };
}

// An axis-aligned frame of the given thickness inside the box.
Region Frame(double l, double t, double r, double b, double thick) {
    return [=](Pt p) {
        return Box(l, t, r, b)(p) && !Box(l + thick, t + thick, r - thick, b - thick)(p);
    };
}

// Points along a circular arc, angles in degrees, 0 pointing right and 90 pointing down (y grows down).
std::vector<Pt> Arc(Pt c, double radius, double fromDeg, double toDeg) {
    std::vector<Pt> pts;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const double a = (fromDeg + (toDeg - fromDeg) * i / steps) * kPi / 180;
        pts.push_back({c.x + radius * std::cos(a), c.y + radius * std::sin(a)});
    }
    return pts;
}

// Each pixel takes the average of 4 x 4 samples: colour weighted by the coverage of each layer, alpha
// the covered share. Edges that fall on pixel boundaries stay hard.
Image Render(const Drawing& drawing, int n) {
    constexpr int kGrid = 4;
    Image img{n, {}};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    const Pt p{x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid};
                    for (auto layer = drawing.rbegin(); layer != drawing.rend(); ++layer) {
                        if (!layer->region(p)) continue;
                        const double w = layer->colour.a / 255.0;
                        r += layer->colour.r * w; g += layer->colour.g * w; b += layer->colour.b * w; a += w;
                        break;
                    }
                }
            }
            Rgba px{0, 0, 0, 0};
            if (a > 0) {
                px = {static_cast<uint8_t>(std::lround(r / a)), static_cast<uint8_t>(std::lround(g / a)),
                      static_cast<uint8_t>(std::lround(b / a)),
                      static_cast<uint8_t>(std::lround(255 * a / (kGrid * kGrid)))};
            }
            img.pixels.push_back(px);
        }
    }
    return img;
}

// ---- the tool bar icons ---------------------------------------------------------------------------

constexpr Rgba kSlate = Rgb(0x5C626B);
constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kSizeOff = Rgb(0xD8D8D8);
constexpr Rgba kSizeOn = Rgb(0x959BA3);
constexpr Rgba kWhiteEdge = Rgb(0xCACFD6);

// Shapes are laid out on a 32-unit grid and scaled to the image; line widths are set in pixels
// instead, so that lines stay about 2 pixels wide (crisp) at 20 as well as at 32.
struct Grid {
    int n;
    double S(double units) const { return units * n / 32; }
    Pt P(double x, double y) const { return {S(x), S(y)}; }
    // Scaled and rounded to whole pixels: for edges and even-width lines that must not straddle pixels.
    double Snap(double units) const { return std::round(S(units)); }
    double Line() const { return n <= 32 ? 2.0 : std::round(n / 16.0); }
};

Drawing ArrowIcon(const Grid& g) {
    // Head: a filled triangle at the top right; the shaft runs from the bottom left into its base.
    const Pt tip = g.P(26, 6);
    return {{Stroke({g.P(7, 25), g.P(20, 12)}, g.Line()), kSlate},
            {Polygon({tip, g.P(13.5, 9.5), g.P(22.5, 18.5)}), kSlate}};
}

Drawing RectIcon(const Grid& g) {
    const double lo = g.Snap(6), hi = g.n - lo;
    return {{Frame(lo, lo, hi, hi, g.Line()), kSlate}};
}

Drawing EllipseIcon(const Grid& g) {
    return {{Ring(g.P(16, 16), g.S(11), g.Line()), kSlate}};
}

Drawing PenIcon(const Grid& g) {
    // The pencil lies from the top right down to its point at the left, above a wavy line it has drawn;
    // a cut separates the sharpened end from the body, and the point keeps clear of the line so that
    // the two stay apart at 20 pixels.
    std::vector<Pt> wave;
    for (int i = 0; i <= 40; ++i) {
        const double x = 3 + 26.0 * i / 40;
        wave.push_back(g.P(x, 27 + 2 * std::sin((x - 3) * kPi / 8)));
    }
    const Pt a = g.P(26, 4.5), b = g.P(13, 17.5);  // body axis, top right to the start of the point
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    const double half = g.S(3.4);
    const Pt side{-dy / len * half, dx / len * half};  // half the body's width, across the axis
    const Pt point = g.P(6.5, 23.5);
    const Pt cutFrom{b.x + side.x * 1.5, b.y + side.y * 1.5}, cutTo{b.x - side.x * 1.5, b.y - side.y * 1.5};
    return {{Polygon({{a.x + side.x, a.y + side.y}, {b.x + side.x, b.y + side.y}, {b.x - side.x, b.y - side.y},
                      {a.x - side.x, a.y - side.y}}),
             kSlate},
            {Polygon({{b.x + side.x, b.y + side.y}, point, {b.x - side.x, b.y - side.y}}), kSlate},
            {Stroke({cutFrom, cutTo}, g.S(2.2)), kClear},
            {Stroke(wave, g.Line()), kSlate}};
}

Drawing TextIcon(const Grid& g) {
    const double w = g.Line() + (g.n >= 32 ? 1 : 0);  // a touch bolder than line art, as a letter
    const double mid = g.n / 2.0, top = g.Snap(6), bottom = g.n - g.Snap(5);
    const double stem = std::floor(mid - w / 2);  // an odd width leans left rather than straddling pixels
    return {{Box(g.Snap(7), top, g.n - g.Snap(7), top + w), kSlate},
            {Box(stem, top, stem + w, bottom), kSlate}};
}

Drawing UndoIcon(const Grid& g) {
    // From the head at the top left the path runs right, turns down around the right side and comes
    // back left at the bottom: the way back. The turn's centre and radius are whole pixels so that the
    // two straight runs sit on pixel rows.
    const double r = g.Snap(7.5);
    const Pt c{g.Snap(18.5), g.Snap(17.5)};
    std::vector<Pt> path{{g.S(11), c.y - r}};
    for (const Pt& p : Arc(c, r, -90, 90)) path.push_back(p);
    path.push_back({g.S(9), c.y + r});
    const Pt tip{g.S(4), c.y - r};
    return {{Stroke(path, g.Line()), kSlate},
            {Polygon({tip, {g.S(12.5), tip.y - g.S(6)}, {g.S(12.5), tip.y + g.S(6)}}), kSlate}};
}

Drawing SaveIcon(const Grid& g) {
    const double w = g.Line(), mid = g.n / 2.0;
    const double lineTop = g.Snap(25), headTop = g.Snap(13.5), headTip = g.Snap(21.5);
    return {{Box(mid - w / 2, g.Snap(4), mid + w / 2, headTop + 1), kSlate},
            {Polygon({{mid, headTip}, {g.S(8.5), headTop}, {g.n - g.S(8.5), headTop}}), kSlate},
            {Box(g.Snap(6), lineTop, g.n - g.Snap(6), lineTop + w), kSlate}};
}

Drawing CloseIcon(const Grid& g) {
    const Rgba red = Rgb(0xF43939);
    const double w = g.Line() * 1.25;
    return {{Stroke({g.P(9, 9), g.P(23, 23)}, w), red}, {Stroke({g.P(23, 9), g.P(9, 23)}, w), red}};
}

Drawing DoneIcon(const Grid& g) {
    return {{Stroke({g.P(6.5, 16.5), g.P(13, 23), g.P(25.5, 9.5)}, g.Line() * 1.25), Rgb(0x2DC888)}};
}

Drawing SeparatorIcon(const Grid& g) {
    const double x = std::floor((g.n - 1) / 2.0);
    return {{Box(x, g.Snap(2), x + 1, g.n - g.Snap(2)), Rgb(0x556B2F)}};
}

// A disc `across` pixels wide in the 32-pixel image.
Drawing SizeIcon(const Grid& g, double across, Rgba colour) {
    return {{Disc({g.n / 2.0, g.n / 2.0}, g.S(across) / 2), colour}};
}

// The swatch square: even side so that it centres on whole pixels.
struct Swatch { double lo, hi, frame; };
Swatch SwatchOf(const Grid& g) {
    const double side = 2 * std::round(g.S(11));
    return {(g.n - side) / 2, (g.n + side) / 2, std::max(2.0, std::round(g.S(3)))};
}

Drawing ColourIcon(const Grid& g, Rgba colour, bool current) {
    const Swatch s = SwatchOf(g);
    if (current) return {{Frame(s.lo, s.lo, s.hi, s.hi, s.frame), colour}};
    return {{Box(s.lo, s.lo, s.hi, s.hi), colour}};
}

// White is edged in light grey so that it shows on a white tool bar; when current the grey edge widens
// to the frame of the other colours and the middle stays white.
Drawing WhiteIcon(const Grid& g, bool current) {
    const Swatch s = SwatchOf(g);
    return {{Box(s.lo, s.lo, s.hi, s.hi), kWhiteEdge},
            {Box(s.lo, s.lo, s.hi, s.hi), Rgb(0xFFFFFF)},
            {Frame(s.lo, s.lo, s.hi, s.hi, current ? s.frame : 1), kWhiteEdge}};
}

struct ToolIcon {
    int id;
    bool manySizes;  // the size and colour icons also come at 40, 24 and 16
    std::function<Drawing(const Grid&)> draw;
};

std::vector<ToolIcon> ToolIcons() {
    auto colour = [](uint32_t rgb, bool current) {
        return [=](const Grid& g) { return ColourIcon(g, Rgb(rgb), current); };
    };
    auto size = [](double across, Rgba c) { return [=](const Grid& g) { return SizeIcon(g, across, c); }; };
    return {
        {IDI_TOOL_ARROW, false, ArrowIcon},
        {IDI_TOOL_RECT, false, RectIcon},
        {IDI_TOOL_ELLIPSE, false, EllipseIcon},
        {IDI_TOOL_PEN, false, PenIcon},
        {IDI_TOOL_TEXT, false, TextIcon},
        {IDI_UNDO, false, UndoIcon},
        {IDI_SAVE, false, SaveIcon},
        {IDI_CLOSE, false, CloseIcon},
        {IDI_DONE, false, DoneIcon},
        {IDI_SEPARATOR, false, SeparatorIcon},
        {IDI_SIZE_SMALL, true, size(16, kSizeOff)},
        {IDI_SIZE_SMALL_ON, true, size(16, kSizeOn)},
        {IDI_SIZE_MEDIUM, true, size(24, kSizeOff)},
        {IDI_SIZE_MEDIUM_ON, true, size(24, kSizeOn)},
        {IDI_SIZE_LARGE, true, size(32, kSizeOff)},
        {IDI_SIZE_LARGE_ON, true, size(32, kSizeOn)},
        {IDI_COLOR_RED, true, colour(0xFF0F00, false)},
        {IDI_COLOR_RED_ON, true, colour(0xFF0F00, true)},
        {IDI_COLOR_YELLOW, true, colour(0xFFBE00, false)},
        {IDI_COLOR_YELLOW_ON, true, colour(0xFFBE00, true)},
        {IDI_COLOR_BLUE, true, colour(0x1A9BFF, false)},
        {IDI_COLOR_BLUE_ON, true, colour(0x1A9BFF, true)},
        {IDI_COLOR_GREEN, true, colour(0x1AAD19, false)},
        {IDI_COLOR_GREEN_ON, true, colour(0x1AAD19, true)},
        {IDI_COLOR_BLACK, true, colour(0x4D4D4D, false)},
        {IDI_COLOR_BLACK_ON, true, colour(0x4D4D4D, true)},
        {IDI_COLOR_WHITE, true, [](const Grid& g) { return WhiteIcon(g, false); }},
        {IDI_COLOR_WHITE_ON, true, [](const Grid& g) { return WhiteIcon(g, true); }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) { std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]); return 2; }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = WriteFile(dir + "corvane.ico", IcoFile({AppIcon(16), AppIcon(32), AppIcon(48)}));
    for (const ToolIcon& icon : ToolIcons()) {
        const std::vector<int> sizes = icon.manySizes ? std::vector<int>{32, 20, 40, 24, 16} : std::vector<int>{32, 20};
        std::vector<Image> images;
        for (int n : sizes) images.push_back(Render(icon.draw(Grid{n}), n));
        ok = WriteFile(dir + "tool_" + std::to_string(icon.id) + ".ico", IcoFile(images)) && ok;
    }
    ok = WriteFile(dir + "pointer.png", tools::EncodePointerPng()) && ok;
    return ok ? 0 : 1;
}
