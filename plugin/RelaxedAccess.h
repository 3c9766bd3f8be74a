// Whole-word loads and stores of plain fields that more than one thread
// touches (host automation, the user-interface thread, the audio thread).
// Relaxed order: each value stands on its own.
#pragma once

#include <atomic>
#include <type_traits>

namespace tamzor {

template <typename T>
inline void relaxedStore(T& field, T value) {
  static_assert(std::atomic_ref<T>::is_always_lock_free);
  std::atomic_ref<T>(field).store(value, std::memory_order_relaxed);
}

template <typename T>
inline T relaxedLoad(const T& field) {
  static_assert(std::atomic_ref<T>::is_always_lock_free);
  return std::atomic_ref<T>(const_cast<T&>(field)).load(std::memory_order_relaxed);
}

}  // namespace tamzor
