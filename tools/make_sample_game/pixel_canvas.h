#pragma once

#include <cstdint>
#include <vector>

namespace sample {

// An 8-bit picture of palette indices, top row first, that the art is drawn on. Drawing
// outside the picture is clipped away; index 0 is the transparent colour.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, std::uint8_t fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::uint8_t At(int x, int y) const { return Inside(x, y) ? pixels_[Index(x, y)] : 0; }
  void Set(int x, int y, std::uint8_t color) {
    if (Inside(x, y)) pixels_[Index(x, y)] = color;
  }

  void FillRect(int x, int y, int w, int h, std::uint8_t color);
  // A one-pixel line along the rectangle's edge.
  void FrameRect(int x, int y, int w, int h, std::uint8_t color);
  void FillEllipse(int cx, int cy, int rx, int ry, std::uint8_t color);
  void Line(int x0, int y0, int x1, int y1, std::uint8_t color);

  // Copies a rectangle of another canvas; keyed copies leave out its transparent pixels,
  // mirrored ones read each row right to left.
  void Blit(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy, bool keyed = true, bool mirrored = false);
  void BlitAll(const Canvas& source, int dx, int dy, bool keyed = true) {
    Blit(source, 0, 0, source.width_, source.height_, dx, dy, keyed);
  }
  // Each source pixel becomes a scale x scale square.
  void BlitScaled(const Canvas& source, int dx, int dy, int scale, bool keyed = true);
  // Every transparent pixel beside (not diagonally) a drawn one takes the colour.
  void Outline(std::uint8_t color);
  // Replaces one colour by another inside a rectangle.
  void Recolor(int x, int y, int w, int h, std::uint8_t from, std::uint8_t to);

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x; }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// Ordered 4 x 4 dither threshold (0 to 15) of a pixel: shading between two shades picks the
// lighter one where the fraction exceeds it, for a regular pixel-art texture.
int DitherThreshold(int x, int y);

}  // namespace sample
