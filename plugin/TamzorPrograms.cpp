// The program bank: defaults, selection, names and the two chunk formats.
#include <cmath>
#include <cstring>

#include "plugin/BoundedText.h"
#include "plugin/RelaxedAccess.h"
#include "plugin/Tamzor.h"

using tamzor::relaxedLoad;
using tamzor::relaxedStore;

namespace {

constexpr double StoredChannelMemory::*kStoredFields[] = {
    &StoredChannelMemory::input, &StoredChannelMemory::drive, &StoredChannelMemory::contour,
    &StoredChannelMemory::low,   &StoredChannelMemory::mid,   &StoredChannelMemory::high,
    &StoredChannelMemory::volume, &StoredChannelMemory::powerAmp,
};

ProgramRecord defaultProgram() {
  ProgramRecord program{};  // name tail and padding are zero
  std::memcpy(program.name, "Init", 5);
  program.values = ParameterValues{0.5f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f};
  program.pls = StoredChannelMemory{0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
  program.mcj = program.pls;
  return program;
}

bool hasFiniteNumbers(const ProgramRecord& program) {
  for (VstInt32 index = 0; index < kNumParameters; ++index)
    if (!std::isfinite(program.values.*parameterField(index))) return false;
  for (double StoredChannelMemory::*field : kStoredFields)
    if (!std::isfinite(program.pls.*field) || !std::isfinite(program.mcj.*field)) return false;
  return true;
}

// Copies a record into the bank; the numbers word by word, since the audio
// thread may be storing automated values into the same record.
void copyProgram(ProgramRecord& target, const ProgramRecord& source) {
  std::memcpy(target.name, source.name, sizeof target.name);
  for (VstInt32 index = 0; index < kNumParameters; ++index) {
    float ParameterValues::*field = parameterField(index);
    relaxedStore(target.values.*field, source.values.*field);
  }
  std::memcpy(target.padding, source.padding, sizeof target.padding);
  for (double StoredChannelMemory::*field : kStoredFields) {
    relaxedStore(target.pls.*field, source.pls.*field);
    relaxedStore(target.mcj.*field, source.mcj.*field);
  }
}

void loadMemory(ChannelMemory& memory, const StoredChannelMemory& stored) {
  relaxedStore(memory.input, relaxedLoad(stored.input));
  relaxedStore(memory.drive, relaxedLoad(stored.drive));
  relaxedStore(memory.low, relaxedLoad(stored.low));
  relaxedStore(memory.mid, relaxedLoad(stored.mid));
  relaxedStore(memory.high, relaxedLoad(stored.high));
  relaxedStore(memory.contour, relaxedLoad(stored.contour));
  relaxedStore(memory.volume, relaxedLoad(stored.volume));
  relaxedStore(memory.powerAmp, relaxedLoad(stored.powerAmp));
}

}  // namespace

void Tamzor::writeDefaultPrograms() {
  const ProgramRecord program = defaultProgram();
  for (ProgramRecord& target : programs) copyProgram(target, program);
}

void Tamzor::loadProgramMemories(const ProgramRecord& program) {
  loadMemory(plsMemory, program.pls);
  loadMemory(mcjMemory, program.mcj);
}

void Tamzor::setProgram(VstInt32 program) {
  if (program < 0 || program >= kNumPrograms) return;
  AudioEffectX::setProgram(program);
  applyProgram(program);
}

void Tamzor::applyProgram(VstInt32 program) {
  const ProgramRecord& record = programs[static_cast<std::size_t>(program)];
  loadProgramMemories(record);
  setParameter(kChannel, relaxedLoad(record.values.channel));
  setParameter(kMixPls, relaxedLoad(record.values.mixPls));
  setParameter(kMonoStereo, relaxedLoad(record.values.monoStereo));
  setParameter(kLowHighQ, relaxedLoad(record.values.lowHighQ));
  setParameter(kMcjBoost, relaxedLoad(record.values.mcjBoost));
}

void Tamzor::setProgramName(char* name) {
  if (name == nullptr) return;
  char* field = currentProgram().name;
  const std::size_t length = strnlen(name, kProgramNameLength);
  std::memcpy(field, name, length);
  std::memset(field + length, 0, kProgramNameLength - length);
}

void Tamzor::getProgramName(char* name) {
  tamzor::boundedCopy(name, currentProgram().name, static_cast<int>(kProgramNameLength));
}

bool Tamzor::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
  if (text == nullptr || index < 0 || index >= kNumPrograms) return false;
  tamzor::boundedCopyText(text, programs[static_cast<std::size_t>(index)].name, kProgramNameLength);
  return true;
}

VstInt32 Tamzor::getChunk(void** data, bool isPreset) {
  if (data == nullptr) return 0;
  if (isPreset) {
    *data = &currentProgram();
    return static_cast<VstInt32>(kProgramChunkSize);
  }
  *data = programs.data();
  return static_cast<VstInt32>(kBankChunkSize);
}

VstInt32 Tamzor::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
  if (data == nullptr || byteSize < 0) return 0;
  const auto size = static_cast<std::size_t>(byteSize);
  if (size != (isPreset ? kProgramChunkSize : kBankChunkSize)) return 0;

  // Host bytes carry no alignment guarantee: read them into aligned records.
  std::array<ProgramRecord, kNumPrograms> loaded;
  std::memcpy(loaded.data(), data, size);
  const std::size_t count = isPreset ? 1 : loaded.size();
  for (std::size_t i = 0; i < count; ++i)
    if (!hasFiniteNumbers(loaded[i])) return 0;

  if (isPreset) {
    copyProgram(currentProgram(), loaded[0]);
  } else {
    for (std::size_t i = 0; i < count; ++i) copyProgram(programs[i], loaded[i]);
  }
  setProgram(getProgram());
  return 1;
}
