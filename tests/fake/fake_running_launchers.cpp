#include "fake_running_launchers.h"

#include <cctype>

namespace korvel::fake {

namespace {
std::string folded(std::string_view folder) {
  std::string out;
  for (char c : folder) out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}
}  // namespace

FakeRunningLaunchers::~FakeRunningLaunchers() {
  const auto it = registry->claims.find(claimed_);
  if (holds_ && it != registry->claims.end() && it->second.holder == this) registry->claims.erase(it);
}

bool FakeRunningLaunchers::claim(std::string_view start_directory) {
  const std::string folder = folded(start_directory);
  const auto [it, added] = registry->claims.try_emplace(folder, LauncherRegistry::Claim{this, 0});
  if (!added && it->second.holder != this) return false;
  claimed_ = folder;
  holds_ = true;
  return true;
}

void FakeRunningLaunchers::set_main_dialog(NativeWindow window) {
  if (holds_) registry->claims.at(claimed_).main_dialog = window;
}

bool FakeRunningLaunchers::bring_to_front(std::string_view start_directory) {
  if (registry->while_waiting) registry->while_waiting();
  const auto it = registry->claims.find(folded(start_directory));
  if (it == registry->claims.end() || !it->second.main_dialog) return false;
  registry->brought_to_front.push_back(it->second.main_dialog);
  return true;
}

}  // namespace korvel::fake
