// The host layer: loading errors, the entry fallback to main, and requests
// routed to the instance that sent them.
#include <gtest/gtest.h>

#include <string>

#include "host/PluginHost.h"

namespace tamzor::host {
namespace {

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

TEST(PluginHost, MissingFileIsADlopenFailure) {
  LoadResult loaded = loadPlugin("/nonexistent/directory/NoSuchPlugin.so");
  EXPECT_FALSE(loaded);
  EXPECT_TRUE(startsWith(loaded.error, "dlopen failed: ")) << loaded.error;
  EXPECT_NE(loaded.error.find("NoSuchPlugin.so"), std::string::npos) << loaded.error;
}

TEST(PluginHost, LibraryWithoutEntryIsNotAPlugin) {
  LoadResult loaded = loadPlugin(TAMZOR_NO_ENTRY_LIBRARY);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(loaded.error, "not a VST 2.4 plug-in: no VSTPluginMain or main entry");
}

TEST(PluginHost, EntryAnsweringNoEffectIsReported) {
  LoadOptions options;
  options.versionAnswer = 0;
  LoadResult loaded = loadPlugin(TAMZOR_PROBE_PLUGIN, options);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(loaded.error, "the plug-in's entry point returned no effect");
}

TEST(PluginHost, FallsBackToMainAndRecordsTheEntryRequests) {
  LoadResult loaded = loadPlugin(TAMZOR_PROBE_PLUGIN);
  ASSERT_TRUE(loaded) << loaded.error;
  const std::vector<HostRequest> requests = loaded.plugin->requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].opcode, audioMasterVersion);
  EXPECT_FALSE(requests[0].withEffect);
  EXPECT_EQ(requests[1].opcode, audioMasterIdle);
  EXPECT_TRUE(requests[1].withEffect) << "sent with the record before the host knew it";
  EXPECT_EQ(requests[1].index, 7);
}

TEST(PluginHost, EachInstanceRecordsAndAnswersItsOwnRequests) {
  LoadOptions yes;
  yes.answerer = [](const HostRequest& request) -> std::optional<VstIntPtr> {
    if (request.opcode == audioMasterCanDo && request.text == "sizeWindow") return 1;
    return std::nullopt;
  };
  LoadResult first = loadPlugin(TAMZOR_PROBE_PLUGIN, yes);
  LoadResult second = loadPlugin(TAMZOR_PROBE_PLUGIN);
  ASSERT_TRUE(first && second);
  first.plugin->clearRequests();
  second.plugin->clearRequests();

  char text[] = "sizeWindow";
  EXPECT_EQ(first.plugin->dispatch(effVendorSpecific, 3, 4, text, 0.5f), 1);
  EXPECT_EQ(second.plugin->dispatch(effVendorSpecific, 3, 4, text, 0.5f), 0);
  second.plugin->setAnswerer([](const HostRequest&) -> std::optional<VstIntPtr> { return 5; });
  EXPECT_EQ(second.plugin->dispatch(effVendorSpecific, 0, 0, text), 5);

  const std::vector<HostRequest> requests = first.plugin->requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].opcode, audioMasterCanDo);
  EXPECT_EQ(requests[0].index, 3);
  EXPECT_EQ(requests[0].value, 4);
  EXPECT_EQ(requests[0].text, "sizeWindow");
  EXPECT_EQ(requests[0].opt, 0.5f);
  EXPECT_EQ(second.plugin->requests().size(), 2u);
}

TEST(PluginHost, ClosingTwiceClosesOnce) {
  LoadOptions options;
  options.keepLibraryMapped = false;
  LoadResult loaded = loadPlugin(TAMZOR_PROBE_PLUGIN, options);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded.plugin->close(), 1);
  EXPECT_EQ(loaded.plugin->close(), 0);
  EXPECT_EQ(loaded.plugin->dispatch(effGetVstVersion), 0);
  EXPECT_EQ(loaded.plugin->getParameter(0), 0.0f);
}

TEST(PluginHost, UnknownCallersGetTheVersionOnly) {
  EXPECT_EQ(hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
  EXPECT_EQ(hostCallback(nullptr, audioMasterCanDo, 0, 0, nullptr, 0.0f), 0);
}

TEST(PluginHost, FourCharText) { EXPECT_EQ(fourCharText(fourCharCode('Q', 'T', 'M', 'Z')), "QTMZ"); }

}  // namespace
}  // namespace tamzor::host
