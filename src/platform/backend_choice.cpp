#include "platform/backend_choice.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

bool HeadlessRequested() {
  const char* value = std::getenv("KESTREL_HEADLESS");
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace

Backend DialogBackend() { return HeadlessRequested() ? Backend::Null : Backend::Native; }

Backend VideoBackend() { return HeadlessRequested() ? Backend::Null : Backend::Native; }

Backend WindowBackend() { return HeadlessRequested() ? Backend::Null : Backend::Native; }

Backend AudioBackend() {
  const char* choice = std::getenv("KESTREL_AUDIO");
  if (choice != nullptr && std::strcmp(choice, "sdl") == 0) return Backend::Native;
  if (choice != nullptr && std::strcmp(choice, "null") == 0) return Backend::Null;
  return HeadlessRequested() ? Backend::Null : Backend::Native;
}

}  // namespace platform
