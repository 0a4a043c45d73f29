#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Replaces a file's contents as one step: the bytes go to a temporary file beside the target,
// every write is checked, the data is flushed to the disk, and only then is the temporary
// renamed over the target. A crash or a full disk leaves the old file as it was.
bool ReplaceFileContents(const std::string& hostPath, std::string_view bytes);

// Reads a whole file of at most maxBytes; false when it cannot be read or is larger.
bool ReadFileContents(const std::string& hostPath, std::size_t maxBytes, std::string& out);

// Renames a file, replacing what the new name held; false when that fails.
bool RenameFile(const std::string& fromHostPath, const std::string& toHostPath);

// Tests make writes fail after the given number of bytes (nullopt: never).
void SetWriteFaultAfter(std::optional<std::size_t> bytes);

}  // namespace platform
