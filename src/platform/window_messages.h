#pragma once

#include <cstdint>

namespace platform {

// A window or thread message: its number and two parameters, as the game's window procedure
// and thread loops expect them. The numbers are the ones the game was written against, so
// the request numbers of its own protocol (1025 and up) keep their meaning.
struct Message {
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

inline constexpr std::uint32_t WM_CREATE = 0x0001;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_MOVE = 0x0003;
inline constexpr std::uint32_t WM_SIZE = 0x0005;
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_QUIT = 0x0012;
inline constexpr std::uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
// First number free for a program's own messages; also the start handshake of a thread.
inline constexpr std::uint32_t WM_APP = 0x8000;
// Numbers from here up to WM_APP are a window's own requests.
inline constexpr std::uint32_t WM_USER = 0x0400;

// What a queue call found.
enum class PeekResult { Message, Empty, Quit };

}  // namespace platform
