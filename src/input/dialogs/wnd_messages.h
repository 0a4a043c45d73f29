#pragma once

#include <cstdint>

#include "platform/window_messages.h"

// The message numbers the toolkit's windows handle, with the numbers the game knew them by.
namespace wm {
using platform::WM_ACTIVATEAPP;
using platform::WM_CLOSE;
using platform::WM_CREATE;
using platform::WM_DESTROY;
using platform::WM_KEYDOWN;
using platform::WM_MOVE;
using platform::WM_PAINT;
using platform::WM_SIZE;
inline constexpr std::uint32_t WM_GETTEXT = 0x000D;
inline constexpr std::uint32_t WM_GETMINMAXINFO = 0x0024;
inline constexpr std::uint32_t WM_NOTIFY = 0x004E;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;
inline constexpr std::uint32_t WM_INITDIALOG = 0x0110;
inline constexpr std::uint32_t WM_COMMAND = 0x0111;
inline constexpr std::uint32_t WM_HSCROLL = 0x0114;
inline constexpr std::uint32_t WM_VSCROLL = 0x0115;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t WM_IME_COMPOSITION = 0x010F;
// A navigation key the dialog's key router passed on; the dialog takes it as WM_KEYDOWN.
inline constexpr std::uint32_t kNavKey = 2024;
}  // namespace wm

// The name of a message for the message log: our own names, else the number.
const char* WmName(std::uint32_t message);
