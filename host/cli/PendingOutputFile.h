// An output file that appears under its final name only when complete: the
// data is written to a temporary file beside the target (same directory, so
// the final rename cannot cross file systems) and renamed over the target on
// commit. A pending file that is never committed is removed.
#pragma once

#include <string>

#include "Failure.h"

namespace tamzor::cli {

class PendingOutputFile {
public:
  static Outcome<PendingOutputFile> create(const std::string& target);

  PendingOutputFile(PendingOutputFile&& other) noexcept;
  PendingOutputFile& operator=(PendingOutputFile&&) = delete;
  PendingOutputFile(const PendingOutputFile&) = delete;
  ~PendingOutputFile();

  const std::string& target() const { return targetPath; }
  const std::string& temporaryPath() const { return temporary; }

  // The open descriptor of the temporary file. After releaseDescriptor() the
  // caller closes it (for instance libsndfile on sf_close).
  int descriptor() const { return fd; }
  int releaseDescriptor();

  // Writes all bytes at the current position.
  Status writeAll(const void* data, std::size_t size);

  // Closes the descriptor if still held and renames the file over the target.
  Status commit();

private:
  PendingOutputFile(std::string target, std::string temporary, int fd);

  std::string targetPath;
  std::string temporary;
  int fd = -1;
  bool committed = false;
};

// The error text of errno, for messages.
std::string systemErrorText(int errorNumber);

}  // namespace tamzor::cli
