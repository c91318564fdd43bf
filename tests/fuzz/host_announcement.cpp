// libFuzzer target: any datagram from the local network, read as a host's
// announcement and as a finder's question; what reads well must build back
// to the same text's meaning.

#include <QByteArray>
#include <cstdlib>

#include "net/HostAnnouncement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (const auto host = mofurin::readAnnouncement(bytes)) {
    if (mofurin::readAnnouncement(mofurin::buildAnnouncement(*host)) != host) std::abort();
  }
  // A host must never take another host's announcement for a question.
  if (mofurin::isQuestion(bytes) && mofurin::readAnnouncement(bytes)) std::abort();
  return 0;
}
