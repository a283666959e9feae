// The PO reader on any bytes: what it reads, written and read again, is the same catalog.
#include <cstdint>

#include "fuzz_support.h"
#include "translation/po_file.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> bytes = fuzz::ExactCopy(fuzz::AsText(data, size));
  PoCatalog catalog;
  PoReadError error;
  if (!ReadPo({bytes.data(), bytes.size()}, catalog, error)) {
    return 0;
  }
  PoCatalog again;
  if (!ReadPo(WritePo(catalog), again, error) || !(again == catalog)) {
    __builtin_trap();
  }
  return 0;
}
