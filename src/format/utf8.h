#pragma once
// UTF-8, the encoding of the reports, of the marks files and of file names on Linux: decoding that
// tells its caller what is not well-formed, and encoding.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/text.h"

namespace stepwise {

// What makes a byte sequence not well-formed UTF-8.
enum class Utf8Fault {
    strayContinuation,  // a byte from 80 to BF where a character should start
    notALeadByte,       // a byte from F8 to FF, which starts no sequence
    cutShort,           // the bytes end inside a sequence
    badContinuation,    // a byte of a sequence is not 10xxxxxx
    overlong,           // a character written in more bytes than it needs (C0 80 for U+0000)
    surrogate,          // U+D800 to U+DFFF, which only UTF-16 uses, in pairs
    pastUnicode,        // a value past U+10FFFF
};

struct Utf8Error {
    std::size_t offset = 0;  // of the first byte of the first sequence that is not well-formed
    Utf8Fault fault = Utf8Fault::strayContinuation;
};

struct DecodedUtf8 {
    // The characters. Where the bytes are not well-formed, this is what the program has always
    // made of them, so that a caller that goes on regardless reads what it always read: a sequence
    // is as long as its lead byte says (C0-DF two bytes, E0-EF three, F0-F7 four) and its value
    // bits are taken as they stand; a byte that leads no sequence becomes U+FFFD; a sequence that
    // the end cuts short becomes one U+FFFD, the last character.
    Text text;
    // The first fault; none when the bytes are well-formed.
    std::optional<Utf8Error> error;
};

DecodedUtf8 decodeUtf8(std::string_view bytes);

// The first fault of the bytes, without decoding them; none when they are well-formed UTF-8.
std::optional<Utf8Error> firstUtf8Error(std::string_view bytes);

// What becomes of a lone surrogate (half a pair, which no character is) in UTF-8.
enum class LoneSurrogates {
    replaced,  // U+FFFD: well-formed UTF-8, for reports
    kept,      // its own three bytes (ED A0 80 for U+D800), which decodeUtf8 reads back as the same
               // half pair (with a surrogate fault): file names keep it so
};

std::string encodeUtf8(TextView text, LoneSurrogates lone = LoneSurrogates::replaced);

// One code point (up to U+10FFFF) in UTF-8, at the end of `out`.
void appendUtf8(std::string& out, char32_t codePoint);

// Whether a byte continues a sequence (10xxxxxx) rather than starting a character.
inline bool isUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace stepwise
