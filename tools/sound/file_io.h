// Whole-file reads and all-or-nothing writes for the generator programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

// Throws std::runtime_error naming the file when it cannot be read.
std::string readTextFile(const std::string& path);

// Writes beside the target first and renames, so that a failed build never
// leaves a half-written file that looks up to date. Creates missing folders.
void writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace synth
