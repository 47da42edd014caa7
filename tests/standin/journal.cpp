#include "journal.h"

#include <array>
#include <cstddef>
#include <utility>

namespace korvel::standin {
namespace {

void append_escaped(std::string& out, std::string_view field) {
  for (char c : field) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\0': out += "\\0"; break;
      default: out += c;
    }
  }
}

std::optional<std::string> unescape(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;  // a lone backslash at the end
    switch (field[i]) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '0': out += '\0'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::string format_journal_line(const JournalEntry& entry) {
  std::string line;
  append_escaped(line, entry.program);
  line += '\t';
  append_escaped(line, entry.command_line);
  line += '\t';
  append_escaped(line, entry.current_directory);
  line += '\t';
  append_escaped(line, entry.language);
  line += '\t';
  append_escaped(line, entry.unopened);
  line += "\r\n";
  return line;
}

std::optional<JournalEntry> parse_journal_line(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);

  // Raw TABs only ever separate fields: those inside a field are escaped.
  std::array<std::string, 5> fields;
  for (std::size_t n = 0; n < fields.size(); ++n) {
    std::size_t end = line.find('\t');
    bool last = n + 1 == fields.size();
    if (last != (end == std::string_view::npos)) return std::nullopt;  // too few or too many fields
    std::optional<std::string> field = unescape(line.substr(0, end));
    if (!field) return std::nullopt;
    fields[n] = std::move(*field);
    if (!last) line.remove_prefix(end + 1);
  }
  return JournalEntry{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), std::move(fields[3]),
                      std::move(fields[4])};
}

std::vector<JournalEntry> parse_journal(std::string_view text) {
  std::vector<JournalEntry> entries;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line == "\r") continue;
    if (std::optional<JournalEntry> entry = parse_journal_line(line)) entries.push_back(std::move(*entry));
  }
  return entries;
}

std::string output_file_for(std::string_view geometry) {
  // The solver cuts at the first full stop it meets, even one in a folder name.
  std::size_t stop = geometry.find('.');
  std::string_view base = stop == std::string_view::npos ? std::string_view() : geometry.substr(0, stop);
  return std::string(base) + ".rez";
}

std::vector<std::string> split_solver_arguments(std::string_view command_line) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (true) {
    while (i < command_line.size() && command_line[i] == ' ') ++i;
    if (i == command_line.size()) break;
    if (command_line[i] == '"') {
      std::size_t close = command_line.find('"', i + 1);
      if (close == std::string_view::npos) close = command_line.size();
      tokens.emplace_back(command_line.substr(i + 1, close - i - 1));
      i = close == command_line.size() ? close : close + 1;
    } else {
      std::size_t end = command_line.find(' ', i);
      if (end == std::string_view::npos) end = command_line.size();
      tokens.emplace_back(command_line.substr(i, end - i));
      i = end;
    }
  }
  return tokens;
}

std::string solver_output_text(const std::vector<std::string>& arguments) {
  auto argument = [&](std::size_t n) { return n < arguments.size() ? arguments[n] : std::string(); };
  return "KORVEL stand-in solver output\r\n"
         "Geometry: " + argument(0) + "\r\n"
         "Loading: " + argument(1) + "\r\n"
         "Language: " + argument(2) + "\r\n";
}

std::string first_record(std::string_view content) {
  return std::string(content.substr(0, content.find_first_of("\r\n")));
}

}  // namespace korvel::standin
