#include "fake_platform.h"

#include "common/utf8.h"

#include <utility>

#include <algorithm>
#include <cctype>

namespace korvel::fake {

namespace {

bool is_absolute(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':') || path.substr(0, 2) == "\\\\";
}

// Windows folds repeated backslashes and ignores letter case.
std::string normalise(std::string_view path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i] == '/' ? '\\' : path[i];
    if (c == '\\' && !out.empty() && out.back() == '\\' && i > 1) continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  return out;
}

}  // namespace

std::string FakeFileSystem::key(std::string_view path) const {
  if (is_absolute(path)) return normalise(path);
  if (!path.empty() && path.front() == '\\') return normalise(current.substr(0, 2) + std::string(path));
  return normalise(current + "\\" + std::string(path));
}

void FakeFileSystem::add_file(std::string_view path, std::string_view content) {
  files_[key(path)].content = std::string(content);
}

void FakeFileSystem::add_folder(std::string_view path) { folders_.insert(key(path)); }

void FakeFileSystem::set_read_only(std::string_view path, bool read_only) { files_[key(path)].read_only = read_only; }

std::optional<std::string> FakeFileSystem::content(std::string_view path) const {
  const auto it = files_.find(key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.content;
}

void FakeFileSystem::remove(std::string_view path) { files_.erase(key(path)); }

std::optional<std::uint64_t> FakeFileSystem::file_size(std::string_view path) {
  if (fails(Operation::read, path)) return std::nullopt;
  const std::optional<std::string> data = content(path);
  if (!data) return std::nullopt;
  return data->size();
}

std::optional<std::string> FakeFileSystem::read_file_range(std::string_view path, std::uint64_t offset,
                                                           std::size_t count) {
  ++range_reads;
  const auto it = files_.find(key(path));
  if (fails(Operation::read, path) || it == files_.end()) return std::nullopt;
  const std::string& data = it->second.content;
  if (offset >= data.size()) return std::string();
  return data.substr(static_cast<std::size_t>(offset), count);
}

std::map<std::string, std::string> FakeFileSystem::snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& [k, file] : files_) files[k] = file.content;
  return files;
}

bool FakeFileSystem::write_file(std::string_view path, std::string_view data, Durability how) {
  touched.emplace_back(path);
  const std::string k = key(path);
  if (fails(Operation::write, path) || folders_.count(k)) return false;
  auto it = files_.find(k);
  if (it != files_.end() && it->second.read_only) return false;
  files_[k].content = std::string(data);
  durability[k] = how;
  return true;
}

bool FakeFileSystem::move_file_replacing(std::string_view from, std::string_view to, Durability how) {
  touched.emplace_back(to);
  const std::string source = key(from);
  const std::string target = key(to);
  auto it = files_.find(source);
  if (fails(Operation::move, to) || it == files_.end() || folders_.count(target)) return false;
  auto existing = files_.find(target);
  if (existing != files_.end() && existing->second.read_only) return false;
  File moved = it->second;
  files_.erase(it);
  files_[target] = moved;
  durability[target] = how;
  return true;
}

bool FakeFileSystem::delete_file(std::string_view path) {
  touched.emplace_back(path);
  auto it = files_.find(key(path));
  if (fails(Operation::remove, path) || it == files_.end() || it->second.read_only) return false;
  files_.erase(it);
  return true;
}

bool FakeFileSystem::file_exists(std::string_view path) {
  if (looking) looking(path);
  return files_.count(key(path)) != 0;
}

std::optional<std::string> FakeFileSystem::search_path(std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (is_absolute(name) || name.find('\\') != std::string_view::npos) {
    if (file_exists(name)) return key(name);
    return std::nullopt;
  }
  std::vector<std::string> folders{current};
  folders.insert(folders.end(), search_folders.begin(), search_folders.end());
  for (const std::string& folder : folders) {
    const std::string candidate = folder + "\\" + std::string(name);
    if (file_exists(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> FakeFileSystem::full_path(std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (is_absolute(name)) return std::string(name);
  if (name.front() == '\\') return current.substr(0, 2) + std::string(name);
  return current + (current.back() == '\\' ? "" : "\\") + std::string(name);
}

bool FakeFileSystem::set_current_directory(std::string_view path) {
  // A folder made by add_folder or holding a file.
  const std::string k = key(path), below = k.back() == '\\' ? k : k + '\\';
  const bool holds_file =
      std::any_of(files_.begin(), files_.end(), [&](const auto& f) { return f.first.starts_with(below); });
  if (!folders_.count(k) && !holds_file) return false;
  current = std::string(path);
  return true;
}

std::optional<std::string> FakeFileSystem::current_directory() {
  if (current_directory_fails) return std::nullopt;
  return current;
}

std::string FakeFileSystem::from_system_code_page(std::string_view text) {
  if (!utf8_process) return std::string(text);
  std::string out;
  for (const char c : text) append_utf8(out, static_cast<unsigned char>(c));
  return out;
}

std::optional<std::string> FakeFileSystem::to_system_code_page(std::string_view text) {
  if (!utf8_process) return std::string(text);
  if (!is_utf8(text)) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out.push_back(text[i]);
    } else if ((byte & 0xE0) == 0xC0 && byte <= 0xC3) {  // U+0080 to U+00FF
      out.push_back(static_cast<char>(((byte & 0x03) << 6) | (text[++i] & 0x3F)));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::optional<std::string> FakeFileSystem::short_name(std::string_view path) {
  const std::string k = key(path);
  const auto below = [&](const std::string& folder) {
    std::string f = key(folder);
    if (f.back() != '\\') f += '\\';  // a drive's root keeps its backslash
    return k + '\\' == f || k.rfind(f, 0) == 0;
  };
  const bool exists = files_.count(k) || folders_.count(k) ||
                      std::any_of(files_.begin(), files_.end(), [&](const auto& file) {
                        return file.first.rfind(k + "\\", 0) == 0;
                      });
  if (!exists || std::any_of(without_short_names.begin(), without_short_names.end(), below)) return std::nullopt;
  if (const auto given = short_names.find(std::string(path)); given != short_names.end()) return given->second;
  std::string_view name = path.substr(path.find_last_of("\\/") + 1);
  const std::size_t stop = name.rfind('.');
  const auto letters = [](std::string_view part, std::size_t count) {
    std::string out;
    for (const char c : part)
      if (out.size() < count && std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80)
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
  };
  std::string short_form = letters(name.substr(0, stop), 6) + "~1";
  if (stop != std::string_view::npos) short_form += "." + letters(name.substr(stop + 1), 3);
  return short_form;
}

int FakeMessageBoxes::show(std::string_view text, std::string_view caption, unsigned type) {
  shown.push_back({std::string(text), std::string(caption), type});
  if (events_) events_->push_back("box " + std::string(caption));
  if (quit_pending && *quit_pending) return 0;
  if (while_open) std::exchange(while_open, nullptr)();
  if (!answers.empty()) {
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  switch (type & 0xF) {
    case mb::yes_no:
      return mb::answer_yes;
    case mb::retry_cancel:
      return mb::answer_retry;
    default:
      return mb::answer_ok;
  }
}

std::optional<StartedProcess> FakeProcesses::start(std::string_view application, std::string_view command_line) {
  starts.push_back({std::string(application), std::string(command_line), files_.current_directory().value_or("")});
  if ((fail && fail(Operation::start, application)) || !files_.file_exists(application)) return std::nullopt;
  const std::uint32_t id = next_id_++;
  known_.insert(id);
  running.insert(id);
  return StartedProcess{new_handle(id), id};
}

// Each start and each open gives a handle of its own, as Windows does.
ProcessHandle FakeProcesses::new_handle(std::uint32_t process_id) {
  const ProcessHandle handle = next_handle_;
  next_handle_ += 4;
  handles[handle] = process_id;
  note_made(live, ObjectKind::process_handle);
  return handle;
}

ProcessHandle FakeProcesses::open(std::uint32_t process_id) {
  if ((fail && fail(Operation::open, {})) || !known_.count(process_id)) return 0;
  return new_handle(process_id);
}

std::optional<std::uint32_t> FakeProcesses::exit_code(ProcessHandle handle) {
  const auto it = handles.find(handle);
  if ((fail && fail(Operation::exit_code, {})) || it == handles.end()) return std::nullopt;
  return running.count(it->second) ? still_active : 0u;
}

void FakeProcesses::terminate(ProcessHandle handle, std::uint32_t) {
  const auto it = handles.find(handle);
  if (it == handles.end()) return;  // no such handle: the call fails
  terminated.push_back(it->second);
  running.erase(it->second);
}

// A handle closed, or never given, is no handle: closing it does nothing.
void FakeProcesses::close(ProcessHandle handle) {
  if (handles.erase(handle)) note_released(live, ObjectKind::process_handle);
}

int FakeFileDialogs::get_open_file_name(OpenFileRequest& request) {
  shown.push_back({std::string(request.filter), request.initial_directory, request.title, request.default_extension,
                   request.file_name, request.filter_index, request.flags, request.file_name_size});
  if (answers.empty()) return 0;
  const std::optional<std::string> answer = answers.front();
  answers.pop_front();
  if (!answer || answer->size() + 1 > request.file_name_size) return 0;
  std::copy(answer->begin(), answer->end(), request.file_name);
  request.file_name[answer->size()] = '\0';
  const std::size_t folder = answer->rfind('\\');
  if (folder != std::string::npos) files_.current = answer->substr(0, folder == 2 ? 3 : folder);
  return 1;
}

}  // namespace korvel::fake
