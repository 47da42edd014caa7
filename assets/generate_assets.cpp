// Writes the installation's icons, sounds, sample files and document
// placeholders below an install root. Everything is drawn or synthesised here,
// deterministically: the same bytes on every run.
//
// usage: generate_assets <install-root> [<program-icon>]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
void put_text(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void write_file(const fs::path& path, const Bytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
}

// Text files of the installation use CR LF line ends.
void write_text(const fs::path& path, std::string_view text) {
  Bytes out;
  for (char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(static_cast<std::uint8_t>(c));
  }
  write_file(path, out);
}

// ---------------------------------------------------------------- icons

struct Color {
  float r, g, b, a = 1;
};
Color rgb(std::uint32_t hex, float a = 1) {
  return {((hex >> 16) & 0xFF) / 255.f, ((hex >> 8) & 0xFF) / 255.f, (hex & 0xFF) / 255.f, a};
}
Color mix(Color x, Color y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

struct Point {
  float x, y;
};

// Straight (not premultiplied) RGBA, as icon images store it. Shapes are given
// in a 48-unit design space and antialiased by 4x4 supersampling.
class Canvas {
 public:
  explicit Canvas(int size) : size_(size), scale_(size / 48.f), pixels_(static_cast<std::size_t>(size * size), Color{0, 0, 0, 0}) {}

  int size() const { return size_; }
  float scale() const { return scale_; }
  const Color& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_ + x)]; }

  void paint(float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside,
             const std::function<Color(float, float)>& color) {
    int px0 = std::max(0, static_cast<int>(std::floor(x0 * scale_)));
    int py0 = std::max(0, static_cast<int>(std::floor(y0 * scale_)));
    int px1 = std::min(size_ - 1, static_cast<int>(std::ceil(x1 * scale_)));
    int py1 = std::min(size_ - 1, static_cast<int>(std::ceil(y1 * scale_)));
    for (int py = py0; py <= py1; ++py)
      for (int px = px0; px <= px1; ++px) {
        int hits = 0;
        for (int s = 0; s < 16; ++s)
          hits += inside((px + (s % 4 + 0.5f) / 4) / scale_, (py + (s / 4 + 0.5f) / 4) / scale_);
        if (hits == 0) continue;
        Color c = color((px + 0.5f) / scale_, (py + 0.5f) / scale_);
        blend(pixels_[static_cast<std::size_t>(py * size_ + px)], c, c.a * hits / 16.f);
      }
  }
  void fill(float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside, Color c) {
    paint(x0, y0, x1, y1, inside, [c](float, float) { return c; });
  }

 private:
  static void blend(Color& d, Color s, float a) {
    float out = a + d.a * (1 - a);
    if (out <= 0) return;
    d.r = (s.r * a + d.r * d.a * (1 - a)) / out;
    d.g = (s.g * a + d.g * d.a * (1 - a)) / out;
    d.b = (s.b * a + d.b * d.a * (1 - a)) / out;
    d.a = out;
  }

  int size_;
  float scale_;
  std::vector<Color> pixels_{};
};

// ---- shapes

void rect(Canvas& c, float x0, float y0, float x1, float y1, Color col) {
  c.fill(x0, y0, x1, y1, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, col);
}

bool in_round_rect(float x, float y, float x0, float y0, float x1, float y1, float r) {
  float dx = std::max({x0 + r - x, 0.f, x - (x1 - r)});
  float dy = std::max({y0 + r - y, 0.f, y - (y1 - r)});
  return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= r * r;
}
void round_rect(Canvas& c, float x0, float y0, float x1, float y1, float r, Color col) {
  c.fill(x0, y0, x1, y1, [=](float x, float y) { return in_round_rect(x, y, x0, y0, x1, y1, r); }, col);
}

void disc(Canvas& c, float cx, float cy, float r, Color col) {
  c.fill(cx - r, cy - r, cx + r, cy + r,
         [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, col);
}

void ring(Canvas& c, float cx, float cy, float r, float width, Color col) {
  float outer = r + width / 2, inner = r - width / 2;
  c.fill(cx - outer, cy - outer, cx + outer, cy + outer,
         [=](float x, float y) {
           float d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
           return d <= outer * outer && d >= inner * inner;
         },
         col);
}

// A thick segment with round ends.
void line(Canvas& c, Point a, Point b, float width, Color col) {
  float h = width / 2;
  c.fill(std::min(a.x, b.x) - h, std::min(a.y, b.y) - h, std::max(a.x, b.x) + h, std::max(a.y, b.y) + h,
         [=](float x, float y) {
           float vx = b.x - a.x, vy = b.y - a.y, len2 = vx * vx + vy * vy;
           float t = len2 > 0 ? std::clamp(((x - a.x) * vx + (y - a.y) * vy) / len2, 0.f, 1.f) : 0;
           float dx = x - a.x - t * vx, dy = y - a.y - t * vy;
           return dx * dx + dy * dy <= h * h;
         },
         col);
}

void polyline(Canvas& c, const std::vector<Point>& points, float width, Color col) {
  for (std::size_t i = 1; i < points.size(); ++i) line(c, points[i - 1], points[i], width, col);
}

// Filled by the even-odd rule.
void polygon(Canvas& c, const std::vector<Point>& points, Color col) {
  float x0 = 48, y0 = 48, x1 = 0, y1 = 0;
  for (Point p : points) x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  c.fill(x0, y0, x1, y1,
         [&points](float x, float y) {
           bool inside = false;
           for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
             Point a = points[i], b = points[j];
             if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
           }
           return inside;
         },
         col);
}

void arrow(Canvas& c, Point from, Point to, float width, Color col) {
  float dx = to.x - from.x, dy = to.y - from.y, len = std::hypot(dx, dy);
  float ux = dx / len, uy = dy / len, head = width * 2.4f;
  Point base{to.x - ux * head, to.y - uy * head};
  line(c, from, base, width, col);
  polygon(c, {to, {base.x - uy * head * 0.7f, base.y + ux * head * 0.7f}, {base.x + uy * head * 0.7f, base.y - ux * head * 0.7f}},
          col);
}

// The icons' tile: a rounded square, lighter at the top, with a darker rim.
void tile(Canvas& c, std::uint32_t hex) {
  Color base = rgb(hex);
  Color rim = mix(base, rgb(0x000000), 0.35f);
  round_rect(c, 2, 2, 46, 46, 9, rim);
  c.paint(3.5f, 3.5f, 44.5f, 44.5f, [](float x, float y) { return in_round_rect(x, y, 3.5f, 3.5f, 44.5f, 44.5f, 7.5f); },
          [=](float, float y) { return mix(mix(base, rgb(0xFFFFFF), 0.3f), base, (y - 3.5f) / 41); });
}

// A 5x7 bitmap font, only the characters the icons use.
const std::vector<std::string>& glyph(char ch) {
  static const std::vector<std::pair<char, std::vector<std::string>>> font{
      {'K', {"X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"}},
      {'S', {".XXX.", "X...X", "X....", ".XXX.", "....X", "X...X", ".XXX."}},
      {'?', {".XXX.", "X...X", "....X", "...X.", "..X..", ".....", "..X.."}},
      {'1', {"..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
      {'2', {".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "XXXXX"}},
      {'5', {"XXXXX", "X....", "XXXX.", "....X", "....X", "X...X", ".XXX."}},
  };
  for (const auto& [c, rows] : font)
    if (c == ch) return rows;
  throw std::logic_error(std::string("no glyph for ") + ch);
}

// One character centred on (cx, cy), its cells `cell` units square, snapped to
// whole pixels so that small sizes stay crisp.
void letter(Canvas& c, char ch, float cx, float cy, float cell, Color col) {
  const std::vector<std::string>& rows = glyph(ch);
  float s = c.scale(), unit = std::max(1.f, std::round(cell * s)) / s;
  float x0 = std::round((cx - 2.5f * unit) * s) / s, y0 = std::round((cy - 3.5f * unit) * s) / s;
  c.fill(x0, y0, x0 + 5 * unit, y0 + 7 * unit,
         [=, &rows](float x, float y) {
           int k = static_cast<int>(std::floor((x - x0) / unit)), r = static_cast<int>(std::floor((y - y0) / unit));
           return k >= 0 && k < 5 && r >= 0 && r < 7 && rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] == 'X';
         },
         col);
}

// A big character centred on a tile, with a soft shadow.
void tile_letter(Canvas& c, std::uint32_t hex, char ch) {
  tile(c, hex);
  letter(c, ch, 25, 25, 4, rgb(0x000000, 0.25f));
  letter(c, ch, 24, 24, 4, rgb(0xFFFFFF));
}

void badge(Canvas& c, float cx, float cy, std::uint32_t hex, char ch) {
  disc(c, cx, cy, 10, rgb(0xFFFFFF));
  disc(c, cx, cy, 8.5f, rgb(hex));
  letter(c, ch, cx, cy, 2, rgb(0xFFFFFF));
}

// A sheet of paper with a folded corner and lines of text.
void page(Canvas& c, int lines) {
  Color edge = rgb(0x5A6270), paper = rgb(0xFFFFFF);
  polygon(c, {{8, 3}, {31, 3}, {41, 13}, {41, 45}, {8, 45}}, edge);
  polygon(c, {{9.5f, 4.5f}, {30.4f, 4.5f}, {39.5f, 13.6f}, {39.5f, 43.5f}, {9.5f, 43.5f}}, paper);
  polygon(c, {{30, 4}, {40, 14}, {30, 14}}, rgb(0xC9CED6));
  for (int i = 0; i < lines; ++i) line(c, {14, 20 + 4.5f * i}, {i % 3 == 2 ? 26.f : 35.f, 20 + 4.5f * i}, 1.8f, rgb(0x8C96A5));
}

void folder(Canvas& c) {
  polygon(c, {{3, 11}, {17, 11}, {21, 15}, {44, 15}, {44, 40}, {3, 40}}, rgb(0xB9791A));
  polygon(c, {{4.5f, 12.5f}, {16.4f, 12.5f}, {20.4f, 16.5f}, {42.5f, 16.5f}, {42.5f, 38.5f}, {4.5f, 38.5f}}, rgb(0xE9A93A));
  polygon(c, {{3, 41}, {9, 21}, {47, 21}, {41, 41}}, rgb(0xB9791A));
  polygon(c, {{5, 39.5f}, {10.2f, 22.5f}, {45, 22.5f}, {39.8f, 39.5f}}, rgb(0xFFCD5A));
}

std::vector<Point> curve(float x0, float x1, int steps, const std::function<float(float)>& y_of_t) {
  std::vector<Point> points;
  for (int i = 0; i <= steps; ++i) {
    float t = static_cast<float>(i) / steps;
    points.push_back({x0 + (x1 - x0) * t, y_of_t(t)});
  }
  return points;
}

void support(Canvas& c, float x, float y, Color col) { polygon(c, {{x, y}, {x - 4, y + 6}, {x + 4, y + 6}}, col); }

const Color white = rgb(0xFFFFFF);
const Color yellow = rgb(0xFFD23F);

struct Icon {
  const char* file;
  std::function<void(Canvas&)> draw;
};

const std::vector<Icon>& icons() {
  static const std::vector<Icon> all{
      {"iconKorvel.ico", [](Canvas& c) { tile_letter(c, 0x2F6FC4, 'K'); }},
      {"puna.ico",  // displacement: a beam and its deflected line
       [](Canvas& c) {
         tile(c, 0x138A8A);
         line(c, {8, 17}, {40, 17}, 3, white);
         support(c, 8, 18, white);
         support(c, 40, 18, white);
         polyline(c, curve(8, 40, 16, [](float t) { return 17 + 16 * std::sin(t * std::numbers::pi_v<float>); }), 2.5f, yellow);
         arrow(c, {24, 19}, {24, 30}, 2, white);
       }},
      {"Stress2.ico",  // axial force: a bar pulled at both ends
       [](Canvas& c) {
         tile(c, 0xC43A3A);
         round_rect(c, 13, 19, 35, 29, 2, white);
         for (float x = 17; x < 33; x += 4) line(c, {x, 21}, {x, 27}, 1.2f, rgb(0xC43A3A));
         arrow(c, {13, 24}, {4, 24}, 2.5f, yellow);
         arrow(c, {35, 24}, {44, 24}, 2.5f, yellow);
       }},
      {"Reaction2.ico",  // a support pushing back
       [](Canvas& c) {
         tile(c, 0x2E8B47);
         polygon(c, {{24, 24}, {14, 36}, {34, 36}}, white);
         line(c, {10, 38.5f}, {38, 38.5f}, 2, white);
         for (float x = 12; x < 38; x += 6) line(c, {x + 3, 40.5f}, {x, 43}, 1.4f, white);
         disc(c, 24, 24, 3, yellow);
         arrow(c, {24, 20}, {24, 5}, 2.5f, yellow);
       }},
      {"History2.ico",  // a response over time
       [](Canvas& c) {
         tile(c, 0x6A4BB5);
         polyline(c, {{10, 8}, {10, 39}, {42, 39}}, 2, white);
         polyline(c, curve(10, 42, 40,
                           [](float t) { return 24 - 12 * std::exp(-2.2f * t) * std::sin(t * 6 * std::numbers::pi_v<float>); }),
                  2, yellow);
       }},
      {"Max.ico",  // the largest of a set of values
       [](Canvas& c) {
         tile(c, 0xD9731A);
         float heights[] = {14, 22, 30, 18};
         for (int i = 0; i < 4; ++i)
           rect(c, 9 + i * 8.f, 40 - heights[i], 15 + i * 8.f, 40, i == 2 ? yellow : white);
         for (float x = 7; x < 42; x += 5) line(c, {x, 8}, {x + 2.5f, 8}, 1.5f, yellow);
         polygon(c, {{28, 8.5f}, {24.5f, 4}, {31.5f, 4}}, white);
       }},
      {"Post.ico",  // processing: a gear
       [](Canvas& c) {
         tile(c, 0x4A5A70);
         std::vector<Point> teeth;
         for (int i = 0; i < 32; ++i) {
           float a = i * std::numbers::pi_v<float> / 16, r = (i / 2) % 2 == 0 ? 17.f : 12.5f;
           teeth.push_back({24 + r * std::cos(a + 0.1f), 24 + r * std::sin(a + 0.1f)});
         }
         polygon(c, teeth, rgb(0xDDE3EA));
         disc(c, 24, 24, 5.5f, rgb(0x4A5A70));
         ring(c, 24, 24, 9, 1.5f, rgb(0xAEB8C4));
       }},
      {"InputFile1.ico", [](Canvas& c) { page(c, 5); badge(c, 35, 36, 0x2F6FC4, '1'); }},
      {"InputFile2.ico", [](Canvas& c) { page(c, 5); badge(c, 35, 36, 0x2E8B47, '2'); }},
      {"IconStructure.ico",  // a pin-jointed truss
       [](Canvas& c) {
         tile(c, 0x3C8DC8);
         Point n[] = {{8, 33}, {24, 33}, {40, 33}, {24, 11}};
         int bars[][2] = {{0, 1}, {1, 2}, {0, 3}, {3, 2}, {1, 3}};
         for (auto& b : bars) line(c, n[b[0]], n[b[1]], 2.5f, rgb(0x1D3A57));
         support(c, 8, 35, white);
         support(c, 40, 35, white);
         for (Point p : n) {
           disc(c, p.x, p.y, 3.2f, rgb(0x1D3A57));
           disc(c, p.x, p.y, 1.8f, white);
         }
       }},
      {"IconVantik.ico",  // a structure seen in space: a wire cube
       [](Canvas& c) {
         tile(c, 0x22303F);
         Point f[] = {{9, 17}, {29, 17}, {29, 37}, {9, 37}}, b[] = {{19, 9}, {39, 9}, {39, 29}, {19, 29}};
         Color back = rgb(0x4FA3C7), front = rgb(0x9BE3FF);
         for (int i = 0; i < 4; ++i) line(c, b[i], b[(i + 1) % 4], 1.5f, back);
         for (int i = 0; i < 4; ++i) line(c, f[i], b[i], 1.8f, back);
         for (int i = 0; i < 4; ++i) line(c, f[i], f[(i + 1) % 4], 2.2f, front);
         for (Point p : f) disc(c, p.x, p.y, 2.2f, yellow);
       }},
      {"IconWord3.ico",  // the user's guide: a page and a pen
       [](Canvas& c) {
         page(c, 6);
         line(c, {45, 21}, {27, 39}, 5, rgb(0x1D3A57));
         line(c, {45, 21}, {29, 37}, 2.5f, rgb(0x3C8DC8));
         polygon(c, {{25, 36}, {28.5f, 39.5f}, {23, 42}}, rgb(0x1D3A57));
       }},
      {"Print.ico",
       [](Canvas& c) {
         rect(c, 13, 4, 35, 20, rgb(0x8C96A5));
         rect(c, 14.5f, 5.5f, 33.5f, 20, white);
         round_rect(c, 4, 16, 44, 36, 4, rgb(0x3B4350));
         round_rect(c, 5.5f, 17.5f, 42.5f, 34.5f, 3, rgb(0x6B7686));
         disc(c, 37, 22, 1.8f, rgb(0x5BE37A));
         rect(c, 11, 30, 37, 44, rgb(0x8C96A5));
         rect(c, 12.5f, 30, 35.5f, 42.5f, white);
         for (int i = 0; i < 3; ++i) line(c, {16, 34 + 3.f * i}, {32, 34 + 3.f * i}, 1.2f, rgb(0x8C96A5));
       }},
      {"Notepad.ico",
       [](Canvas& c) {
         round_rect(c, 8, 6, 40, 45, 3, rgb(0xA88A1C));
         rect(c, 9.5f, 10, 38.5f, 43.5f, rgb(0xFFF3A8));
         for (int i = 0; i < 5; ++i) line(c, {13, 18 + 5.f * i}, {35, 18 + 5.f * i}, 1.2f, rgb(0x9FB7D9));
         line(c, {16, 15}, {16, 43}, 1, rgb(0xE07A7A));
         for (int i = 0; i < 5; ++i) ring(c, 13 + 5.5f * i, 7, 2.6f, 1.6f, rgb(0x5A6270));
       }},
      {"IconExit.ico",  // a door and the way out
       [](Canvas& c) {
         tile(c, 0x8E3B3B);
         rect(c, 10, 7, 28, 41, rgb(0x3A1F14));
         polygon(c, {{12, 9}, {26, 7}, {26, 41}, {12, 39}}, rgb(0xC98B52));
         disc(c, 23, 25, 1.6f, rgb(0x3A1F14));
         arrow(c, {26, 24}, {43, 24}, 3, white);
       }},
      {"About.ico",
       [](Canvas& c) {
         disc(c, 24, 24, 21, rgb(0x1F5FA8));
         disc(c, 24, 24, 19, rgb(0x3C8DD8));
         disc(c, 24, 13.5f, 3.2f, white);
         line(c, {24, 21}, {24, 36}, 5.5f, white);
         line(c, {19, 21}, {24, 21}, 2.5f, white);
         line(c, {19, 37}, {29, 37}, 2.5f, white);
       }},
      {"Open.ico", [](Canvas& c) { folder(c); }},
      {"Open5.ico", [](Canvas& c) { folder(c); badge(c, 36, 36, 0xC43A3A, '5'); }},
      {"IconSivra.ico", [](Canvas& c) { tile_letter(c, 0xB0407A, 'S'); }},
      {"KorvelHelp.ico", [](Canvas& c) { tile_letter(c, 0x2E8B8B, '?'); }},
  };
  return all;
}

// One icon image: BITMAPINFOHEADER (height doubled for the mask), bottom-up
// BGRA rows, then a 1-bit AND mask marking fully transparent pixels.
Bytes icon_image(const Canvas& c) {
  int n = c.size();
  std::uint32_t mask_stride = static_cast<std::uint32_t>((n + 31) / 32 * 4);
  std::uint32_t nn = static_cast<std::uint32_t>(n);
  Bytes out;
  put32(out, 40);
  put32(out, nn);
  put32(out, 2 * nn);
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, nn * nn * 4 + mask_stride * nn);
  for (int i = 0; i < 4; ++i) put32(out, 0);
  auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255)); };
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) {
      const Color& p = c.at(x, y);
      std::uint8_t a = byte(p.a);
      out.insert(out.end(), {a ? byte(p.b) : std::uint8_t{0}, a ? byte(p.g) : std::uint8_t{0},
                             a ? byte(p.r) : std::uint8_t{0}, a});
    }
  for (int y = n - 1; y >= 0; --y) {
    Bytes row(mask_stride, 0);
    for (int x = 0; x < n; ++x)
      if (byte(c.at(x, y).a) == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// The images of an icon file, largest side 256 (written as 0 in the directory).
Bytes icon_file(const Icon& icon, const std::vector<int>& sizes) {
  std::vector<Bytes> images;
  for (int size : sizes) {
    Canvas c(size);
    icon.draw(c);
    images.push_back(icon_image(c));
  }
  Bytes out;
  put16(out, 0);
  put16(out, 1);  // an icon, not a cursor
  put16(out, static_cast<unsigned>(sizes.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(sizes[i] & 0xFF));
    out.push_back(static_cast<std::uint8_t>(sizes[i] & 0xFF));
    out.push_back(0);  // no palette
    out.push_back(0);
    put16(out, 1);
    put16(out, 32);
    put32(out, static_cast<std::uint32_t>(images[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

// The button icons: 32 and 48 first, the sizes the buttons ask for at 96 dpi
// (a request of 0 x 0 gets the first), then those they ask for at 120, 144 and
// 192 dpi. The Launcher reads each file whole at every start: no larger ones.
const std::vector<int> button_icon_sizes = {32, 48, 40, 60, 64, 72, 96};
// Korvel.exe's own icon: every size Explorer, the taskbar and Alt+Tab show at
// the usual scales, up to 256.
const std::vector<int> program_icon_sizes = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};

// ---------------------------------------------------------------- sounds

constexpr int sample_rate = 22050;

struct Note {
  float start;     // seconds
  int key;         // 69 is A 440 Hz
  float decay;     // per second
  float loudness;
  float overtone;  // ratio of a bell-like partial, 2 for a plain one
};

Bytes chime(float seconds, const std::vector<Note>& notes) {
  std::vector<float> mix(static_cast<std::size_t>(seconds * sample_rate), 0.f);
  for (const Note& note : notes) {
    double f = 440.0 * std::pow(2.0, (note.key - 69) / 12.0);
    for (std::size_t i = static_cast<std::size_t>(note.start * sample_rate); i < mix.size(); ++i) {
      double t = static_cast<double>(i) / sample_rate - note.start;
      double envelope = std::min(1.0, t / 0.004) * std::exp(-note.decay * t);
      double wave = std::sin(2 * std::numbers::pi * f * t) + 0.3 * std::sin(2 * std::numbers::pi * f * note.overtone * t) * std::exp(-6 * t) +
                    0.08 * std::sin(2 * std::numbers::pi * f * 3 * t);
      mix[i] += static_cast<float>(note.loudness * envelope * wave);
    }
  }
  float peak = 0;
  for (float v : mix) peak = std::max(peak, std::abs(v));
  Bytes samples;
  for (std::size_t i = 0; i < mix.size(); ++i) {
    float fade = std::min(1.f, static_cast<float>(mix.size() - i) / (0.02f * sample_rate));  // no click at the end
    put16(samples, static_cast<unsigned>(static_cast<std::int16_t>(std::lround(mix[i] / peak * fade * 0.6f * 32767))) & 0xFFFF);
  }
  Bytes out;
  put_text(out, "RIFF");
  put32(out, static_cast<std::uint32_t>(36 + samples.size()));
  put_text(out, "WAVEfmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, sample_rate);
  put32(out, sample_rate * 2);
  put16(out, 2);
  put16(out, 16);
  put_text(out, "data");
  put32(out, static_cast<std::uint32_t>(samples.size()));
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}

// ---------------------------------------------------------------- samples and documents

constexpr std::string_view geometry_sample = R"(KORVEL GEOMETRY 1
TITLE Demo roof truss, span 12 m, four panels
UNITS m kN cm2
NODES 8
*  node        x        y   fixed-x  fixed-y
      1    0.000    0.000         1        1
      2    3.000    0.000         0        0
      3    6.000    0.000         0        0
      4    9.000    0.000         0        0
      5   12.000    0.000         0        1
      6    3.000    1.500         0        0
      7    6.000    3.000         0        0
      8    9.000    1.500         0        0
MATERIALS 2
*  id  name        E[kN/cm2]  density[kg/m3]
    1  Steel-235       21000            7850
    2  Steel-355       21000            7850
BARS 13
*  bar  node-i  node-j  area[cm2]  material
     1       1       2      12.50         1
     2       2       3      12.50         1
     3       3       4      12.50         1
     4       4       5      12.50         1
     5       1       6      18.80         2
     6       6       7      18.80         2
     7       7       8      18.80         2
     8       8       5      18.80         2
     9       2       6       6.90         1
    10       3       7       6.90         1
    11       4       8       6.90         1
    12       6       3       9.40         1
    13       8       3       9.40         1
END
)";

constexpr std::string_view loading_sample = R"(KORVEL LOADING 1
TITLE Demo loads for frame.dat
TIME STEP 0.25 s, STEPS 5
CASES 2
CASE 1 Roof dead load
FORCES 3
*  node  direction   force[kN] at steps 1 to 5
      6  Y     -8.00   -8.00   -8.00   -8.00   -8.00
      7  Y    -10.00  -10.00  -10.00  -10.00  -10.00
      8  Y     -8.00   -8.00   -8.00   -8.00   -8.00
CASE 2 Wind gust from the left
FORCES 2
*  node  direction   force[kN] at steps 1 to 5
      6  X      0.00    2.50    5.00    2.50    0.00
      7  X      0.00    3.00    6.00    3.00    0.00
END
)";

constexpr std::string_view help_placeholder = R"(KORVEL Help

This file stands in for the compiled help of the KORVEL demo installation:
the full help is not part of the demo.
)";

std::string rtf_guide(std::string_view title, const std::vector<std::pair<std::string, std::string>>& sections) {
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\fs22\n{\\b\\fs32 " + std::string(title) + "\\par}\\par\n";
  for (const auto& [heading, body] : sections) rtf += "{\\b " + heading + "\\par}\n" + body + "\\par\\par\n";
  return rtf + "}\n";
}

const std::string guide_en = rtf_guide(
    "KORVEL - User's Guide",
    {{"About this document", "This is the demo placeholder of the KORVEL user's guide."},
     {"Starting", "Start Korvel.exe. The Launcher shows the package programs as buttons."},
     {"Geometry and Loading Files",
      "Choose a Geometry File (.dat) and a Loading File (.inc). The folder Dat holds the samples frame.dat and "
      "frame.inc."},
     {"Running the solver",
      "The solver reads both files and writes the Output File (.rez) next to the Geometry File. The other programs "
      "show displacements, stresses, reactions, time histories and maximum values."},
     {"Language", "Results are written in English or Romanian, as chosen in the Launcher."}});

const std::string guide_ro = rtf_guide(
    "KORVEL - Ghidul utilizatorului",
    {{"Despre acest document", "Acesta este locul rezervat ghidului utilizatorului KORVEL, in versiunea demonstrativa."},
     {"Pornire", "Porniti Korvel.exe. Lansatorul afiseaza programele pachetului sub forma de butoane."},
     {"Fisierele de geometrie si de incarcare",
      "Alegeti un fisier de geometrie (.dat) si un fisier de incarcare (.inc). Directorul Dat contine exemplele "
      "frame.dat si frame.inc."},
     {"Rularea programului de calcul",
      "Programul de calcul citeste ambele fisiere si scrie fisierul de rezultate (.rez) langa fisierul de geometrie. "
      "Celelalte programe afiseaza deplasari, eforturi, reactiuni, istorii in timp si valori maxime."},
     {"Limba", "Rezultatele sunt scrise in engleza sau in romana, dupa alegerea din Lansator."}});

void generate(const fs::path& root, const fs::path& program_icon) {
  for (const Icon& icon : icons()) write_file(root / "Exe" / "Uir" / icon.file, icon_file(icon, button_icon_sizes));
  if (!program_icon.empty()) write_file(program_icon, icon_file(icons().front(), program_icon_sizes));

  fs::path wav = root / "Exe" / "Wav";
  write_file(wav / "KorvelWelcome.wav", chime(0.6f, {{0, 72, 5, 1, 2}, {0.08f, 76, 5, 1, 2}, {0.16f, 79, 5, 1, 2},
                                                     {0.24f, 84, 4, 1.2f, 2}}));
  write_file(wav / "GoodBye.wav", chime(0.5f, {{0, 79, 6, 1, 2}, {0.12f, 76, 6, 1, 2}, {0.24f, 72, 5, 1.1f, 2}}));
  write_file(wav / "Running-1.wav", chime(0.25f, {{0, 81, 14, 1, 2}, {0.08f, 88, 12, 0.8f, 2}}));
  write_file(wav / "Running-2.wav", chime(0.35f, {{0, 86, 9, 1, 2.76f}, {0, 74, 9, 0.4f, 2}}));

  write_text(root / "Exe" / "Korvel Help.chm", help_placeholder);
  write_text(root / "Dat" / "frame.dat", geometry_sample);
  write_text(root / "Dat" / "frame.inc", loading_sample);
  write_text(root / "Doc" / "Korvel-en.doc", guide_en);
  write_text(root / "Doc" / "Korvel-ro.doc", guide_ro);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: generate_assets <install-root> [<program-icon>]\n";
    return 2;
  }
  try {
    generate(argv[1], argc == 3 ? fs::path(argv[2]) : fs::path());
  } catch (const std::exception& e) {
    std::cerr << "generate_assets: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
