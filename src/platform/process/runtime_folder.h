#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// The per-user folder of live program state (instance locks, the window registry, notice
// sockets): $XDG_RUNTIME_DIR/kestrel, or /tmp/kestrel-<uid> when the session has no runtime
// folder. Made private to the user on first use; empty when it cannot be made or is not the
// user's own (a folder someone else planted in /tmp is never trusted).
std::optional<std::filesystem::path> RuntimeFolder();

// A sub-folder of it, made the same way.
std::optional<std::filesystem::path> RuntimeSubfolder(const char* name);

}  // namespace platform
