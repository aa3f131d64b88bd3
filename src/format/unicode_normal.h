#pragma once
// Unicode normalization and case folding, so that a student's name is one name however it was
// typed: with a precomposed é or with e and a combining acute, in capitals or not. Different
// letters stay different: Zoë is not Zoé. Tables of Unicode 15.0.0 (format/unicode_tables.inc).
#include <string>
#include <string_view>

#include "format/text.h"

namespace stepwise {

// Canonical decomposition (NFD): every character into its canonical parts, Hangul syllables into
// their jamo, then each run of combining marks sorted by combining class (stable, so marks of one
// class keep their order).
std::u32string toNfd(std::u32string_view text);

// Canonical composition (NFC): the decomposition above, then each mark composed with the starter
// before it where nothing between them blocks it. The composition exclusions stay decomposed
// (U+0958 stays U+0915 U+093C); singletons do not come back (U+212B ANGSTROM SIGN gives U+00C5).
std::u32string toNfc(std::u32string_view text);
// The same on UTF-16 text; unpaired surrogates are kept as they are.
Text toNfc(TextView text);

// Simple case folding, one character for one (CaseFolding.txt statuses C and S): ß and İ stay as
// they are, ẞ becomes ß, ς and Σ become σ, Cherokee small letters become capitals.
char32_t simpleCaseFold(char32_t c);
std::u32string caseFold(std::u32string_view text);

// What two names must share to be one student's: NFC(caseFold(NFD(name))).
//
// Folding comes between a decomposition and a composition because neither order of folding and
// NFC alone gives one key to names that differ only in case or canonical spelling:
// - folding can leave a string that NFC composes further: "J" U+030C folds to "j" U+030C, which
//   is U+01F0 ǰ, so the folded text must be composed again;
// - NFC can hide a mark inside a character that folds differently from the mark: U+0345
//   YPOGEGRAMMENI folds to ι, but NFC of "ά" U+0345 is U+1FB4 ᾴ, which does not fold, while NFC of
//   "Ά" U+0345 has no such character and folds to "ά" "ι"; folding the decomposed marks gives both
//   "ά" "ι".
// So İ (I with a dot above) matches "i" U+0307 as it matches "I" U+0307, and stays different
// from i and I. Blanks are kept as they are.
std::u32string identityKey(std::u32string_view name);

// The same on UTF-16 text; an unpaired surrogate is kept as it is.
Text identityKey(TextView name);

}  // namespace stepwise
