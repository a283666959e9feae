#pragma once

#include <cstddef>
#include <string>

#include "runtime/io_error.h"
#include "runtime/line_writer.h"
#include "runtime/output_target.h"

namespace dwelvane {

// Writes what is appended to its buffer a megabyte at a time, so that a large output is
// never held whole; the file is put in place by Close, as LineWriter puts it.
class BufferedOutput {
 public:
  explicit BufferedOutput(const OutputTarget& output) { error_ = writer_.Open(output); }

  std::string& Buffer() { return buffer_; }
  void FlushWhenFull() {
    if (buffer_.size() >= kFlushAt) {
      Flush();
    }
  }
  IoError Close();

 private:
  static constexpr std::size_t kFlushAt = 1 << 20;

  void Flush();

  LineWriter writer_;
  IoError error_;
  std::string buffer_;
};

}  // namespace dwelvane
