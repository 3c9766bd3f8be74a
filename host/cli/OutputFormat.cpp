#include "OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace tamzor::cli {

namespace {

struct SampleFormat {
  const char* bits;
  int subtype;
  const char* description;
};

constexpr std::array<SampleFormat, 4> sampleFormats{{
    {"16", SF_FORMAT_PCM_16, "16-bit"},
    {"24", SF_FORMAT_PCM_24, "24-bit"},
    {"32", SF_FORMAT_PCM_32, "32-bit"},
    {"float", SF_FORMAT_FLOAT, "32-bit float"},
}};

const SampleFormat* findSampleFormat(const std::string& bits) {
  for (const SampleFormat& format : sampleFormats)
    if (bits == format.bits) return &format;
  return nullptr;
}

Outcome<OutputFormat> pcmFormat(int major, const char* name, const std::string* bits, bool allowWide) {
  const std::string wanted = bits != nullptr ? *bits : "24";
  const SampleFormat* sample = findSampleFormat(wanted);
  if (sample == nullptr) return usageFailure("--bits: " + quoted(wanted) + " is not one of 16, 24, 32, float");
  if (!allowWide && (sample->subtype == SF_FORMAT_PCM_32 || sample->subtype == SF_FORMAT_FLOAT))
    return usageFailure(std::string("--bits ") + wanted + " is not available for " + name + " (use 16 or 24)");
  OutputFormat format;
  format.sndfileFormat = major | sample->subtype;
  format.integerSamples = sample->subtype != SF_FORMAT_FLOAT;
  format.description = std::string(sample->description) + " " + name;
  return format;
}

}  // namespace

std::string lowerCaseExtension(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size()) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

Outcome<OutputFormat> outputFormatFor(const std::string& path, const std::string* bits) {
  const std::string extension = lowerCaseExtension(path);
  if (extension == "wav") return pcmFormat(SF_FORMAT_WAV, "WAV", bits, true);
  if (extension == "flac") return pcmFormat(SF_FORMAT_FLAC, "FLAC", bits, false);
  if (extension == "aiff" || extension == "aif") return pcmFormat(SF_FORMAT_AIFF, "AIFF", bits, true);
  if (extension == "ogg" || extension == "oga") {
    if (bits != nullptr) return usageFailure("--bits does not apply to Ogg Vorbis output");
    OutputFormat format;
    format.sndfileFormat = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    format.integerSamples = false;
    format.description = "Ogg Vorbis";
    return format;
  }
  const std::string shown = extension.empty() ? "no extension" : "extension ." + extension;
  return usageFailure("unsupported output format for " + quoted(path) + " (" + shown +
                      "; use .wav, .flac, .aiff, .aif or .ogg)");
}

}  // namespace tamzor::cli
