// The process's and the system's ANSI code pages, and the conversions between
// them. Under the manifest's UTF-8 request GetACP() reports the process's code
// page (65001), no longer the system's that the package's other programs use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel::win32 {

// The system's ANSI code page: the one the package's other programs run in.
unsigned system_code_page();

std::string system_to_process_code_page(std::string_view text);
// Nothing when the system's code page can't hold every character.
std::optional<std::string> process_to_system_code_page(std::string_view text);

// Between the process's code page and UTF-16; nothing for bytes that are not
// text in it.
std::optional<std::wstring> widen(std::string_view text);
std::string narrow(std::wstring_view text);
// Nothing when the process's code page can't hold every character.
std::optional<std::string> narrow_exactly(std::wstring_view text);

// The short name of the last part of `path`; nothing when it has none.
std::optional<std::string> short_name_of(std::string_view path);

}  // namespace korvel::win32
