#pragma once

#include <filesystem>
#include <string>

namespace soundgen {

// Writes music1.mid, music2.mid, Snd091.wav and Snd053.wav into folder,
// which must exist. On failure returns false with the reason in error.
bool writeSoundAssets(const std::filesystem::path& folder, std::string& error);

}  // namespace soundgen
