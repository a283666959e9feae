// Writes a synthetic WME project for timing the commands against other tools.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "synthetic_project.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: make_synthetic_project FOLDER [SCRIPTS [LINES [TALKS [OTHER_FILES "
                 "[TABLE_LINES]]]]]\n");
    return 2;
  }
  dwelvane::bench::SyntheticProjectShape shape;
  std::size_t* fields[] = {&shape.scripts, &shape.lines_per_script, &shape.talks_per_script,
                           &shape.other_files, &shape.string_table_lines};
  for (int i = 2; i < argc && i - 2 < static_cast<int>(std::size(fields)); ++i) {
    *fields[i - 2] = std::strtoull(argv[i], nullptr, 10);
  }
  dwelvane::bench::WriteSyntheticProject(argv[1], shape);
  return 0;
}
