// UTF-8, the Launcher's text inside where the platform runs it in that code
// page. Text that is not valid UTF-8 (bytes of an older system's ANSI code page)
// is left to byte-wise handling by the callers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel {

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points past U+10FFFF). Plain ASCII is.
bool is_utf8(std::string_view text);

// The characters (code points) of valid UTF-8 `text`.
std::size_t utf8_length(std::string_view text);

// The bytes of the first `count` characters of valid UTF-8 `text` (all of it
// when it has fewer): a cut there never splits a character.
std::size_t utf8_prefix_length(std::string_view text, std::size_t count);

// The longest prefix of at most `size` bytes that ends on a character boundary
// of valid UTF-8 `text`: for a record that must keep to a size in bytes.
std::size_t utf8_prefix_within(std::string_view text, std::size_t size);

// UTF-16 bytes (without their byte-order mark) as UTF-8; an odd last byte is
// dropped and a lone surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::string_view bytes, bool big_endian);

// Code point to UTF-8, appended.
void append_utf8(std::string& out, char32_t code_point);

}  // namespace korvel
