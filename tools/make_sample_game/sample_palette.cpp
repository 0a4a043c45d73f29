#include "make_sample_game/sample_palette.h"

#include <cmath>

namespace sample {

namespace {

struct RampAnchors {
  Rgb dark;
  Rgb mid;
  Rgb light;
};

constexpr RampAnchors kRamps[kRampCount] = {
    {{0, 0, 0}, {128, 128, 136}, {255, 255, 255}},      // grey: 16 is pure black
    {{40, 0, 8}, {204, 36, 44}, {255, 204, 196}},       // red
    {{48, 16, 0}, {236, 124, 28}, {255, 228, 176}},     // orange
    {{48, 32, 0}, {228, 180, 36}, {255, 250, 208}},     // gold
    {{0, 32, 8}, {60, 180, 60}, {224, 255, 204}},       // green
    {{8, 24, 8}, {68, 116, 44}, {204, 228, 164}},       // forest
    {{0, 32, 40}, {28, 164, 152}, {204, 255, 244}},     // teal
    {{16, 40, 84}, {100, 172, 244}, {236, 248, 255}},   // sky
    {{8, 8, 52}, {52, 76, 204}, {204, 214, 255}},       // blue
    {{24, 0, 40}, {140, 60, 188}, {236, 204, 255}},     // purple
    {{48, 0, 24}, {236, 92, 164}, {255, 220, 238}},     // pink
    {{32, 16, 8}, {154, 100, 60}, {250, 228, 196}},     // brown
};

// The eight cycling groups: each pulses bright, mid, dark, mid.
constexpr Rgb kCycle[8][4] = {
    {{255, 80, 80}, {224, 32, 32}, {150, 16, 16}, {224, 32, 32}},
    {{96, 255, 96}, {32, 208, 48}, {16, 128, 24}, {32, 208, 48}},
    {{112, 144, 255}, {40, 72, 232}, {16, 32, 150}, {40, 72, 232}},
    {{255, 255, 112}, {240, 216, 32}, {160, 136, 16}, {240, 216, 32}},
    {{255, 112, 255}, {224, 40, 224}, {144, 16, 144}, {224, 40, 224}},
    {{200, 136, 255}, {144, 72, 232}, {88, 32, 160}, {144, 72, 232}},
    {{72, 72, 80}, {40, 40, 48}, {8, 8, 12}, {40, 40, 48}},
    {{255, 64, 64}, {64, 232, 64}, {64, 96, 255}, {255, 232, 64}},
};

constexpr Rgb kFixedLow[16] = {
    {255, 0, 255},    // 0 transparent
    {20, 18, 30},     // 1 outline
    {52, 52, 68},     // 2 slate
    {100, 100, 116},  // 3 steel
    {164, 164, 180},  // 4 silver
    {224, 224, 232},  // 5 pale
    {255, 255, 255},  // 6 white
    {204, 40, 40},    // 7 red
    {40, 172, 64},    // 8 green
    {52, 92, 220},    // 9 blue
    {252, 212, 44},   // 10 yellow
    {44, 204, 224},   // 11 cyan
    {220, 64, 200},   // 12 magenta
    {255, 144, 32},   // 13 orange
    {124, 72, 32},    // 14 brown
    {255, 204, 164},  // 15 skin
};

constexpr Rgb kFixedHigh[16] = {
    {255, 236, 184},  // 240 frame
    {255, 255, 255},  // 241 text
    {12, 16, 44},     // 242 shadow
    {20, 28, 76},     // 243 .. 250 window panel, dark to light
    {26, 36, 92},
    {32, 44, 108},
    {38, 52, 124},
    {44, 60, 140},
    {52, 70, 154},
    {62, 82, 168},
    {76, 98, 184},
    {255, 232, 120},  // 251 highlight
    {244, 72, 72},    // 252 gauge low
    {88, 224, 96},    // 253 gauge HP
    {96, 164, 255},   // 254 gauge SP
    {255, 255, 255},  // 255
};

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, double t) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

Rgb MixRgb(const Rgb& from, const Rgb& to, double t) { return {Mix(from.r, to.r, t), Mix(from.g, to.g, t), Mix(from.b, to.b, t)}; }

PaletteColors BuildPalette() {
  PaletteColors colors{};
  for (int i = 0; i < 16; ++i) colors[static_cast<std::size_t>(i)] = kFixedLow[i];
  for (int ramp = 0; ramp < kRampCount; ++ramp) {
    const RampAnchors& a = kRamps[ramp];
    for (int level = 0; level < kRampShades; ++level) {
      // Shades 0 to 8 climb from dark to the ramp's own colour, 8 to 15 on to light.
      const Rgb c = level <= 8 ? MixRgb(a.dark, a.mid, level / 8.0) : MixRgb(a.mid, a.light, (level - 8) / 7.0);
      colors[static_cast<std::size_t>(Shade(static_cast<Ramp>(ramp), level))] = c;
    }
  }
  for (int group = 0; group < 8; ++group) {
    for (int k = 0; k < 4; ++k) colors[static_cast<std::size_t>(kCycleFirst + 4 * group + k)] = kCycle[group][k];
  }
  for (int i = 0; i < 16; ++i) colors[static_cast<std::size_t>(240 + i)] = kFixedHigh[i];
  return colors;
}

}  // namespace

const PaletteColors& SamplePalette() {
  static const PaletteColors colors = BuildPalette();
  return colors;
}

}  // namespace sample
