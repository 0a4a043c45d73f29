#pragma once

#include <string>
#include <string_view>

// String functions on game paths: CP932 text in Windows form. A backslash that is the second
// byte of a double-byte character is part of that character, never a separator. Results that
// would not fit the 260-character path buffers of the file formats are refused (result 0,
// destination empty), never cut: a cut path can name another file.

// An absolute path (leading separator) becomes relative to the current folder: ".\name" below
// it, "..\name" beside it. A relative path is left alone.
int PathMakeRelative(std::string& path);
int PathMakeRelativeStr(std::string& path);
// A relative path becomes absolute against the current folder, with "." and ".." folded;
// an absolute path is left alone. Refused (0) when the current folder's name has a character
// CP932 lacks: host paths are built with HostPathInCurrentFolder instead.
int PathMakeAbsolute(std::string& path);

void PathStripDir(std::string& path);
// The extension is what follows the last dot of the last component only.
int PathChangeExt(std::string& destination, std::string_view source, const char* newExt);
int PathStripExt(std::string& path);
int PathStripExtStr(std::string& path);
// The extension holds at most 31 characters; a longer one is refused.
int PathGetExt(std::string& destination, std::string_view path);
// name.ext becomes name_ab.ext.
int PathInsertNumber(std::string& destination, std::string_view source, int digitA, int digitB);
// The newest existing version name.ext_NNN of a versioned file, NNN from 999 down to 000.
int FindLastNumberedFile(std::string& destination, std::string_view source, const char* ext);
int FindLastNumberedFileStr(std::string& destination, const std::string& source, const char* ext);

constexpr std::size_t kMaxPathChars = 259;
