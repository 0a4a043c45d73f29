#pragma once

#include <cstdint>

namespace platform {

// The virtual-key numbers the game was written against: key state, key configuration files
// and the window's key messages all use them.
namespace vk {
inline constexpr int kLeftButton = 0x01;
inline constexpr int kRightButton = 0x02;
inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kClear = 0x0C;
inline constexpr int kReturn = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;  // Alt
inline constexpr int kPause = 0x13;
inline constexpr int kCapital = 0x14;
inline constexpr int kKana = 0x15;
inline constexpr int kEscape = 0x1B;
inline constexpr int kConvert = 0x1C;     // 変換
inline constexpr int kNonConvert = 0x1D;  // 無変換
inline constexpr int kSpace = 0x20;
inline constexpr int kPrior = 0x21;
inline constexpr int kNext = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kSnapshot = 0x2C;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int kLeftWin = 0x5B;
inline constexpr int kRightWin = 0x5C;
inline constexpr int kApps = 0x5D;
inline constexpr int kNumpad0 = 0x60;
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDecimal = 0x6E;
inline constexpr int kDivide = 0x6F;
inline constexpr int kF1 = 0x70;
inline constexpr int kF24 = 0x87;
inline constexpr int kNumLock = 0x90;
inline constexpr int kScroll = 0x91;
inline constexpr int kLeftShift = 0xA0;
inline constexpr int kRightShift = 0xA1;
inline constexpr int kLeftControl = 0xA2;
inline constexpr int kRightControl = 0xA3;
inline constexpr int kLeftMenu = 0xA4;
inline constexpr int kRightMenu = 0xA5;
inline constexpr int kOem1 = 0xBA;       // ;:
inline constexpr int kOemPlus = 0xBB;    // =+
inline constexpr int kOemComma = 0xBC;
inline constexpr int kOemMinus = 0xBD;
inline constexpr int kOemPeriod = 0xBE;
inline constexpr int kOem2 = 0xBF;  // /?
inline constexpr int kOem3 = 0xC0;  // `~
inline constexpr int kOem4 = 0xDB;  // [{
inline constexpr int kOem5 = 0xDC;  // \|
inline constexpr int kOem6 = 0xDD;  // ]}
inline constexpr int kOem7 = 0xDE;  // '"
inline constexpr int kOem102 = 0xE2;  // the extra key beside the left shift
}  // namespace vk

// The number of the key the virtual-key name names ("Left", "Return", "Z", "F5", "0x41", "65"),
// or 0 when there is none. Used by the headless scripts.
int VirtualKeyFromName(const char* name);

}  // namespace platform
