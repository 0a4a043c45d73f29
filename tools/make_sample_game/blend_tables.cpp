#include "make_sample_game/blend_tables.h"

#include <cstdint>
#include <cstdio>
#include <unordered_map>

namespace sample {

namespace {

constexpr int kRotateFirst = kRampFirst;
constexpr int kRotateCount = 192;  // entries 16 to 207

std::uint32_t Pack(const Rgb& c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

// Mixes may land on any colour except the transparent one, the cycling band (it would
// flicker) and entry 255, which the palette choice leaves to the system.
bool IsMixTarget(int index) { return (index >= 1 && index < kCycleFirst) || (index > kCycleLast && index < 255); }

// Finds the palette colour nearest to a mix, remembering each answer.
class NearestColour {
 public:
  explicit NearestColour(const PaletteColors& palette) {
    std::unordered_map<std::uint32_t, bool> seen;
    for (int i = 0; i < 256; ++i) {
      if (IsMixTarget(i) && seen.emplace(Pack(palette[static_cast<std::size_t>(i)]), true).second) {
        candidates_.push_back(palette[static_cast<std::size_t>(i)]);
      }
    }
  }

  Rgb Find(const Rgb& mix) {
    const std::uint32_t key = Pack(mix);
    if (const auto found = memo_.find(key); found != memo_.end()) return found->second;
    Rgb best = candidates_.front();
    long bestDistance = -1;
    for (const Rgb& c : candidates_) {
      // Weighted for the eye: green counts most, red least.
      const long dr = c.r - mix.r;
      const long dg = c.g - mix.g;
      const long db = c.b - mix.b;
      const long distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
      if (bestDistance < 0 || distance < bestDistance) {
        bestDistance = distance;
        best = c;
      }
    }
    memo_.emplace(key, best);
    return best;
  }

 private:
  std::vector<Rgb> candidates_;
  std::unordered_map<std::uint32_t, Rgb> memo_;
};

std::string BuildTable(const PaletteColors& palette, NearestColour& nearest) {
  // The first mix target of each colour stands for it.
  std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
  for (int i = 0; i < 256; ++i) {
    if (IsMixTarget(i)) indexOf.emplace(Pack(palette[static_cast<std::size_t>(i)]), static_cast<std::uint8_t>(i));
  }
  std::string table(kBlendTableBytes, '\0');
  for (int a = 0; a < 256; ++a) {
    for (int b = a; b < 256; ++b) {
      std::uint8_t value = 0;
      if (a == b || b == 0) {
        value = static_cast<std::uint8_t>(a);
      } else if (a == 0) {
        value = static_cast<std::uint8_t>(b);
      } else {
        const Rgb& ca = palette[static_cast<std::size_t>(a)];
        const Rgb& cb = palette[static_cast<std::size_t>(b)];
        const Rgb mix{static_cast<std::uint8_t>((ca.r + cb.r) / 2), static_cast<std::uint8_t>((ca.g + cb.g) / 2),
                      static_cast<std::uint8_t>((ca.b + cb.b) / 2)};
        value = indexOf.at(Pack(nearest.Find(mix)));
      }
      table[static_cast<std::size_t>(a * 256 + b)] = static_cast<char>(value);
      table[static_cast<std::size_t>(b * 256 + a)] = static_cast<char>(value);
    }
  }
  return table;
}

}  // namespace

PaletteColors PaletteForChoice(const PaletteColors& palette, int choice) {
  PaletteColors shown = palette;
  if (choice < 12) {
    const int shift = choice * kRampShades;
    for (int j = 0; j < kRotateCount; ++j) {
      shown[static_cast<std::size_t>(kRotateFirst + j)] =
          palette[static_cast<std::size_t>(kRotateFirst + (j + shift) % kRotateCount)];
    }
  } else {
    const int source = (choice - 11) * kRampShades;
    for (int j = 0; j < kRotateCount; ++j) {
      shown[static_cast<std::size_t>(kRotateFirst + j)] = palette[static_cast<std::size_t>(source + j % kRampShades)];
    }
  }
  return shown;
}

std::vector<std::string> BuildBlendTables(const PaletteColors& palette) {
  std::vector<std::string> tables;
  // The rotated palettes hold the same colours in another order: one search serves them all.
  NearestColour rotated(palette);
  for (int choice = 0; choice < kPaletteChoices; ++choice) {
    const PaletteColors shown = PaletteForChoice(palette, choice);
    if (choice < 12) {
      tables.push_back(BuildTable(shown, rotated));
    } else {
      NearestColour own(shown);
      tables.push_back(BuildTable(shown, own));
    }
  }
  return tables;
}

std::string BlendTablePath(int choice) {
  char path[32];
  std::snprintf(path, sizeof path, "bmp\\hbt\\hbt%02d.dat", choice);
  return path;
}

}  // namespace sample
