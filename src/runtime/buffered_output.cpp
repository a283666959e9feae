#include "runtime/buffered_output.h"

namespace dwelvane {

IoError BufferedOutput::Close() {
  if (error_.Failed()) {
    return error_;
  }
  Flush();
  return writer_.FileClose();
}

void BufferedOutput::Flush() {
  if (!error_.Failed()) {
    writer_.WriteBytes(buffer_);
  }
  buffer_.clear();
}

}  // namespace dwelvane
