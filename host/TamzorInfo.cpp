// tamzor-info: loads a plug-in through the host layer and prints its
// identity, its parameters with their display texts, and its programs.
#include <cstdio>
#include <cstring>
#include <string>

#include "host/PluginHost.h"

#ifndef TAMZOR_DEFAULT_PLUGIN
#define TAMZOR_DEFAULT_PLUGIN ""
#endif

namespace {

int usage(const char* program) {
  std::fprintf(stderr, "usage: %s [--plugin PATH]\n", program);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = TAMZOR_DEFAULT_PLUGIN;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      path = argv[++i];
    } else {
      return usage(argv[0]);
    }
  }

  tamzor::host::LoadResult loaded = tamzor::host::loadPlugin(path);
  if (!loaded) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), loaded.error.c_str());
    return 1;
  }
  tamzor::host::Plugin& plugin = *loaded.plugin;
  const AEffect& effect = *plugin.effect();

  std::printf("Plug-in:        %s\n", path.c_str());
  std::printf("Effect name:    %s\n", plugin.effectName().c_str());
  std::printf("Product:        %s\n", plugin.productString().c_str());
  std::printf("Vendor:         %s\n", plugin.vendorString().c_str());
  std::printf("Vendor version: %ld\n", static_cast<long>(plugin.dispatch(effGetVendorVersion)));
  std::printf("VST version:    %ld\n", static_cast<long>(plugin.dispatch(effGetVstVersion)));
  std::printf("Unique ID:      %s\n", tamzor::host::fourCharText(effect.uniqueID).c_str());
  std::printf("Inputs/outputs: %d/%d\n", effect.numInputs, effect.numOutputs);
  std::printf("Flags:          0x%x\n", static_cast<unsigned>(effect.flags));

  std::printf("\nParameters (%d):\n", effect.numParams);
  for (VstInt32 index = 0; index < effect.numParams; ++index) {
    const std::string label = plugin.parameterLabel(index);
    const std::string display = plugin.parameterDisplay(index);
    if (label.empty()) {
      std::printf("  %2d  %-12s %s\n", index, plugin.parameterName(index).c_str(), display.c_str());
    } else {
      std::printf("  %2d  %-12s %-9s %s\n", index, plugin.parameterName(index).c_str(), display.c_str(), label.c_str());
    }
  }

  std::printf("\nPrograms (%d):\n", effect.numPrograms);
  for (VstInt32 index = 0; index < effect.numPrograms; ++index) {
    const std::string name = plugin.programNameIndexed(index).value_or("");
    std::printf("  %2d%s %s\n", index, index == plugin.currentProgram() ? "*" : " ", name.c_str());
  }
  return 0;
}
