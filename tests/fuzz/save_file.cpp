// libFuzzer target: any bytes as a save file.

#include <QByteArray>

#include "persist/Cp932.h"
#include "persist/SaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<QString> text = mofurin::decodeCp932Strictly(bytes);
  if (!text) return 0;
  if (const auto saved = mofurin::parseSaveFile(*text)) {
    mofurin::GameState game;
    if (saved->passesIntegrityTest()) saved->applyTo(game);
  }
  return 0;
}
