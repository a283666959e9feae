// The reader of a Wine prefix's user.reg on any bytes: it finds a path or nothing, and
// never fails otherwise.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "settings/wine_install_path.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A prefix whose drive C: is its drive_c folder, as Wine makes it.
  static const std::string prefix = [] {
    const std::string folder = fuzz::ScratchPath("wine");
    ::mkdir(folder.c_str(), 0700);
    ::mkdir((folder + "/dosdevices").c_str(), 0700);
    ::symlink("../drive_c", (folder + "/dosdevices/c:").c_str());
    return folder;
  }();
  fuzz::WriteFile(prefix + "/user.reg", fuzz::AsText(data, size));
  const auto path = ReadWineEngineInstallPath(prefix);
  if (path && path->empty()) {
    __builtin_trap();
  }
  return 0;
}
