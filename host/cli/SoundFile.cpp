#include "SoundFile.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <cerrno>

#include "PendingOutputFile.h"

namespace tamzor::cli {

namespace {

// libsndfile's messages end with a full stop; ours do not.
std::string sndfileError(SNDFILE* handle) {
  std::string text = sf_strerror(handle);
  while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

std::string majorFormatName(int format) {
  SF_FORMAT_INFO info{};
  info.format = format & SF_FORMAT_TYPEMASK;
  if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name != nullptr) return info.name;
  return "sound file";
}

}  // namespace

void SoundFileCloser::operator()(sf_private_tag* handle) const { sf_close(handle); }

Outcome<SoundFileReader> SoundFileReader::open(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return fileFailure("cannot read " + quoted(path) + ": " + systemErrorText(errno));
  if (S_ISDIR(status.st_mode)) return fileFailure("cannot read " + quoted(path) + ": it is a directory");
  SF_INFO info{};
  SNDFILE* raw = sf_open(path.c_str(), SFM_READ, &info);
  if (raw == nullptr) return fileFailure("cannot read " + quoted(path) + ": " + sndfileError(nullptr));
  SoundFileReader reader;
  reader.handle.reset(raw);
  reader.filePath = path;
  reader.channelCount = info.channels;
  reader.rate = info.samplerate;
  reader.format = info.format;
  reader.frameCount = info.frames;
  if (info.samplerate <= 0) return fileFailure(quoted(path) + " has no valid sample rate");
  return reader;
}

std::string SoundFileReader::formatDescription() const { return majorFormatName(format); }

Outcome<long> SoundFileReader::read(float* interleaved, long frames) {
  const sf_count_t got = sf_readf_float(handle.get(), interleaved, frames);
  if (got < 0 || (got < frames && sf_error(handle.get()) != SF_ERR_NO_ERROR))
    return fileFailure("cannot read " + quoted(filePath) + ": " + sndfileError(handle.get()));
  return static_cast<long>(got);
}

Outcome<SoundFileWriter> SoundFileWriter::open(PendingOutputFile& file, const OutputFormat& format, int sampleRate,
                                               int channels) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = format.sndfileFormat;
  if (!sf_format_check(&info))
    return fileFailure("cannot write " + quoted(file.target()) + " as " + format.description + " at " +
                       std::to_string(sampleRate) + " Hz");
  SNDFILE* raw = sf_open_fd(file.descriptor(), SFM_WRITE, &info, SF_FALSE);
  if (raw == nullptr) return fileFailure("cannot write " + quoted(file.target()) + ": " + sndfileError(nullptr));
  SoundFileWriter writer;
  writer.handle.reset(raw);
  writer.target = file.target();
  if (format.integerSamples) sf_command(raw, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return writer;
}

Status SoundFileWriter::write(const float* interleaved, long frames) {
  if (sf_writef_float(handle.get(), interleaved, frames) != frames)
    return fileFailure("cannot write " + quoted(target) + ": " + sndfileError(handle.get()));
  return std::nullopt;
}

Status SoundFileWriter::finish() {
  SNDFILE* raw = handle.release();
  if (raw != nullptr && sf_close(raw) != 0) return fileFailure("cannot write " + quoted(target) + ": write error");
  return std::nullopt;
}

}  // namespace tamzor::cli
