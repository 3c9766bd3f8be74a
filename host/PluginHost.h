// Host side of the VST 2.4 ABI: loads a plug-in library the way a host does
// (dlopen, VSTPluginMain or main, the effect record's entries) and records
// every request the plug-in sends to its host.
//
//   auto loaded = tamzor::host::loadPlugin("/path/Plugin.so");
//   if (!loaded) { std::cerr << loaded.error; return 1; }
//   tamzor::host::Plugin& plugin = *loaded.plugin;
//   plugin.setParameter(2, 0.8f);
//   std::string text = plugin.parameterDisplay(2);
//
// Several plug-ins (or several instances of one) may be loaded at once; each
// Plugin records and answers its own requests. The host callback finds the
// instance through the effect record it is called with; requests sent while
// the entry point runs (no record yet) go to the instance being loaded.
//
// Destroying a Plugin closes the effect (effClose) and releases the library.
// A Plugin must not be destroyed while another thread is calling into it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "plugin/VstInterface.h"

namespace tamzor::host {

// One request the plug-in sent to the host callback.
struct HostRequest {
  bool withEffect = false;  // false when sent without an effect record
  VstInt32 opcode = 0;
  VstInt32 index = 0;
  VstIntPtr value = 0;
  const void* ptr = nullptr;
  std::string text;         // ptr read as text (audioMasterCanDo), else empty
  float opt = 0.0f;
};

// Answers a request; std::nullopt leaves the default answer (the configured
// version for audioMasterVersion, 0 for everything else).
using RequestAnswerer = std::function<std::optional<VstIntPtr>(const HostRequest&)>;

struct LoadOptions {
  VstIntPtr versionAnswer = kVstVersion;  // answer to audioMasterVersion
  RequestAnswerer answerer;                // consulted first, from the entry call on
  // Keeps the library and what it pulled in mapped after the last dlclose
  // (RTLD_NODELETE). Graphics libraries keep process-wide caches that do not
  // survive being unmapped, and leak checkers report them as lost once their
  // library is gone. Set to false to have the library really unloaded.
  bool keepLibraryMapped = true;
};

class InstanceState;
struct LoadResult;

class Plugin {
public:
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  // The effect record; nullptr once closed.
  AEffect* effect() const { return effect_; }
  const std::string& path() const { return path_; }

  // The record's dispatcher entry; answers 0 once closed.
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // effClose through the record's dispatcher entry, which destroys the effect.
  // Returns the entry's answer (0 if already closed).
  VstIntPtr close();

  void setParameter(VstInt32 index, float value);
  float getParameter(VstInt32 index);
  void processReplacing(float** inputs, float** outputs, VstInt32 frames);

  // Texts read through the dispatcher into a zeroed buffer.
  std::string parameterName(VstInt32 index);
  std::string parameterLabel(VstInt32 index);
  std::string parameterDisplay(VstInt32 index);
  std::string programName();
  std::optional<std::string> programNameIndexed(VstInt32 index);  // nullopt when refused
  std::string effectName();
  std::string vendorString();
  std::string productString();

  VstInt32 currentProgram();
  void setProgram(VstInt32 program);
  void setProgramName(const std::string& name);

  // A copy of the program (preset) or bank chunk; empty when none.
  std::vector<std::uint8_t> chunk(bool preset);
  // effSetChunk with these bytes; the plug-in's answer.
  VstIntPtr setChunk(std::span<const std::uint8_t> bytes, bool preset);

  // Requests recorded so far, oldest first.
  std::vector<HostRequest> requests() const;
  void clearRequests();
  void setAnswerer(RequestAnswerer answerer);

private:
  friend LoadResult loadPlugin(const std::string& path, LoadOptions options);
  Plugin(std::string path, void* library, std::unique_ptr<InstanceState> state);
  std::string readText(VstInt32 opcode, VstInt32 index);

  std::string path_;
  void* library_ = nullptr;
  AEffect* effect_ = nullptr;
  std::unique_ptr<InstanceState> state_;
};

struct LoadResult {
  std::unique_ptr<Plugin> plugin;
  std::string error;  // why loading failed; empty on success
  explicit operator bool() const { return plugin != nullptr; }
};

// Loads the library at path and creates its effect. Failures are reported in
// LoadResult::error, e.g. "dlopen failed: ..." or "not a VST 2.4 plug-in: no
// VSTPluginMain or main entry".
LoadResult loadPlugin(const std::string& path, LoadOptions options = {});

// The host callback handed to every plug-in this layer loads.
VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt);

// Four-character code as text ("QTMZ").
std::string fourCharText(VstInt32 code);

}  // namespace tamzor::host
