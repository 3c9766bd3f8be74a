// VST 2.4 preset files holding an opaque chunk: .fxp for one program
// ("FPCh") and .fxb for a bank ("FBCh"). All header integers are big-endian.
//
//   program (.fxp)                     bank (.fxb)
//   0   'CcnK'                         0   'CcnK'
//   4   byteSize (file size - 8)       4   byteSize (file size - 8)
//   8   'FPCh'                         8   'FBCh'
//   12  format version (1)             12  format version (1; 2 is read too)
//   16  fxID, plug-in unique ID        16  fxID, plug-in unique ID
//   20  fxVersion, plug-in version     20  fxVersion, plug-in version
//   24  numParams                      24  numPrograms
//   28  prgName[28], zero padded       28  future[128], zero
//   56  chunkSize                      156 chunkSize
//   60  chunk                          160 chunk
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Failure.h"

namespace tamzor::cli {

enum class PresetKind { program, bank };

struct PresetFile {
  PresetKind kind = PresetKind::program;
  std::int32_t pluginId = 0;
  std::int32_t pluginVersion = 0;
  std::int32_t count = 0;      // numParams of a program file, numPrograms of a bank file
  std::string programName;     // program files only, at most 27 characters kept
  std::vector<unsigned char> chunk;
};

inline constexpr std::size_t programHeaderSize = 60;
inline constexpr std::size_t bankHeaderSize = 160;
inline constexpr std::size_t programNameField = 28;

std::vector<unsigned char> encodePreset(const PresetFile& preset);

// Checks the magic numbers and every size field against the bytes;
// `fileName` names the file in messages.
Outcome<PresetFile> decodePreset(const std::vector<unsigned char>& bytes, const std::string& fileName);

// A four-character identifier as text ("QTMZ"), or in hexadecimal when any of
// its bytes is not a printable character.
std::string fourCharText(std::int32_t id);

// "program" / "bank", for messages.
const char* presetKindName(PresetKind kind);

}  // namespace tamzor::cli
