// libFuzzer target: any bytes from the other machine, cut into pieces as the
// network may, read as setup and battle messages.

#include <QByteArray>

#include "game/GameState.h"
#include "net/Protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  mofurin::FrameReader reader;
  mofurin::GameState game;
  // The first byte decides how the rest arrives: in pieces of 1 to 16 bytes.
  const qsizetype piece = size > 0 ? 1 + data[0] % 16 : 1;
  for (qsizetype at = 1; at < bytes.size(); at += piece) {
    reader.append(bytes.mid(at, piece));
    while (const auto message = reader.next()) {
      mofurin::storeSetup(mofurin::readSetupHeader(*message), game);
      const mofurin::BattleMessage m = mofurin::readBattleMessage(*message);
      mofurin::readStrike(m.body);
      mofurin::readChoice(m.body);
    }
  }
  return 0;
}
