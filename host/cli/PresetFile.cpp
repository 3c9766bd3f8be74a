#include "PresetFile.h"

#include <algorithm>
#include <cstdio>

namespace tamzor::cli {

namespace {

constexpr std::int32_t code(char a, char b, char c, char d) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                   (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                   (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                   static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr std::int32_t containerMagic = code('C', 'c', 'n', 'K');
constexpr std::int32_t programChunkMagic = code('F', 'P', 'C', 'h');
constexpr std::int32_t bankChunkMagic = code('F', 'B', 'C', 'h');
constexpr std::int32_t programParamsMagic = code('F', 'x', 'C', 'k');
constexpr std::int32_t bankParamsMagic = code('F', 'x', 'B', 'k');

void putBigEndian(std::vector<unsigned char>& bytes, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<unsigned char>(bits >> shift));
}

std::int32_t bigEndianAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits = (bits << 8) | bytes[offset + i];
  return static_cast<std::int32_t>(bits);
}

}  // namespace

const char* presetKindName(PresetKind kind) { return kind == PresetKind::program ? "program" : "bank"; }

std::string fourCharText(std::int32_t id) {
  const auto bits = static_cast<std::uint32_t>(id);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<unsigned char>(bits >> shift);
    if (c < 0x20 || c > 0x7e) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(bits));
      return hex;
    }
    text.push_back(static_cast<char>(c));
  }
  return text;
}

std::vector<unsigned char> encodePreset(const PresetFile& preset) {
  const bool program = preset.kind == PresetKind::program;
  const std::size_t headerSize = program ? programHeaderSize : bankHeaderSize;
  const std::size_t total = headerSize + preset.chunk.size();
  std::vector<unsigned char> bytes;
  bytes.reserve(total);
  putBigEndian(bytes, containerMagic);
  putBigEndian(bytes, static_cast<std::int32_t>(total - 8));
  putBigEndian(bytes, program ? programChunkMagic : bankChunkMagic);
  putBigEndian(bytes, 1);
  putBigEndian(bytes, preset.pluginId);
  putBigEndian(bytes, preset.pluginVersion);
  putBigEndian(bytes, preset.count);
  if (program) {
    const std::size_t kept = std::min(preset.programName.size(), programNameField - 1);
    bytes.insert(bytes.end(), preset.programName.begin(), preset.programName.begin() + static_cast<long>(kept));
    bytes.insert(bytes.end(), programNameField - kept, 0);
  } else {
    bytes.insert(bytes.end(), 128, 0);
  }
  putBigEndian(bytes, static_cast<std::int32_t>(preset.chunk.size()));
  bytes.insert(bytes.end(), preset.chunk.begin(), preset.chunk.end());
  return bytes;
}

Outcome<PresetFile> decodePreset(const std::vector<unsigned char>& bytes, const std::string& fileName) {
  const std::string named = quoted(fileName);
  if (bytes.size() < 12 || bigEndianAt(bytes, 0) != containerMagic)
    return fileFailure(named + " is not a VST preset file (no 'CcnK' header)");
  const std::int32_t magic = bigEndianAt(bytes, 8);
  if (magic == programParamsMagic || magic == bankParamsMagic)
    return fileFailure(named + " stores parameter lists ('" + fourCharText(magic) +
                       "'); only chunk presets ('FPCh', 'FBCh') are supported");
  if (magic != programChunkMagic && magic != bankChunkMagic)
    return fileFailure(named + " has an unknown preset type '" + fourCharText(magic) + "'");

  PresetFile preset;
  preset.kind = magic == programChunkMagic ? PresetKind::program : PresetKind::bank;
  const std::size_t headerSize = preset.kind == PresetKind::program ? programHeaderSize : bankHeaderSize;
  if (bytes.size() < headerSize)
    return fileFailure(named + " is truncated: " + std::to_string(bytes.size()) + " bytes, shorter than the " +
                       std::to_string(headerSize) + "-byte header");
  const std::int64_t byteSize = bigEndianAt(bytes, 4);
  if (byteSize != static_cast<std::int64_t>(bytes.size()) - 8)
    return fileFailure(named + " has a wrong size: its header gives " + std::to_string(byteSize) +
                       " bytes after the size field, the file holds " + std::to_string(bytes.size() - 8));
  const std::int32_t version = bigEndianAt(bytes, 12);
  if (version != 1 && !(version == 2 && preset.kind == PresetKind::bank))
    return fileFailure(named + " has an unsupported format version " + std::to_string(version));
  preset.pluginId = bigEndianAt(bytes, 16);
  preset.pluginVersion = bigEndianAt(bytes, 20);
  preset.count = bigEndianAt(bytes, 24);
  if (preset.kind == PresetKind::program) {
    const auto* name = reinterpret_cast<const char*>(bytes.data() + 28);
    preset.programName.assign(name, std::find(name, name + programNameField, '\0'));
  }
  const std::int64_t chunkSize = bigEndianAt(bytes, headerSize - 4);
  const auto available = static_cast<std::int64_t>(bytes.size() - headerSize);
  if (chunkSize != available)
    return fileFailure(named + " has a wrong size: its chunk size field gives " + std::to_string(chunkSize) +
                       " bytes, the file holds " + std::to_string(available));
  preset.chunk.assign(bytes.begin() + static_cast<long>(headerSize), bytes.end());
  return preset;
}

}  // namespace tamzor::cli
