#include "tools/soundgen/SoundAssets.h"

#include <fstream>
#include <stdexcept>

#include "tools/soundgen/Compositions.h"
#include "tools/soundgen/Impacts.h"

namespace soundgen {
namespace {

bool writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

bool writeSoundAssets(const std::filesystem::path& folder, std::string& error) {
  struct Music {
    const char* file;
    Piece (*compose)();
  };
  for (const Music& music : {Music{"music1.mid", tournamentTheme}, Music{"music2.mid", sparringTheme}}) {
    try {
      if (!writeBytes(folder / music.file, render(music.compose()).bytes())) {
        error = std::string("cannot write ") + music.file;
        return false;
      }
    } catch (const std::invalid_argument& wrongScore) {
      error = std::string(music.file) + ": " + wrongScore.what();
      return false;
    }
  }
  if (!writeWave((folder / "Snd091.wav").string(), playerHit()) ||
      !writeWave((folder / "Snd053.wav").string(), opponentHit())) {
    error = "cannot write the hit sounds";
    return false;
  }
  return true;
}

}  // namespace soundgen
