#include "platform/win32/code_pages.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace korvel::win32 {

namespace {

std::optional<std::wstring> to_wide(unsigned code_page, std::string_view text, DWORD flags) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (count <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(code_page, flags, text.data(), size, wide.data(), count);
  return wide;
}

// `used_default` is set when a character had no equivalent; a look-alike
// (best fit) is never taken.
std::string to_bytes(unsigned code_page, std::wstring_view wide, bool* used_default) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  // UTF-8 and UTF-7 take neither the flag nor the question.
  const bool can_ask = code_page != CP_UTF8 && code_page != CP_UTF7 && used_default != nullptr;
  const DWORD flags = can_ask ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL defaulted = FALSE;
  const int count =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, can_ask ? &defaulted : nullptr);
  if (count <= 0) {
    if (used_default) *used_default = true;
    return std::string();
  }
  std::string bytes(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), size, bytes.data(), count, nullptr,
                      can_ask ? &defaulted : nullptr);
  if (used_default) *used_default = defaulted != FALSE;
  return bytes;
}

bool process_uses_system_code_page() { return GetACP() == system_code_page(); }

}  // namespace

// The code page programs without a code page of their own get is the one the
// registry names (it is 65001 where the user made UTF-8 the system's); the
// system locale's default is the fallback. GetLocaleInfoEx with
// LOCALE_NAME_SYSTEM_DEFAULT fails under Wine 8, GetLocaleInfoW answers.
unsigned system_code_page() {
  static const unsigned code_page = [] {
    wchar_t text[16] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage", L"ACP",
                     RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS) {
      const unsigned long value = std::wcstoul(text, nullptr, 10);
      if (value != 0 && IsValidCodePage(static_cast<UINT>(value))) return static_cast<unsigned>(value);
    }
    DWORD value = 0;
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR)) &&
        value != 0)
      return static_cast<unsigned>(value);
    return static_cast<unsigned>(GetACP());
  }();
  return code_page;
}

std::string system_to_process_code_page(std::string_view text) {
  if (process_uses_system_code_page()) return std::string(text);
  const std::optional<std::wstring> wide = to_wide(system_code_page(), text, 0);
  if (!wide) return std::string(text);
  return narrow(*wide);
}

std::optional<std::string> process_to_system_code_page(std::string_view text) {
  if (process_uses_system_code_page()) return std::string(text);
  const std::optional<std::wstring> wide = widen(text);
  if (!wide) return std::nullopt;
  bool used_default = false;
  std::string bytes = to_bytes(system_code_page(), *wide, &used_default);
  if (used_default) return std::nullopt;
  return bytes;
}

std::optional<std::wstring> widen(std::string_view text) { return to_wide(CP_ACP, text, MB_ERR_INVALID_CHARS); }

std::string narrow(std::wstring_view text) { return to_bytes(CP_ACP, text, nullptr); }

std::optional<std::string> narrow_exactly(std::wstring_view text) {
  bool used_default = false;
  std::string bytes = to_bytes(GetACP(), text, &used_default);  // the number: CP_ACP takes no question
  if (used_default) return std::nullopt;
  return bytes;
}

std::optional<std::string> short_name_of(std::string_view path) {
  const std::optional<std::wstring> wide = widen(path);
  if (!wide || wide->empty()) return std::nullopt;
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD n = GetShortPathNameW(wide->c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::nullopt;
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(n + 1);
  }
  const auto last_part = [](std::wstring_view p) {
    while (!p.empty() && (p.back() == L'\\' || p.back() == L'/')) p.remove_suffix(1);
    const std::size_t folder = p.find_last_of(L"\\/:");
    return folder == std::wstring_view::npos ? p : p.substr(folder + 1);
  };
  const std::wstring_view short_part = last_part(std::wstring_view(buffer.data(), buffer.size()));
  // A volume without short names hands the long name back.
  if (short_part.empty() || short_part == last_part(*wide)) return std::nullopt;
  return narrow(short_part);
}

}  // namespace korvel::win32
