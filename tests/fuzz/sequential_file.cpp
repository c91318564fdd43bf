// libFuzzer target: any text read field by field in the "write" notation.

#include <QByteArray>

#include "persist/Cp932.h"
#include "persist/SequentialFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  mofurin::SequentialReader reader(mofurin::decodeCp932(bytes));
  // Alternate the two kinds of read as the files' readers do.
  for (int field = 0; field < 4096 && !reader.atEnd(); ++field) {
    if (field % 2 == 0) {
      reader.readText();
    } else {
      reader.readNumber();
    }
  }
  reader.onlyBlanksLeft();
  return 0;
}
