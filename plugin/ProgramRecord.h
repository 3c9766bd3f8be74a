// One program as stored in the bank and exchanged as a chunk: 208 bytes,
// little-endian, no header. A bank chunk is ten records back to back.
#pragma once

#include <bit>
#include <cstddef>
#include <type_traits>

#include "plugin/ParameterValues.h"

// A channel memory as the program record keeps it; its order differs from
// ChannelMemory (Contour comes third), so the two are copied field by field.
struct StoredChannelMemory {
  double input;
  double drive;
  double contour;
  double low;
  double mid;
  double high;
  double volume;
  double powerAmp;
};

constexpr std::size_t kProgramNameLength = 24;
constexpr int kNumPrograms = 10;

struct ProgramRecord {
  // Program name; a 24-character name has no terminator.
  char name[kProgramNameLength];
  // Parameter values; the per-channel ones mirror the selected memory.
  ParameterValues values;
  // Alignment gap before the memories; never read.
  unsigned char padding[4];
  StoredChannelMemory pls;
  StoredChannelMemory mcj;
};

static_assert(std::endian::native == std::endian::little, "chunks are the records' little-endian bytes");
static_assert(std::is_standard_layout_v<ProgramRecord> && std::is_trivially_copyable_v<ProgramRecord>);
static_assert(sizeof(ProgramRecord) == 208);
static_assert(offsetof(ProgramRecord, values) == 24);
static_assert(offsetof(ProgramRecord, values) + offsetof(ParameterValues, channel) == 28);
static_assert(offsetof(ProgramRecord, values) + offsetof(ParameterValues, volume) == 56);
static_assert(offsetof(ProgramRecord, values) + offsetof(ParameterValues, powerAmp) == 68);
static_assert(offsetof(ProgramRecord, values) + offsetof(ParameterValues, mcjBoost) == 72);
static_assert(offsetof(ProgramRecord, padding) == 76);
static_assert(offsetof(ProgramRecord, pls) == 80);
static_assert(offsetof(ProgramRecord, pls) + offsetof(StoredChannelMemory, contour) == 96);
static_assert(offsetof(ProgramRecord, mcj) == 144);
static_assert(offsetof(ProgramRecord, mcj) + offsetof(StoredChannelMemory, drive) == 152);
static_assert(offsetof(ProgramRecord, mcj) + offsetof(StoredChannelMemory, powerAmp) == 200);

constexpr std::size_t kProgramChunkSize = sizeof(ProgramRecord);
constexpr std::size_t kBankChunkSize = kNumPrograms * sizeof(ProgramRecord);
static_assert(kBankChunkSize == 2080);
