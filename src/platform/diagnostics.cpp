#include "platform/diagnostics.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "platform/text_codec.h"

namespace platform {
namespace {

std::mutex g_mutex;
DiagnosticSink g_sink;

}  // namespace

void SetDiagnosticSink(DiagnosticSink sink) {
  std::lock_guard lock(g_mutex);
  g_sink = std::move(sink);
}

void ReportDiagnostic(std::string_view cp932Text) {
  DiagnosticSink sink;
  {
    std::lock_guard lock(g_mutex);
    sink = g_sink;
  }
  if (sink) {
    sink(cp932Text);
    return;
  }
  const std::string text = Cp932ToUtf8Lossy(cp932Text);
  std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace platform
