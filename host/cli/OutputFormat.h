// The sound file format of a render's output, chosen from the file name's
// extension and the requested sample format (--bits).
#pragma once

#include <string>

#include "Failure.h"

namespace tamzor::cli {

struct OutputFormat {
  int sndfileFormat = 0;      // major | subtype, as libsndfile's SF_FORMAT_* flags
  bool integerSamples = true; // samples beyond full scale are clipped
  std::string description;    // "24-bit WAV"
};

// `bits` is "16", "24", "32" or "float", or nullptr for the format's default.
// .wav (16, 24 default, 32, float), .flac (16, 24 default), .aiff / .aif
// (16, 24 default, 32, float), .ogg / .oga (Vorbis, no --bits).
Outcome<OutputFormat> outputFormatFor(const std::string& path, const std::string* bits);

// The extension of a file name, lower-cased, without the dot; empty if none.
std::string lowerCaseExtension(const std::string& path);

}  // namespace tamzor::cli
