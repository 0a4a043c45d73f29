#include "input/dialogs/dialog_script.h"

#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <sstream>

#include "core/report_log.h"

namespace {

constexpr std::streamsize kMaxScriptBytes = 1 << 20;

struct Script {
  bool loaded = false;
  bool active = false;
  std::deque<std::string> lines;
};

std::mutex g_mutex;
Script g_script;

void Fill(Script& script, const std::string& text) {
  script.active = true;
  script.lines.clear();
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    script.lines.push_back(line.substr(first));
  }
}

void LoadFromEnvironment(Script& script) {
  if (script.loaded) return;
  script.loaded = true;
  const char* path = std::getenv("KESTREL_DIALOG_SCRIPT");
  if (path == nullptr || path[0] == '\0') return;
  std::ifstream file(path, std::ios::binary);
  std::string text(static_cast<std::size_t>(kMaxScriptBytes) + 1, '\0');
  file.read(text.data(), kMaxScriptBytes + 1);
  if (file.bad() || file.gcount() > kMaxScriptBytes) {
    Log("KESTREL_DIALOG_SCRIPT: the file cannot be read or is bigger than 1 MB; every dialog takes its default");
    text.clear();
  } else {
    text.resize(static_cast<std::size_t>(file.gcount()));
  }
  Fill(script, text);
}

}  // namespace

void SetDialogScript(std::optional<std::string> text) {
  std::lock_guard lock(g_mutex);
  g_script = Script{};
  if (text.has_value()) {
    g_script.loaded = true;
    Fill(g_script, *text);
  }
}

bool DialogScriptActive() {
  std::lock_guard lock(g_mutex);
  LoadFromEnvironment(g_script);
  return g_script.active;
}

std::optional<std::string> NextDialogScriptLine() {
  std::lock_guard lock(g_mutex);
  LoadFromEnvironment(g_script);
  if (g_script.lines.empty()) return std::nullopt;
  std::string line = std::move(g_script.lines.front());
  g_script.lines.pop_front();
  return line;
}
