#pragma once

#include <filesystem>

namespace sample {

// A PNG of every bitmap of the game, each enlarged and labelled by its position, the
// transparent colour shown as a grey check: for looking the art over.
bool WriteContactSheet(const std::filesystem::path& png);

}  // namespace sample
