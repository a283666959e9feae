#include "runtime/file_faults.h"

namespace dwelvane::platform {
namespace {

FileFaultRule& ActiveRule() {
  static FileFaultRule rule;
  return rule;
}

std::size_t& ReadLimit() {
  static std::size_t most = 0;  // 0: no limit
  return most;
}

}  // namespace

ScopedFileFaults::ScopedFileFaults(FileFaultRule rule) {
  ActiveRule() = std::move(rule);
}

ScopedFileFaults::~ScopedFileFaults() {
  ActiveRule() = nullptr;
}

int InjectedFileFault(const FileCallInfo& call) {
  const FileFaultRule& rule = ActiveRule();
  return rule ? rule(call) : 0;
}

ScopedShortReads::ScopedShortReads(std::size_t most) {
  ReadLimit() = most;
}

ScopedShortReads::~ScopedShortReads() {
  ReadLimit() = 0;
}

std::size_t InjectedReadLimit(std::size_t size) {
  const std::size_t most = ReadLimit();
  return most != 0 && most < size ? most : size;
}

}  // namespace dwelvane::platform
