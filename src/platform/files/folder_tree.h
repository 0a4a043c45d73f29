#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// Folder operations on host paths (UTF-8, as the path resolver gives them).

bool IsFolder(const std::string& hostPath);
// A regular file, or anything else on the path that is not a folder (a link to nothing, a
// device): something a folder of that name could not be made over.
bool IsFile(const std::string& hostPath);
// Makes one folder; an existing folder counts as made.
bool MakeFolder(const std::string& hostPath);
// Renames a file or folder; refuses when the target exists (never replaces it).
bool RenameNoReplace(const std::string& from, const std::string& to);
// Removes a folder and everything below it; false when something stays.
bool RemoveTree(const std::string& hostPath);

// Copies the folder tree `source` into a new folder beside `target` and then renames that
// folder to `target`, so `target` appears only complete. On any failure the partial copy is
// removed, `target` is left as it was, and the result is false. Files are copied byte for
// byte; symbolic links are copied as links, never followed.
bool CopyFolderTree(const std::string& source, const std::string& target);

// Tests make CopyFolderTree fail after the given number of files (nullopt: never).
void SetCopyFaultAfter(std::optional<std::size_t> files);

}  // namespace platform
