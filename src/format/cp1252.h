#pragma once
// Windows-1252, the single-byte code page of every output file.
#include <string>
#include <string_view>

#include "format/text.h"

namespace stepwise {

// One byte to its character. The five bytes Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D)
// stand for the control characters of the same code, so every byte survives a round trip.
char16_t cp1252ToChar(unsigned char byte);

// Whether the code page holds every character of the text, so that it is written without a
// character reference.
bool fitsCp1252(TextView text);

// Text to bytes. A character the code page cannot hold is written as a decimal character
// reference ("&#916;" for a capital delta) so that nothing typed is lost.
std::string encodeCp1252(TextView text);
void appendCp1252(std::string& bytes, TextView text);

Text decodeCp1252(std::string_view bytes);

// Bytes to text as encodeCp1252 wrote it: every character reference that encodeCp1252 writes (a
// character the code page cannot hold, its code in decimal without leading zeros) becomes its
// character again. A reference it never writes, such as "&#65;" for a character the code page
// holds, was typed as it stands and is kept as it stands.
Text decodeCp1252WithReferences(std::string_view bytes);
// The same text as UTF-8, as encodeUtf8 makes it: a reference to half of a surrogate pair that
// has no other half becomes U+FFFD. Decodes long texts without the step through UTF-16. With
// `notText`, counts the bytes that are no text on the way: C0 control codes other than tab, CR and
// LF, DEL, and the five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D).
std::string decodeCp1252WithReferencesToUtf8(std::string_view bytes, std::size_t* notText = nullptr);
// The bytes that are no text, counted as the decoding above counts them, without decoding.
std::size_t countNonTextBytes(std::string_view bytes);

}  // namespace stepwise
