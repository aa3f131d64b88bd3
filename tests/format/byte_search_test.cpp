#include <gtest/gtest.h>

#include <random>
#include <string>

#include "format/byte_search.h"

namespace stepwise {
namespace {

// The block-wise look finds what a byte-by-byte look finds, wherever the byte stands: at a block's
// first or last byte, in the tail, or nowhere; a scanner taken forward finds each in turn.
TEST(ByteSearch, FindsTheFirstByteOfTheSetWhereverItStands) {
    constexpr ByteSet<6> special{{'&', '<', '>', '"', '\'', 0x7F}, true};
    constexpr ByteSet<3> quoteOrLine{{'"', '\r', '\n'}, false};
    std::mt19937 random(7);
    const std::string alphabet = "abc xyz\t\r\n&<>\"'\x7F\x01\x1F\xC3\xA9-=";
    const auto slow = [](const std::string& text, std::size_t from, const auto& set) {
        for (std::size_t i = from; i < text.size(); ++i)
            if (set.contains(static_cast<unsigned char>(text[i]))) return i;
        return text.size();
    };
    for (int round = 0; round < 4000; ++round) {
        // Mostly plain letters, with a few of every kind of byte.
        std::string text(random() % 300, 'p');
        for (char& c : text)
            if (random() % 40 == 0) c = alphabet[random() % alphabet.size()];
        const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        SCOPED_TRACE(testing::Message() << "size " << text.size() << ", from " << from);
        EXPECT_EQ(findByteOf(text, from, special), slow(text, from, special));
        EXPECT_EQ(findByteOf(text, from, quoteOrLine), slow(text, from, quoteOrLine));
        ByteScanner scanner(text, special);
        for (std::size_t from = 0; from < text.size();) {
            const std::size_t found = scanner.next(from);
            ASSERT_EQ(found, slow(text, from, special)) << "from " << from;
            from = found + 1 + random() % 3;  // on past it, at times past the bytes after it too
        }
    }
}

}  // namespace
}  // namespace stepwise
