#include "host/PluginHost.h"

#include <dlfcn.h>

#include <array>
#include <cstring>

#include "host/InstanceState.h"

namespace tamzor::host {

namespace {

// Large enough for every text opcode of VST 2.4, with room to spare.
constexpr std::size_t kTextBufferSize = 256;

VstPluginMainProc findEntry(void* library) {
  for (const char* name : {"VSTPluginMain", "main"}) {
    if (void* symbol = dlsym(library, name)) return reinterpret_cast<VstPluginMainProc>(symbol);
  }
  return nullptr;
}

}  // namespace

LoadResult loadPlugin(const std::string& path, LoadOptions options) {
  LoadResult result;
  dlerror();
  const int mode = RTLD_NOW | RTLD_LOCAL | (options.keepLibraryMapped ? RTLD_NODELETE : 0);
  void* library = dlopen(path.c_str(), mode);
  if (library == nullptr) {
    const char* reason = dlerror();
    result.error = std::string("dlopen failed: ") + (reason != nullptr ? reason : "unknown reason");
    return result;
  }
  const VstPluginMainProc entry = findEntry(library);
  if (entry == nullptr) {
    dlclose(library);
    result.error = "not a VST 2.4 plug-in: no VSTPluginMain or main entry";
    return result;
  }

  auto state = std::make_unique<InstanceState>(std::move(options));
  AEffect* effect = nullptr;
  {
    LoadingScope scope(state.get());
    effect = entry(hostCallback);
  }
  if (effect == nullptr) {
    dlclose(library);
    result.error = "the plug-in's entry point returned no effect";
    return result;
  }
  if (effect->magic != kEffectMagic) {
    // Not a record we can trust to close; leave the library loaded.
    result.error = "not a VST 2.4 plug-in: the effect record lacks the VstP magic";
    return result;
  }
  result.plugin.reset(new Plugin(path, library, std::move(state)));
  result.plugin->effect_ = effect;
  registerInstance(effect, result.plugin->state_.get());
  return result;
}

Plugin::Plugin(std::string path, void* library, std::unique_ptr<InstanceState> state)
    : path_(std::move(path)), library_(library), state_(std::move(state)) {}

Plugin::~Plugin() {
  close();
  if (library_ != nullptr) dlclose(library_);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (effect_ == nullptr || effect_->dispatcher == nullptr) return 0;
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

VstIntPtr Plugin::close() {
  if (effect_ == nullptr) return 0;
  AEffect* closing = effect_;
  const VstIntPtr answer =
      closing->dispatcher != nullptr ? closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f) : 0;
  unregisterInstance(closing);
  effect_ = nullptr;
  return answer;
}

void Plugin::setParameter(VstInt32 index, float value) {
  if (effect_ != nullptr && effect_->setParameter != nullptr) effect_->setParameter(effect_, index, value);
}

float Plugin::getParameter(VstInt32 index) {
  return effect_ != nullptr && effect_->getParameter != nullptr ? effect_->getParameter(effect_, index) : 0.0f;
}

void Plugin::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
  if (effect_ != nullptr && effect_->processReplacing != nullptr)
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

std::string Plugin::readText(VstInt32 opcode, VstInt32 index) {
  std::array<char, kTextBufferSize> buffer{};
  dispatch(opcode, index, 0, buffer.data());
  buffer.back() = '\0';
  return buffer.data();
}

std::string Plugin::parameterName(VstInt32 index) { return readText(effGetParamName, index); }
std::string Plugin::parameterLabel(VstInt32 index) { return readText(effGetParamLabel, index); }
std::string Plugin::parameterDisplay(VstInt32 index) { return readText(effGetParamDisplay, index); }
std::string Plugin::programName() { return readText(effGetProgramName, 0); }
std::string Plugin::effectName() { return readText(effGetEffectName, 0); }
std::string Plugin::vendorString() { return readText(effGetVendorString, 0); }
std::string Plugin::productString() { return readText(effGetProductString, 0); }

std::optional<std::string> Plugin::programNameIndexed(VstInt32 index) {
  std::array<char, kTextBufferSize> buffer{};
  if (dispatch(effGetProgramNameIndexed, index, 0, buffer.data()) == 0) return std::nullopt;
  buffer.back() = '\0';
  return std::string(buffer.data());
}

VstInt32 Plugin::currentProgram() { return static_cast<VstInt32>(dispatch(effGetProgram)); }

void Plugin::setProgram(VstInt32 program) { dispatch(effSetProgram, 0, program); }

void Plugin::setProgramName(const std::string& name) {
  std::string copy = name;
  dispatch(effSetProgramName, 0, 0, copy.data());
}

std::vector<std::uint8_t> Plugin::chunk(bool preset) {
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
  if (data == nullptr || size <= 0) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return {bytes, bytes + size};
}

VstIntPtr Plugin::setChunk(std::span<const std::uint8_t> bytes, bool preset) {
  std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  return dispatch(effSetChunk, preset ? 1 : 0, static_cast<VstIntPtr>(copy.size()), copy.empty() ? nullptr : copy.data());
}

std::vector<HostRequest> Plugin::requests() const { return state_->requests(); }
void Plugin::clearRequests() { state_->clearRequests(); }
void Plugin::setAnswerer(RequestAnswerer answerer) { state_->setAnswerer(std::move(answerer)); }

std::string fourCharText(VstInt32 code) {
  const auto bits = static_cast<std::uint32_t>(code);
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) text[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (24 - 8 * i)) & 0xFF);
  return text;
}

}  // namespace tamzor::host
