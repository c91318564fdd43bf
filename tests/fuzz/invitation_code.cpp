// libFuzzer target: whatever a player types or pastes where the friend's
// invitation code goes, as the text box hands it over (UTF-8 from the
// command line, UTF-16 from the window).

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/InternetServers.h"
#include "platform/ice/Sealed.h"

namespace {

// A broken promise: said in the log, then the run stops where the fuzzer
// sees it.
[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "fault: %s\n", what);
  std::abort();
}

using mofurin::platform::InvitationCode;
namespace invitation = mofurin::platform::invitation;

void check(const QString& typed) {
  const std::optional<InvitationCode> code = InvitationCode::read(typed);
  // The window decides from looksLikeCode whether to read a code or an
  // address: a code that reads must never be taken for an address.
  if (code && !invitation::looksLikeCode(typed)) fault("a code that reads was taken for an address");
  if (!code) return;
  // The code as shown reads back as the same invitation, and is a code too.
  const QString shown = code->text();
  const std::optional<InvitationCode> again = InvitationCode::read(shown);
  if (!again || again->topic() != code->topic() || again->text() != shown) fault("a code as shown reads otherwise");
  if (!invitation::looksLikeCode(shown)) fault("a code as shown was taken for an address");
}

// Sixteen characters chosen by the bytes, each spelt as a player might
// (either case, I or L for 1, O for 0, full-width from an input method),
// in groups split by a dash, a space, a long sound mark or an ideographic
// space: of the 32 check characters after them exactly one makes a code.
// Random text almost never gets there.
void checkEveryCheckCharacter(const uint8_t* data, size_t size) {
  if (size < static_cast<size_t>(invitation::kCharacters)) return;
  constexpr char16_t kSplits[] = {u'-', u' ', u'\u30FC', u'\u3000'};
  QString body;
  for (int i = 0; i < invitation::kCharacters; ++i) {
    const int value = data[i] % 32;
    const int spelling = data[i] / 32;
    QChar c = QLatin1Char(invitation::kAlphabet[value]);
    if (spelling & 1) c = c.toLower();
    if (value == 1 && (spelling & 2)) {
      c = spelling & 4 ? u'l' : u'I';
    } else if (value == 0 && (spelling & 2)) {
      c = u'O';
    } else if (spelling & 2) {
      c = QChar(c.unicode() + 0xFEE0);  // its full-width form
    }
    body += c;
    if (i % invitation::kGroup == invitation::kGroup - 1) body += QChar(kSplits[spelling % 4]);
  }
  int codes = 0;
  for (const char last : QByteArray(invitation::kAlphabet)) {
    const QString typed = body + QLatin1Char(last);
    const bool reads = InvitationCode::read(typed).has_value();
    // The check character counts the same in either case.
    if (reads != InvitationCode::read(body + QChar(QLatin1Char(last)).toLower()).has_value())
      fault("the check character's case counted");
    if (reads) {
      ++codes;
      check(typed);
    }
  }
  if (codes != 1) fault("not exactly one check character made a code");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* chars = reinterpret_cast<const char*>(data);
  check(QString::fromUtf8(chars, static_cast<qsizetype>(size)));
  std::u16string utf16(size / 2, u'\0');
  std::memcpy(utf16.data(), data, utf16.size() * 2);
  check(QString::fromStdU16String(utf16));
  checkEveryCheckCharacter(data, size);
  return 0;
}
