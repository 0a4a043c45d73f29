#pragma once

#include <string>
#include <string_view>

// Game code holds paths as CP932 text in Windows form. A relative path names something in the
// game folder and goes through the game folder's resolver; an absolute one (leading
// separator, made by PathMakeAbsolute) names a host path as it stands. Both return "" when the
// path cannot be had, never a shortened or altered path.
std::string HostPathForRead(std::string_view gamePath);
std::string HostPathForWrite(std::string_view gamePath);

// True for a path in the absolute form (leading "\" or "/").
bool IsAbsoluteGamePath(std::string_view gamePath);

// A file of the current folder, the game folder, as an absolute host path: the folder's name is
// taken from the file system as it stands and never goes through the game's code page, so a
// game unpacked under a folder named with letters CP932 lacks (é, ü, ñ) still finds it. The
// bare name when the current folder cannot be read.
std::string HostPathInCurrentFolder(std::string_view hostName);

// True when the path names an existing file or folder.
bool GamePathExists(std::string_view gamePath);
