#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/io_error.h"

namespace dwelvane {

// New versions of many files, made durable together: one flush of the file system for a
// batch instead of one per file, where the system has such a flush. Each version is
// written to a temporary file beside its target when it is added; Commit flushes them and
// moves each into place in one step, as FileReplacement does, so that a failure or a kill
// at any moment leaves every target either as it was or as it is meant to be.
class ReplacementBatch {
 public:
  // How many versions wait at most; their temporary files are removed on a signal too.
  static constexpr std::size_t kMostPending = 48;

  ReplacementBatch() = default;
  ~ReplacementBatch() { Abandon(); }
  ReplacementBatch(const ReplacementBatch&) = delete;
  ReplacementBatch& operator=(const ReplacementBatch&) = delete;

  bool Full() const { return pending_.size() >= kMostPending; }

  // Writes the new version of `path` beside it; an existing file keeps its permissions.
  // `confined_to` as for FileReplacement::Begin.
  IoError Add(const std::string& path, std::string_view bytes, const std::string& confined_to);

  // Flushes the versions added, then moves each into place unless `still_as_read(path)`
  // says its target changed meanwhile: that one is dropped and its path added to
  // `dropped`. Stops at the first failure; the versions not yet moved are dropped.
  IoError Commit(const std::function<bool(const std::string& path)>& still_as_read,
                 std::vector<std::string>& dropped);

  // Makes the moves of the batches committed so far durable.
  static void SyncMoves(const std::string& path);

  void Abandon();

 private:
  struct Pending {
    std::string target;
    std::string temporary;
  };
  std::vector<Pending> pending_;
  std::string last_folder_;  // of the version added last, checked and swept
};

}  // namespace dwelvane
