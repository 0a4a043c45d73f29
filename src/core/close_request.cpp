#include "core/close_request.h"

#include <mutex>

namespace {

std::mutex g_mutex;
CloseRequestSink g_sink;

}  // namespace

void SetCloseRequestSink(CloseRequestSink sink) {
  std::lock_guard lock(g_mutex);
  g_sink = std::move(sink);
}

void PostCloseRequest() {
  CloseRequestSink sink;
  {
    std::lock_guard lock(g_mutex);
    sink = g_sink;
  }
  if (sink) sink();
}
