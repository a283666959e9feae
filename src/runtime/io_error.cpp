#include "runtime/io_error.h"

namespace dwelvane {
namespace {

std::string_view VerbFor(IoOperation operation) {
  switch (operation) {
    case IoOperation::kOpen:
    case IoOperation::kRead:
      return "cannot read";
    case IoOperation::kCreate:
    case IoOperation::kWrite:
    case IoOperation::kSync:
    case IoOperation::kClose:
      return "cannot write";
    case IoOperation::kRename:
      return "cannot replace";
    case IoOperation::kList:
      return "cannot list the folder";
  }
  return "cannot use";
}

}  // namespace

std::string DescribeReservedCode(int code) {
  switch (code) {
    case kNotARegularFile:
      return "Not a regular file";
    case kFileTooLarge:
      return "File too large";
    case kOutputIsALink:
      return "Is a link; an output in the project folder may not be one (--output may name one)";
    case kLeadsOutOfTheProject:
      return "Its folder leads out of the project";
    case kReadOnly:
      return "File is read-only";
    case kLinkLeadsOutOfTheProject:
      return "Link leads out of the project; not followed";
    default:
      return {};
  }
}

IoCause IoError::Cause() const {
  switch (code) {
    case 0:
      return IoCause::kNone;
    case kReadOnly:
      return IoCause::kReadOnly;
    case kOutputIsALink:
      return IoCause::kLink;
    case kLeadsOutOfTheProject:
    case kLinkLeadsOutOfTheProject:
      return IoCause::kOutOfTheProject;
    default:
      return Missing() ? IoCause::kMissing : SystemCause(code);
  }
}

std::string DescribeFailure(const IoError& error) {
  std::string text(VerbFor(error.operation));
  if (!error.path.empty()) {
    text.append(" '").append(error.path).append("'");
  }
  const std::string cause = error.Describe();
  if (!cause.empty()) {
    text.append(": ").append(cause);
  }
  return text;
}

}  // namespace dwelvane
