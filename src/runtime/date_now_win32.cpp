#include <windows.h>

#include "runtime/date_time.h"

namespace dwelvane {

DateTime DateNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace dwelvane
