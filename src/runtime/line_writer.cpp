#include "runtime/line_writer.h"

#include "runtime/program_paths.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {
constexpr std::size_t kFlushSize = 64 * 1024;
}

LineWriter::LineWriter() {
  buffer_.reserve(kFlushSize);
}

IoError LineWriter::FileCreate(const std::string& path, const std::string& confined_to) {
  buffer_.clear();
  error_ = {};
  to_standard_output_ = false;
  return file_.Begin(ResolveProgramPath(path), platform::NewFileAccess::kOrdinary,
                     confined_to.empty() ? confined_to : ResolveProgramPath(confined_to));
}

void LineWriter::UseStandardOutput() {
  file_.Abandon();
  buffer_.clear();
  error_ = {};
  to_standard_output_ = true;
}

IoError LineWriter::Open(const OutputTarget& target) {
  if (target.to_standard_output) {
    UseStandardOutput();
    return {};
  }
  return FileCreate(target.path, target.project_folder);
}

void LineWriter::FileWriteLine(std::string_view text) {
  buffer_.insert(buffer_.end(), text.begin(), text.end());
  buffer_.push_back('\r');
  buffer_.push_back('\n');
  if (buffer_.size() >= kFlushSize) {
    Flush();
  }
}

void LineWriter::WriteBytes(std::string_view bytes) {
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  if (buffer_.size() >= kFlushSize) {
    Flush();
  }
}

IoError LineWriter::FileClose() {
  Flush();
  if (to_standard_output_) {
    to_standard_output_ = false;
    return error_;
  }
  return file_.Commit(error_);
}

void LineWriter::Flush() {
  const platform::FileHandle file =
      to_standard_output_ ? platform::StandardOutputHandle() : file_.Handle();
  // After a failure nothing more is written: the output is lost already, and the first
  // failure is the one that says why.
  if (!buffer_.empty() && file != platform::kNoFile && !error_.Failed()) {
    // A terminal is shown the names from the project with their control characters
    // escaped; a file or a pipe gets the bytes as they are.
    if (to_standard_output_ && platform::StandardOutputIsTerminal()) {
      const std::string shown = EscapeControlCharacters({buffer_.data(), buffer_.size()}, "\t\r\n");
      error_ = platform::WriteToFile(file, shown.data(), shown.size());
    } else {
      error_ = platform::WriteToFile(file, buffer_.data(), buffer_.size());
    }
  }
  buffer_.clear();
}

}  // namespace dwelvane
