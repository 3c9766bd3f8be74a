// The effect record and the exported entry points, seen from a host.
#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "LoadedPlugin.h"

namespace tamzor::test {
namespace {

constexpr VstInt32 kExpectedFlags =
    effFlagsCanReplacing | effFlagsProgramChunks | (TAMZOR_HAS_EDITOR ? effFlagsHasEditor : 0);

using RecordTest = LoadedPlugin;

TEST_F(RecordTest, FieldsAfterCreation) {
  EXPECT_EQ(effect->magic, fourCharCode('V', 's', 't', 'P'));
  EXPECT_EQ(effect->numPrograms, 10);
  EXPECT_EQ(effect->numParams, 13);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->flags, kExpectedFlags);
  EXPECT_EQ(effect->flags, TAMZOR_HAS_EDITOR ? 0x31 : 0x30);
  EXPECT_EQ(effect->initialDelay, 0);
  EXPECT_EQ(effect->version, 1);
  EXPECT_EQ(effect->uniqueID, 0x51544D5A);  // 'Q' 'T' 'M' 'Z', first in the top byte
  EXPECT_EQ(host::fourCharText(effect->uniqueID), "QTMZ");
  EXPECT_EQ(effect->resvd1, 0);
  EXPECT_EQ(effect->resvd2, 0);
  EXPECT_EQ(effect->realQualities, 0);
  EXPECT_EQ(effect->offQualities, 0);
  EXPECT_EQ(effect->ioRatio, 1.0f);
  EXPECT_NE(effect->object, nullptr);
  EXPECT_EQ(effect->user, nullptr);
  EXPECT_NE(effect->dispatcher, nullptr);
  EXPECT_NE(effect->process, nullptr);
  EXPECT_NE(effect->setParameter, nullptr);
  EXPECT_NE(effect->getParameter, nullptr);
  EXPECT_NE(effect->processReplacing, nullptr);
  EXPECT_NE(effect->processDoubleReplacing, nullptr);
  for (char byte : effect->future) EXPECT_EQ(byte, 0);
}

TEST_F(RecordTest, CreationAsksOnlyForTheHostVersion) {
  const std::vector<host::HostRequest> requests = plugin->requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].opcode, audioMasterVersion);
  EXPECT_FALSE(requests[0].withEffect);
  EXPECT_EQ(requests[0].index, 0);
  EXPECT_EQ(requests[0].value, 0);
  EXPECT_EQ(requests[0].ptr, nullptr);
  EXPECT_EQ(requests[0].opt, 0.0f);
}

TEST_F(RecordTest, DeprecatedAndDoubleProcessLeaveOutputsUntouched) {
  float in[2][3] = {{1, 2, 3}, {4, 5, 6}};
  float out[2][3] = {{9, 9, 9}, {9, 9, 9}};
  float* inputs[] = {in[0], in[1]};
  float* outputs[] = {out[0], out[1]};
  effect->process(effect, inputs, outputs, 3);
  double din[2][3] = {{1, 2, 3}, {4, 5, 6}};
  double dout[2][3] = {{9, 9, 9}, {9, 9, 9}};
  double* dinputs[] = {din[0], din[1]};
  double* doutputs[] = {dout[0], dout[1]};
  effect->processDoubleReplacing(effect, dinputs, doutputs, 3);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(out[c][i], 9.0f);
      EXPECT_EQ(dout[c][i], 9.0);
    }
  }
}

TEST_F(RecordTest, ProcessingRefusesMissingBuffersAndEmptyBlocks) {
  float samples[2] = {0.25f, 0.5f};
  float out[2] = {7.0f, 7.0f};
  float* inputs[] = {samples, nullptr};
  float* outputs[] = {out, out};
  effect->processReplacing(effect, inputs, outputs, 2);
  EXPECT_EQ(out[0], 7.0f);
  effect->processReplacing(effect, nullptr, outputs, 2);
  effect->processReplacing(effect, inputs, nullptr, 2);
  float* both[] = {samples, samples};
  effect->processReplacing(effect, both, outputs, 0);
  effect->processReplacing(effect, both, outputs, -5);
  EXPECT_EQ(out[0], 7.0f);
  EXPECT_EQ(out[1], 7.0f);
}

TEST_F(RecordTest, CloseThroughTheRecordAnswersOne) {
  EXPECT_EQ(plugin->close(), 1);
  EXPECT_EQ(plugin->effect(), nullptr);
}

TEST(EntryPoint, HostAnsweringZeroToTheVersionGetsNoEffect) {
  host::LoadOptions options;
  options.versionAnswer = 0;
  host::LoadResult loaded = host::loadPlugin(TAMZOR_PLUGIN_PATH, options);
  EXPECT_FALSE(loaded);
  EXPECT_NE(loaded.error.find("no effect"), std::string::npos) << loaded.error;
}

TEST(EntryPoint, MainAndVSTPluginMainAreOneFunction) {
  void* library = dlopen(TAMZOR_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  void* entry = dlsym(library, "VSTPluginMain");
  EXPECT_NE(entry, nullptr);
  EXPECT_EQ(dlsym(library, "main"), entry);
  auto create = reinterpret_cast<VstPluginMainProc>(entry);
  EXPECT_EQ(create(nullptr), nullptr);  // no host callback, no effect
  dlclose(library);
}

TEST(EntryPoint, ExportsOnlyItsTwoEntryPoints) {
  const std::string command = std::string("nm -D --defined-only '") + TAMZOR_PLUGIN_PATH + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[512];
  while (fgets(line, sizeof line, pipe.get()) != nullptr) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::size_t space = text.rfind(' ');
    names.insert(space == std::string::npos ? text : text.substr(space + 1));
  }
  EXPECT_EQ(names, (std::set<std::string>{"VSTPluginMain", "main"}));
}

TEST(EntryPoint, TwoInstancesKeepTheirOwnState) {
  auto first = loadBuiltPlugin();
  auto second = loadBuiltPlugin();
  ASSERT_TRUE(first && second);
  first->setParameter(2, 0.8f);
  EXPECT_EQ(first->getParameter(2), 0.8f);
  EXPECT_EQ(second->getParameter(2), 0.5f);
  first->setProgram(3);
  EXPECT_EQ(first->currentProgram(), 3);
  EXPECT_EQ(second->currentProgram(), 0);
}

}  // namespace
}  // namespace tamzor::test
