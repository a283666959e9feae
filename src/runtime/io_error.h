#pragma once

#include <string>

namespace dwelvane {

// What was being done to a file or folder when the system refused.
enum class IoOperation {
  kOpen,    // for reading
  kCreate,  // for writing
  kRead,
  kWrite,
  kSync,
  kClose,
  kRename,
  kList,  // a folder's entries
};

// A code no system uses: the path names a folder, a pipe or a device where a file on a
// disk was wanted.
inline constexpr int kNotARegularFile = -1;
// Nor this: the file is larger than the reader of its kind can hold.
inline constexpr int kFileTooLarge = -2;
// Nor these, for a file or folder that could be used but mustn't be: an output in the
// project folder that is a link, or whose folder really lies outside the project...
inline constexpr int kOutputIsALink = -3;
inline constexpr int kLeadsOutOfTheProject = -4;
// ... a file without write permission (the read-only attribute on Windows), which no
// output replaces...
inline constexpr int kReadOnly = -5;
// ... and a link to a folder outside the project, which a walk doesn't follow.
inline constexpr int kLinkLeadsOutOfTheProject = -6;

// The words for the codes above, the same on every platform; empty for any other code.
std::string DescribeReservedCode(int code);

// What a failure comes to, for a program that says so in words of its own (the window, in
// its language); kOther where only the system's words say it.
enum class IoCause {
  kNone,
  kMissing,  // the path, or a folder on its way, does not exist
  kDenied,   // no permission
  kNoSpace,  // the disk or the user's quota is full
  kInUse,    // another program holds the file (a spreadsheet that has the table open)
  kReadOnly,
  kLink,             // kOutputIsALink
  kOutOfTheProject,  // kLeadsOutOfTheProject, kLinkLeadsOutOfTheProject
  kOther,
};

// One failed call on a file or folder: which call, on what, and the system's own code
// for why (errno on POSIX, GetLastError's code on Windows). A code of 0 is no failure:
// calls that can fail return one, and callers ask Failed().
struct [[nodiscard]] IoError {
  IoOperation operation = IoOperation::kOpen;
  std::string path;  // empty where the call knows only an open handle
  int code = 0;

  bool Failed() const { return code != 0; }

  // True when the path, or a folder on its way, does not exist.
  bool Missing() const;

  IoCause Cause() const;

  // The system's own words for the code, as it would show them: "No space left on
  // device", "Access is denied". Empty for no failure.
  std::string Describe() const;

  // The same failure on `named`, for calls made on a handle that didn't know its path.
  IoError On(std::string named) const& { return {operation, std::move(named), code}; }
};

// Platform part of IoError::Cause: kDenied, kNoSpace, kInUse or kOther for a system's own code.
IoCause SystemCause(int code);

// "cannot write '/home/ana/x.csv': No space left on device".
std::string DescribeFailure(const IoError& error);

}  // namespace dwelvane
