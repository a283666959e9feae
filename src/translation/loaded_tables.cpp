#include "translation/loaded_tables.h"

#include "runtime/platform_file.h"
#include "translation/table_text.h"

namespace dwelvane {

IoError LoadTable(const std::string& path, TableEncoding code_page, LoadedTable& table) {
  table.path = path;
  table.exists = platform::EntryIsThere(path);
  table.encoding = code_page;
  if (!table.exists) {
    return {};
  }
  IoError error = table.file.Load(path);
  table.encoding = EncodingOfTable(table.file, code_page);
  return error;
}

}  // namespace dwelvane
