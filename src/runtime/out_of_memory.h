#pragma once

#include <new>
#include <string>
#include <utility>

namespace dwelvane {

// A failed allocation while a file was read, thrown in place of std::bad_alloc so that a
// command can say which file was too much for the memory at hand.
class OutOfMemoryReading : public std::bad_alloc {
 public:
  explicit OutOfMemoryReading(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }
  const char* what() const noexcept override { return "out of memory reading a file"; }

 private:
  std::string path_;
};

// Runs `read`, which reads the file at `path`, turning a failed allocation in it into
// OutOfMemoryReading.
template <typename Read>
decltype(auto) WhileReading(const std::string& path, Read&& read) {
  try {
    return std::forward<Read>(read)();
  } catch (const OutOfMemoryReading&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryReading(path);
  }
}

}  // namespace dwelvane
