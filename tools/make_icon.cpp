// Draws the program icon (a dark tile with a sky-blue selection frame and its corner handles) and
// writes it as a 32-bit .ico with 16, 32 and 48 pixel images. Build and run on the host:
//   g++ -std=c++17 tools/make_icon.cpp -o /tmp/make_icon && /tmp/make_icon res/corvane.ico
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Rgba { uint8_t r, g, b, a; };

Rgba Pixel(int x, int y, int n) {
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
    // A red stroke across the middle: the annotation.
    const int d = (x - n / 4) - (n / 2 - (y - n / 4));
    const bool onMark = x > n / 4 && x < 3 * n / 4 && y > n / 4 && y < 3 * n / 4 && d >= -t && d <= t;
    if (onHandle || onFrame) return frame;
    if (onMark) return mark;
    return tile;
}

void Put16(std::vector<uint8_t>& out, uint16_t v) { out.push_back(v & 0xFF); out.push_back(v >> 8); }
void Put32(std::vector<uint8_t>& out, uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF); }

// One icon image: BITMAPINFOHEADER (double height), bottom-up BGRA rows, then the AND mask.
std::vector<uint8_t> Image(int n) {
    std::vector<uint8_t> out;
    Put32(out, 40); Put32(out, n); Put32(out, 2 * n); Put16(out, 1); Put16(out, 32);
    Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            Rgba p = Pixel(x, y, n);
            out.push_back(p.b); out.push_back(p.g); out.push_back(p.r); out.push_back(p.a);
        }
    }
    const int maskRow = ((n + 31) / 32) * 4;
    out.insert(out.end(), static_cast<size_t>(maskRow * n), 0);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) { std::fprintf(stderr, "usage: %s out.ico\n", argv[0]); return 2; }
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<uint8_t>> images;
    for (int n : sizes) images.push_back(Image(n));
    std::vector<uint8_t> out;
    Put16(out, 0); Put16(out, 1); Put16(out, static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(sizes[i])); out.push_back(static_cast<uint8_t>(sizes[i]));
        out.push_back(0); out.push_back(0); Put16(out, 1); Put16(out, 32);
        Put32(out, static_cast<uint32_t>(images[i].size())); Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (auto& img : images) out.insert(out.end(), img.begin(), img.end());
    FILE* f = std::fopen(argv[1], "wb");
    if (!f) { std::perror(argv[1]); return 1; }
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return (std::fclose(f) == 0 && ok) ? 0 : 1;
}
