#include "input/dialogs/wnd_messages.h"

#include <cstdio>

namespace {

struct MessageName {
  std::uint32_t message;
  const char* name;
};
constexpr MessageName kNames[] = {
    {wm::WM_CREATE, "WM_CREATE"},         {wm::WM_DESTROY, "WM_DESTROY"},
    {wm::WM_MOVE, "WM_MOVE"},             {wm::WM_SIZE, "WM_SIZE"},
    {wm::WM_GETTEXT, "WM_GETTEXT"},       {wm::WM_PAINT, "WM_PAINT"},
    {wm::WM_CLOSE, "WM_CLOSE"},           {wm::WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {wm::WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {wm::WM_NOTIFY, "WM_NOTIFY"},
    {wm::WM_KEYDOWN, "WM_KEYFIRST"},      {wm::WM_KEYUP, "WM_KEYUP"},
    {wm::WM_CHAR, "WM_CHAR"},             {wm::WM_IME_COMPOSITION, "WM_IME_COMPOSITION"},
    {wm::WM_INITDIALOG, "WM_INITDIALOG"}, {wm::WM_COMMAND, "WM_COMMAND"},
    {wm::WM_HSCROLL, "WM_HSCROLL"},       {wm::WM_VSCROLL, "WM_VSCROLL"},
    {wm::WM_MOUSEMOVE, "WM_MOUSEFIRST"},  {wm::WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {wm::WM_LBUTTONUP, "WM_LBUTTONUP"},   {wm::WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {wm::WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {wm::WM_RBUTTONUP, "WM_RBUTTONUP"},
    {wm::WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"}, {platform::WM_USER, "WM_USER"},
    {platform::WM_APP, "WM_APP"},
};

}  // namespace

const char* WmName(std::uint32_t message) {
  for (const MessageName& row : kNames) {
    if (row.message == message) return row.name;
  }
  // One buffer per thread: the log line is written before the next lookup.
  thread_local char number[16];
  std::snprintf(number, sizeof number, "%u", message);
  return number;
}
