// Loads the built plug-in module through the host layer, as a host would.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "host/PluginHost.h"

#ifndef TAMZOR_PLUGIN_PATH
#error "TAMZOR_PLUGIN_PATH names the built plug-in module"
#endif

namespace tamzor::test {

inline std::unique_ptr<host::Plugin> loadBuiltPlugin(host::LoadOptions options = {}) {
  host::LoadResult loaded = host::loadPlugin(TAMZOR_PLUGIN_PATH, std::move(options));
  EXPECT_TRUE(loaded) << loaded.error;
  return std::move(loaded.plugin);
}

class LoadedPlugin : public ::testing::Test {
protected:
  void SetUp() override {
    plugin = loadBuiltPlugin();
    ASSERT_NE(plugin, nullptr);
    effect = plugin->effect();
  }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return plugin->dispatch(opcode, index, value, ptr, opt);
  }

  std::unique_ptr<host::Plugin> plugin;
  AEffect* effect = nullptr;
};

}  // namespace tamzor::test
