#include "runtime/line_writer.h"

#include "runtime/program_paths.h"

namespace dwelvane {
namespace {
constexpr std::size_t kFlushSize = 64 * 1024;
}

LineWriter::LineWriter() {
  buffer_.reserve(kFlushSize);
}

// A writer closed by its owner has nothing left to report; one left open is abandoned.
LineWriter::~LineWriter() {
  static_cast<void>(FileClose());
}

bool LineWriter::FileCreate(const std::string& path) {
  const platform::FileHandle created = platform::CreateFileForWriting(ResolveProgramPath(path));
  if (created == platform::kNoFile) {
    return false;
  }
  static_cast<void>(FileClose());
  file_ = created;
  failed_ = false;
  return true;
}

void LineWriter::UseStandardOutput() {
  static_cast<void>(FileClose());
  file_ = platform::StandardOutputHandle();
  failed_ = false;
}

bool LineWriter::Open(const OutputTarget& target) {
  if (target.to_standard_output) {
    UseStandardOutput();
    return true;
  }
  return FileCreate(target.path);
}

void LineWriter::FileWriteLine(std::string_view text) {
  buffer_.insert(buffer_.end(), text.begin(), text.end());
  buffer_.push_back('\r');
  buffer_.push_back('\n');
  if (buffer_.size() >= kFlushSize) {
    Flush();
  }
}

bool LineWriter::FileClose() {
  if (file_ == platform::kNoFile) {
    return !failed_;
  }
  Flush();
  if (!platform::CloseFile(file_)) {
    failed_ = true;
  }
  file_ = platform::kNoFile;
  return !failed_;
}

void LineWriter::Flush() {
  if (!buffer_.empty() && !platform::WriteToFile(file_, buffer_.data(), buffer_.size())) {
    failed_ = true;
  }
  buffer_.clear();
}

}  // namespace dwelvane
