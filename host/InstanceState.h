// Per-instance host state: the recorded requests and how to answer them, and
// the registry through which the host callback finds an instance.
#pragma once

#include <mutex>
#include <vector>

#include "host/PluginHost.h"

namespace tamzor::host {

class InstanceState {
public:
  explicit InstanceState(LoadOptions options) : options_(std::move(options)) {}

  // Records the request and answers it.
  VstIntPtr handle(const HostRequest& request);

  std::vector<HostRequest> requests() const;
  void clearRequests();
  void setAnswerer(RequestAnswerer answerer);

private:
  mutable std::mutex mutex_;
  LoadOptions options_;
  std::vector<HostRequest> requests_;
};

// Binds requests with this effect record to the instance.
void registerInstance(const AEffect* effect, InstanceState* state);
void unregisterInstance(const AEffect* effect);

// While alive, requests on this thread that no registered record claims (the
// entry point's, sent before the record exists) go to state.
class LoadingScope {
public:
  explicit LoadingScope(InstanceState* state);
  ~LoadingScope();
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

private:
  InstanceState* previous_;
};

}  // namespace tamzor::host
