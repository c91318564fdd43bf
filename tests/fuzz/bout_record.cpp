// libFuzzer target: any bytes as a bout record. What the reader accepts must
// write back to the same bytes.

#include <QByteArray>
#include <cstdlib>

#include "battle/BoutRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const auto read = mofurin::readBoutRecord(bytes);
  if (const auto* record = std::get_if<mofurin::BoutRecord>(&read)) {
    if (mofurin::writeBoutRecord(*record) != bytes) std::abort();
  }
  return 0;
}
