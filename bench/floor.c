/* The read floor: walks a folder tree with readdir (getdents with d_type), and opens, reads
 * through a 128 KiB buffer and closes every file whose name ends in ".script" (any case).
 * Nothing is parsed. What a scan of the same scripts costs beyond this is the scan's own.
 * usage: floor FOLDER */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

static char buffer[128 * 1024];
static unsigned long long files_read;
static unsigned long long bytes_read;

static int is_script(const char *name) {
  const size_t length = strlen(name);
  return length >= 7 && strcasecmp(name + length - 7, ".script") == 0;
}

static void read_file(int folder, const char *name) {
  const int file = openat(folder, name, O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    return;
  }
  ssize_t got;
  while ((got = read(file, buffer, sizeof buffer)) > 0) {
    bytes_read += (unsigned long long)got;
  }
  close(file);
  ++files_read;
}

static void walk(int folder) {
  DIR *listing = fdopendir(folder);
  if (listing == NULL) {
    close(folder);
    return;
  }
  for (struct dirent *entry; (entry = readdir(listing)) != NULL;) {
    const char *name = entry->d_name;
    if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) {
      continue;
    }
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat status;
      if (fstatat(dirfd(listing), name, &status, 0) != 0) {
        continue;
      }
      type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_DIR) {
      const int sub = openat(dirfd(listing), name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (sub >= 0) {
        walk(sub);
      }
    } else if (type == DT_REG && is_script(name)) {
      read_file(dirfd(listing), name);
    }
  }
  closedir(listing);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: floor FOLDER\n");
    return 2;
  }
  const int root = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (root < 0) {
    perror(argv[1]);
    return 1;
  }
  walk(root);
  printf("%llu scripts, %llu bytes\n", files_read, bytes_read);
  return 0;
}
