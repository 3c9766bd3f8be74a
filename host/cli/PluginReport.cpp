#include "PluginReport.h"

#include <string>

#include "PresetFile.h"

namespace tamzor::cli {

namespace {

std::string flagsText(VstInt32 flags) {
  std::string text;
  const auto add = [&](VstInt32 flag, const char* name) {
    if ((flags & flag) != 0) text += (text.empty() ? "" : ", ") + std::string(name);
  };
  add(effFlagsHasEditor, "editor");
  add(effFlagsCanReplacing, "processReplacing");
  add(effFlagsProgramChunks, "program chunks");
  add(effFlagsIsSynth, "synth");
  add(effFlagsCanDoubleReplacing, "double precision");
  add(effFlagsNoSoundInStop, "no sound in stop");
  return text.empty() ? "none" : text;
}

}  // namespace

void printIdentity(std::FILE* out, host::Plugin& plugin) {
  const AEffect& effect = *plugin.effect();
  std::fprintf(out, "Plug-in:        %s\n", plugin.path().c_str());
  std::fprintf(out, "Effect name:    %s\n", plugin.effectName().c_str());
  std::fprintf(out, "Product:        %s\n", plugin.productString().c_str());
  std::fprintf(out, "Vendor:         %s\n", plugin.vendorString().c_str());
  std::fprintf(out, "Vendor version: %ld\n", static_cast<long>(plugin.dispatch(effGetVendorVersion)));
  std::fprintf(out, "Unique ID:      %s\n", fourCharText(effect.uniqueID).c_str());
  std::fprintf(out, "Version:        %d\n", effect.version);
  std::fprintf(out, "VST version:    %ld\n", static_cast<long>(plugin.dispatch(effGetVstVersion)));
  std::fprintf(out, "Channels:       %d in, %d out\n", effect.numInputs, effect.numOutputs);
  std::fprintf(out, "Latency:        %d samples\n", effect.initialDelay);
  std::fprintf(out, "Flags:          0x%x (%s)\n", static_cast<unsigned>(effect.flags), flagsText(effect.flags).c_str());
}

void printParameters(std::FILE* out, host::Plugin& plugin) {
  const AEffect& effect = *plugin.effect();
  std::fprintf(out, "Parameters (%d):\n", effect.numParams);
  std::fprintf(out, "  %2s  %-12s %-10s %-5s %s\n", "#", "name", "display", "label", "value");
  for (VstInt32 index = 0; index < effect.numParams; ++index) {
    std::fprintf(out, "  %2d  %-12s %-10s %-5s %.6g\n", index, plugin.parameterName(index).c_str(),
                 plugin.parameterDisplay(index).c_str(), plugin.parameterLabel(index).c_str(),
                 static_cast<double>(plugin.getParameter(index)));
  }
}

void printPrograms(std::FILE* out, host::Plugin& plugin) {
  const AEffect& effect = *plugin.effect();
  const VstInt32 current = plugin.currentProgram();
  std::fprintf(out, "Programs (%d, current %d):\n", effect.numPrograms, current);
  for (VstInt32 index = 0; index < effect.numPrograms; ++index) {
    const std::string name = plugin.programNameIndexed(index).value_or("");
    std::fprintf(out, "  %2d%s %s\n", index, index == current ? "*" : " ", name.c_str());
  }
}

}  // namespace tamzor::cli
