// libFuzzer target: the meeting place's and the relay's addresses as a
// player types them in the settings or on the command line, or as a shared
// settings file brings them.

#include <QString>
#include <cstdio>
#include <cstdlib>

#include "platform/InternetServers.h"

namespace {

// A broken promise: said in the log, then the run stops where the fuzzer
// sees it.
[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "fault: %s\n", what);
  std::abort();
}

// What reaches the MQTT client and the ICE agent as a host: never empty,
// and nothing of the URL around it.
bool plainHost(const QString& host) {
  if (host.isEmpty()) return false;
  for (const QChar c : host) {
    if (c.isSpace() || c == u'/' || c == u'@' || c == u'?' || c == u'#') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mofurin::platform;
  const QString url = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  if (const auto place = readMeetingPlace(url)) {
    // No server listens on port 0: a URL that names it is refused.
    if (place->port == 0) fault("the meeting place's port read as 0");
    if (!plainHost(place->host)) fault("the meeting place's host is not a plain host");
  }
  if (const auto relay = readRelay(url)) {
    if (relay->turnPort == 0 || relay->stunPort == 0) fault("the relay's port read as 0");
    if (!plainHost(relay->turnHost)) fault("the relay's host is not a plain host");
    // The relay answers STUN too, at the same address.
    if (relay->stunHost != relay->turnHost || relay->stunPort != relay->turnPort) fault("STUN and TURN differ");
  }
  return 0;
}
