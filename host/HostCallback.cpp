// The host callback shared by every loaded plug-in and the per-instance
// recording behind it.
#include <cstring>
#include <unordered_map>

#include "host/InstanceState.h"

namespace tamzor::host {

namespace {

std::mutex registryMutex;
std::unordered_map<const AEffect*, InstanceState*>& registry() {
  static std::unordered_map<const AEffect*, InstanceState*> instances;
  return instances;
}

thread_local InstanceState* loadingState = nullptr;

InstanceState* findInstance(const AEffect* effect) {
  if (effect != nullptr) {
    std::lock_guard lock(registryMutex);
    const auto found = registry().find(effect);
    if (found != registry().end()) return found->second;
  }
  return loadingState;
}

// Requests whose ptr carries text the host reads.
bool carriesText(VstInt32 opcode) { return opcode == audioMasterCanDo; }

}  // namespace

VstIntPtr InstanceState::handle(const HostRequest& request) {
  RequestAnswerer answerer;
  VstIntPtr versionAnswer = 0;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    answerer = options_.answerer;
    versionAnswer = options_.versionAnswer;
  }
  if (answerer) {
    if (const std::optional<VstIntPtr> answer = answerer(request)) return *answer;
  }
  return request.opcode == audioMasterVersion ? versionAnswer : 0;
}

std::vector<HostRequest> InstanceState::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void InstanceState::clearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

void InstanceState::setAnswerer(RequestAnswerer answerer) {
  std::lock_guard lock(mutex_);
  options_.answerer = std::move(answerer);
}

void registerInstance(const AEffect* effect, InstanceState* state) {
  std::lock_guard lock(registryMutex);
  registry()[effect] = state;
}

void unregisterInstance(const AEffect* effect) {
  std::lock_guard lock(registryMutex);
  registry().erase(effect);
}

LoadingScope::LoadingScope(InstanceState* state) : previous_(loadingState) { loadingState = state; }

LoadingScope::~LoadingScope() { loadingState = previous_; }

VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  HostRequest request;
  request.withEffect = effect != nullptr;
  request.opcode = opcode;
  request.index = index;
  request.value = value;
  request.ptr = ptr;
  request.opt = opt;
  if (ptr != nullptr && carriesText(opcode)) request.text = static_cast<const char*>(ptr);

  InstanceState* state = findInstance(effect);
  if (state == nullptr) return opcode == audioMasterVersion ? kVstVersion : 0;
  return state->handle(request);
}

}  // namespace tamzor::host
