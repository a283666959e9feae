#pragma once

#include <string>

#include "runtime/code_page.h"
#include "runtime/io_error.h"
#include "translation/string_table_file.h"

namespace dwelvane {

// A table as a command reads it: a missing file is an empty table, not a failure.
struct LoadedTable {
  std::string path;
  StringTableFile file;
  bool exists = false;
  TableEncoding encoding = TableEncoding::kWindows1252;
};

// Loads the table at `path`; its texts are UTF-8 when it starts with a byte order mark,
// else in `code_page`. Fails only when a file that is there can't be read.
IoError LoadTable(const std::string& path, TableEncoding code_page, LoadedTable& table);

}  // namespace dwelvane
