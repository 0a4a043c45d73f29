// Builds a stage from arbitrary bytes (size, hit level, gravity, cells of every kind and
// effect, characters of every flight kind, group, scale and power, block characters) and
// plays 60 frames of it with flows that move, summon, warp and kill. Whatever the bytes,
// set-up and play must end without a crash, a hang or undefined behaviour.

#include <cstddef>
#include <cstdint>

#include "data/stage_data.h"
#include "world/scene_play.h"
#include "world/world_demo.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Empty() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

cEdBlock Cell(int code, Bytes& in) {
  cEdBlock b;
  b.nPicture = 1;
  b.nHitKind = static_cast<std::uint8_t>(code % 4);
  b.nPassGroup = static_cast<std::uint8_t>(code & 0x10 ? in.Next() % 9 : 255);
  b.nBlockEffect = static_cast<std::uint8_t>((code >> 5) % 6);
  b.nBlockEffectValue = static_cast<std::int8_t>(in.Next()) * 7;
  if (code & 0x80) {
    cEdCondition c;
    c.nKind = static_cast<std::uint8_t>(in.Next() % 9);
    c.nVarIndex = static_cast<std::int16_t>(in.Next() - 8);
    c.nOp = static_cast<std::uint8_t>(in.Next() % 9);
    c.nValue = static_cast<std::int8_t>(in.Next());
    b.conditions.push_back(c);
    b.bCondOnce = static_cast<std::uint8_t>(code & 1);
  }
  return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  cStageData st;
  st.Reset();
  st.nWidth = 1 + in.Next() % 40;
  st.nHeight = 1 + in.Next() % 20;
  st.nMapPixelWidth = st.nWidth * 32;
  st.nMapPixelHeight = st.nHeight * 32;
  st.nHitLevel = in.Next() % 26;
  st.dGravity = (in.Next() - 64) * 0.02;
  st.nScrollModeX = in.Next() % 2;
  st.nAutoScrollX = static_cast<std::int8_t>(in.Next());
  st.bOnScreenHitsOnly = in.Next() % 2;
  st.nCharaInvincibleTime = in.Next() % 8;
  st.SetHitLevel(st.nHitLevel);
  const int cells = in.Next() % 200;
  for (int i = 0; i < cells && !in.Empty(); ++i) {
    cEdBlock b = Cell(in.Next(), in);
    b.x = static_cast<std::int16_t>(in.Next() % (st.nWidth + 4) - 2);
    b.y = static_cast<std::int16_t>(in.Next() % (st.nHeight + 4) - 2);
    st.Blocks.push_back(b);
  }
  cEdChara hero;
  hero.nPicture = 1;
  hero.nOperator = 0;
  hero.nGroup = 0;
  hero.nFlight = static_cast<std::uint8_t>(in.Next() % 5);
  hero.x = static_cast<std::int16_t>(in.Next() % st.nWidth);
  hero.y = static_cast<std::int16_t>(in.Next() % st.nHeight);
  st.Charas.push_back(hero);
  const int charas = in.Next() % 40;
  for (int i = 0; i < charas && !in.Empty(); ++i) {
    cEdChara c;
    c.nPicture = 2;
    const int flags = in.Next();
    c.nOperator = static_cast<std::uint8_t>(flags & 1);
    c.bBlockChara = static_cast<std::uint8_t>((flags >> 1) & 1);
    c.nFlight = static_cast<std::uint8_t>((flags >> 2) % 5);
    c.nGroup = static_cast<std::uint8_t>(in.Next() % 10);
    c.nGiant = static_cast<std::uint8_t>(in.Next() % 4);
    c.nPower = static_cast<std::int8_t>(in.Next()) * 1000;
    c.nImpact = static_cast<std::int8_t>(in.Next());
    c.nImpactResist = static_cast<std::uint8_t>(in.Next() % 25);
    c.nMaxHp = in.Next();
    c.nCopies = static_cast<std::int8_t>(in.Next() % 3);
    c.nActivityRange = static_cast<std::uint8_t>(in.Next() % 5);
    c.x = static_cast<std::int16_t>(in.Next() % (st.nWidth + 2) - 1);
    c.y = static_cast<std::int16_t>(in.Next() % (st.nHeight + 2) - 1);
    st.Charas.push_back(c);
  }
  PlayDemoFrames(st, static_cast<std::uint32_t>(size), 60);
  return 0;
}
