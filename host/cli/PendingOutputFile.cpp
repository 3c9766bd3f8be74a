#include "PendingOutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tamzor::cli {

namespace {

// Permissions of a newly created file under the process's umask.
mode_t creationMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

std::string temporaryPattern(const std::string& target) {
  const auto slash = target.find_last_of('/');
  const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  return directory + "." + name + ".tmp-XXXXXX";
}

}  // namespace

std::string systemErrorText(int errorNumber) {
  char buffer[256] = {};
  // GNU strerror_r may return a static text instead of filling the buffer.
  const char* text = strerror_r(errorNumber, buffer, sizeof buffer);
  return text;
}

PendingOutputFile::PendingOutputFile(std::string target, std::string temporaryName, int descriptor)
    : targetPath(std::move(target)), temporary(std::move(temporaryName)), fd(descriptor) {}

PendingOutputFile::PendingOutputFile(PendingOutputFile&& other) noexcept
    : targetPath(std::move(other.targetPath)),
      temporary(std::move(other.temporary)),
      fd(other.fd),
      committed(other.committed) {
  other.fd = -1;
  other.committed = true;  // the moved-from object owns nothing to clean up
}

PendingOutputFile::~PendingOutputFile() {
  if (fd >= 0) close(fd);
  if (!committed && !temporary.empty()) unlink(temporary.c_str());
}

Outcome<PendingOutputFile> PendingOutputFile::create(const std::string& target) {
  if (target.empty()) return usageFailure("the output file name is empty");
  struct stat status {};
  if (stat(target.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
    return fileFailure("cannot write " + quoted(target) + ": it is a directory");
  std::string pattern = temporaryPattern(target);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) return fileFailure("cannot write " + quoted(target) + ": " + systemErrorText(errno));
  fchmod(descriptor, creationMode());
  return PendingOutputFile(target, std::string(name.data()), descriptor);
}

int PendingOutputFile::releaseDescriptor() {
  const int released = fd;
  fd = -1;
  return released;
}

Status PendingOutputFile::writeAll(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return fileFailure("cannot write " + quoted(targetPath) + ": " + systemErrorText(errno));
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return std::nullopt;
}

Status PendingOutputFile::commit() {
  if (fd >= 0) {
    const int closing = releaseDescriptor();
    if (close(closing) != 0) return fileFailure("cannot write " + quoted(targetPath) + ": " + systemErrorText(errno));
  }
  if (std::rename(temporary.c_str(), targetPath.c_str()) != 0)
    return fileFailure("cannot write " + quoted(targetPath) + ": " + systemErrorText(errno));
  committed = true;
  return std::nullopt;
}

}  // namespace tamzor::cli
