// Runs a step when the scope ends, however it ends: what a routine undoes
// stays undone also when something it called throws.
#pragma once

#include <utility>

namespace korvel {

template <typename Step>
class AtScopeExit {
 public:
  explicit AtScopeExit(Step step) : step_(std::move(step)) {}
  ~AtScopeExit() { step_(); }
  AtScopeExit(const AtScopeExit&) = delete;
  AtScopeExit& operator=(const AtScopeExit&) = delete;

 private:
  Step step_;
};

}  // namespace korvel
