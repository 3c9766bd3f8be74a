#include "FileBytes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "PendingOutputFile.h"

namespace tamzor::cli {

Outcome<std::vector<unsigned char>> readFileBytes(const std::string& path, std::size_t limit) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return fileFailure("cannot read " + quoted(path) + ": " + systemErrorText(errno));
  if (S_ISDIR(status.st_mode)) return fileFailure("cannot read " + quoted(path) + ": it is a directory");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return fileFailure("cannot read " + quoted(path) + ": " + systemErrorText(errno));
  std::vector<unsigned char> bytes;
  unsigned char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (bytes.size() + got > limit)
      return fileFailure("cannot read " + quoted(path) + ": larger than " + std::to_string(limit) + " bytes");
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  if (std::ferror(file.get())) return fileFailure("cannot read " + quoted(path) + ": read error");
  return bytes;
}

}  // namespace tamzor::cli
