// The Geometry, Loading and Output names from any bytes: derived names, the
// "no name" forms, the blank test and the solver's argument text.
//
// Input: a first byte of flags (bit 0: Romanian output; bits 1-2: which
// extension), then the Geometry name, a 0xFF byte and the Loading name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fake_platform.h"
#include "fuzz_check.h"
#include "project/project_files.h"
#include "tools/tool_launch.h"

namespace korvel {
namespace {

constexpr std::string_view extensions[] = {".dat", ".inc", ".rez", ""};

void check_derived_name(const PathText& name, std::string_view extension) {
  const PathText derived = derive_name(name, extension);
  // Full: 260 positions, or 260 bytes where text that is not UTF-8 was cut.
  FUZZ_CHECK(field_length(derived.padded()) == PathText::width || derived.padded().size() == PathText::width);
  const std::size_t stop = name.padded().find('.');
  if (stop == std::string::npos) {
    FUZZ_CHECK(derived.padded() == pad_to(extension, PathText::width));
  } else {
    // Everything before the first full stop, then the extension, cut to the
    // field (the extensions are plain ASCII: they count as the base counts).
    const std::string_view base = std::string_view(name.padded()).substr(0, stop);
    FUZZ_CHECK(derived.padded().substr(0, stop) == base);
    FUZZ_CHECK(derived.padded().substr(stop) == pad_to(extension, PathText::width - field_length(base)));
  }
  // Deriving again from a derived name changes nothing.
  if (!extension.empty() && extension.front() == '.') FUZZ_CHECK(derive_name(derived, extension) == derived);
}

void check_empty_form(const PathText& name, std::string_view extension) {
  const std::string& field = name.padded();
  const bool expected = field == std::string(PathText::width, ' ') || field == pad_to(extension, PathText::width) ||
                        field == pad_to("\\" + std::string(extension), PathText::width);
  FUZZ_CHECK(is_empty_form(name, extension) == expected);
}

// A blank in the name: the text before its NUL (if any) without its trailing
// blanks, which is the name as shown and stored.
bool naive_has_blank(std::string_view field) {
  std::size_t end = 0;
  while (end < field.size() && field[end] != '\0') ++end;
  while (end > 0 && field[end - 1] == ' ') --end;
  for (std::size_t i = 0; i < end; ++i)
    if (field[i] == ' ') return true;
  return false;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The solver's argument text: Geometry name, Loading name without its folder,
// language letter. The Loading name is taken in the current directory.
void check_solver_arguments(const PathText& geometry, const PathText& loading, bool romanian) {
  fake::FakeFileSystem files;
  files.current = "C:\\Work";
  files.utf8_process = false;  // an older system: every name reaches the solver as it is
  const SolverArguments arguments = solver_argument_text(files, geometry, loading, romanian);
  FUZZ_CHECK(!arguments.unreadable_name);
  const std::string& text = arguments.text;

  // Where names outside the system's code page (Latin-1 in the fake) can be
  // held, such a name is refused, as no file exists to give a short name.
  files.utf8_process = true;
  const SolverArguments utf8 = solver_argument_text(files, geometry, loading, romanian);
  const std::optional<std::string> full_loading = files.full_path(cut_at_nul(loading.trimmed()));
  const std::string_view loading_file =
      full_loading ? std::string_view(*full_loading).substr(full_loading->find_last_of("\\/:") + 1) : "";
  const bool held = files.to_system_code_page(geometry.name()) && files.to_system_code_page(loading_file);
  FUZZ_CHECK(utf8.unreadable_name.has_value() == !held);
  if (held) FUZZ_CHECK(utf8.text == text);

  // The Geometry part: the name up to its NUL without trailing blanks, quoted
  // when it holds a blank.
  const std::string_view g = trim_blanks(cut_at_nul(geometry.padded()));
  const bool g_quoted = naive_has_blank(geometry.padded());
  const std::string g_part(PathText(g_quoted ? quoted(g) : std::string(g)).trimmed());
  FUZZ_CHECK(text.size() >= g_part.size() + 3);
  FUZZ_CHECK(text.substr(0, g_part.size() + 1) == g_part + " ");
  FUZZ_CHECK(g_part.find('\0') == std::string::npos);
  if (g_quoted && field_length(g) + 2 <= PathText::width) FUZZ_CHECK(g_part == quoted(g));
  FUZZ_CHECK(text.substr(text.size() - 2) == (romanian ? " R" : " E"));

  // The Loading part: its file name only, and nothing of the name after a NUL.
  const std::string_view l_part = std::string_view(text).substr(g_part.size() + 1, text.size() - g_part.size() - 3);
  FUZZ_CHECK(l_part.find_first_of(std::string_view("\\/:\0", 4)) == std::string_view::npos);
  FUZZ_CHECK(field_length(g_part) <= PathText::width && field_length(l_part) <= PathText::width);

  const std::string_view l = trim_blanks(cut_at_nul(loading.trimmed()));
  std::string_view file = l;
  if (const std::size_t folder = file.find_last_of("\\/:"); folder != std::string_view::npos)
    file.remove_prefix(folder + 1);
  const std::size_t stop = file.rfind('.');
  const FixedText<255> name(file.substr(0, stop));
  const std::string extension = stop == std::string_view::npos ? std::string(4, ' ') : pad_to(file.substr(stop), 4);
  const std::string plain = std::string(name.trimmed()) + extension;
  const std::string expected_l(PathText(naive_has_blank(name.padded()) ? quoted(plain) : plain).trimmed());
  if (cut_at_nul(loading.trimmed()).empty()) FUZZ_CHECK(l_part.empty());
  FUZZ_CHECK(l_part == expected_l);
}

// The Output name of a Geometry File that exists: derive_name's when the name
// reaches the solver as it is; else the solver's file, the name it gets cut at
// its first full stop plus .rez, under the user's own folder names.
void check_solver_output_name(const PathText& geometry) {
  fake::FakeFileSystem files;
  const std::string_view name = geometry.name();
  if (!name.empty()) files.add_file(name, "");
  const PathText output = solver_output_name(files, geometry);
  FUZZ_CHECK(field_length(output.padded()) == PathText::width || output.padded().size() == PathText::width);
  const std::optional<std::string> readable = readable_name(files, name);
  if (!readable || *readable == name) {
    FUZZ_CHECK(output == derive_name(geometry, ".rez"));
    return;
  }
  const std::string written(derive_name(PathText(*readable), ".rez").trimmed());
  const std::string_view shown = output.trimmed();
  // A name cut by its field (the solver refuses a text over 260 anyway).
  if (readable->size() + 4 > PathText::width || shown.size() >= PathText::width) return;
  const auto separators = [](std::string_view text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return c == '\\' || c == '/' || c == ':'; });
  };
  FUZZ_CHECK(separators(shown) == separators(written));
  const std::size_t own = shown.find_last_of("\\/:"), solvers = written.find_last_of("\\/:");
  FUZZ_CHECK(shown.substr(own == std::string_view::npos ? 0 : own + 1) ==
             std::string_view(written).substr(solvers == std::string::npos ? 0 : solvers + 1));
}

}  // namespace
}  // namespace korvel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  if (size == 0) return 0;
  const bool romanian = (data[0] & 1) != 0;
  const std::string_view extension = extensions[(data[0] >> 1) & 3];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = text.find('\xff');
  const PathText geometry(text.substr(0, split));
  const PathText loading(split == std::string_view::npos ? std::string_view() : text.substr(split + 1));

  check_derived_name(geometry, extension);
  check_derived_name(loading, extension);
  check_empty_form(geometry, extension);
  FUZZ_CHECK(has_blank(geometry.padded()) == naive_has_blank(geometry.padded()));
  FUZZ_CHECK(has_blank(text) == naive_has_blank(text));
  check_solver_arguments(geometry, loading, romanian);
  check_solver_output_name(geometry);
  return 0;
}
