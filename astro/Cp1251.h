// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1251 <-> UTF-8 conversion, used at every file boundary.
#pragma once

#include <string>
#include <string_view>

namespace astro {

// Decodes Windows-1251 bytes into UTF-8. The one undefined byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// Decodes Windows-1251 bytes into UTF-16: one code unit per byte, written to out[0 .. size - 1]
// (no surrogates are needed; 0x98 becomes U+FFFD). The fast road for large files.
void Cp1251ToUtf16(std::string_view bytes, char16_t* out);

// Encodes UTF-8 into Windows-1251. Characters the code page lacks, and malformed
// UTF-8 sequences, become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// True when every character of the UTF-8 text has a Windows-1251 byte.
bool IsCp1251Representable(std::string_view utf8);

} // namespace astro
