#include "runtime/file_faults.h"

namespace dwelvane::platform {
namespace {

FileFaultRule& ActiveRule() {
  static FileFaultRule rule;
  return rule;
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

}  // namespace dwelvane::platform
