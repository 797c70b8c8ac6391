#pragma once

// The Windows "ANSI" code page 1252, which plan files, metafiles and the
// compile files share. It differs from Latin-1 only in 0x80-0x9F.

namespace qv::platform {

// The code-page 1252 byte of a character, or -1 when the code page lacks it.
int windows1252Byte(char32_t c);
// The character of a code-page 1252 byte, or 0 for the five bytes the code
// page leaves unused.
char16_t windows1252Char(unsigned char b);

} // namespace qv::platform
