#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The file chooser's view of names: what a name on disk is called in the game's code page,
// which names a filter lets through, and the listing of a folder as the chooser shows it.

// The CP932 form of a name on disk: a UTF-8 name converted, or a name that is already raw
// CP932 (a file unpacked without conversion) as it is. None when neither holds: such a file
// could not be named by the game.
std::optional<std::string> ChooserName(std::string_view hostName);

// Whether a CP932 name matches one of the ';'-separated patterns ('*' any run, '?' one
// character), a double-byte character counting as one and ASCII letters in any case.
bool MatchesPatterns(std::string_view cp932Name, std::string_view patterns);

struct ChooserEntry {
  std::string name;      // CP932, as shown and as the result names it
  std::string hostName;  // the bytes on disk
  bool folder = false;
};

// Folders first (with ".." first of all below the game folder), then the files the patterns
// let through; each group by name with ASCII case folded.
std::vector<ChooserEntry> ListChooserFolder(const std::string& hostFolder, std::string_view patterns, bool atRoot);

// The file name with the default extension ("stg4_*;rpl4_*": its first, up to a '*') added
// when it has none of its own.
std::string WithDefaultExtension(const std::string& cp932Name, std::string_view defaultExtension);

// The names of a field listing several files, each in double quotes ("a b.stg4_000" "c"), in
// their order; none when the text is not such a list (no quote, or one left open).
std::optional<std::vector<std::string>> QuotedNames(std::string_view cp932Text);
