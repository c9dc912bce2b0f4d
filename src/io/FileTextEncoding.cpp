// Texts that come from files or go into them: the one rule that decides their encoding.
#include "io/FileTextEncoding.h"

namespace brimvale {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0u) == 0x80u;
}

// The length of the valid UTF-8 sequence that starts at bytes[k], 0 when none does.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t k)
{
    const auto lead = static_cast<unsigned char>(bytes[k]);
    if (lead < 0x80u)
        return 1;
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    // 0x80 to 0xC1 never begin a sequence: continuations, or the lead of an overlong two-byte form.
    if (lead < 0xC2u)
        return 0;
    if (lead < 0xE0u) {
        length = 2;
        codePoint = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead < 0xF0u) {
        length = 3;
        codePoint = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead < 0xF5u) {
        length = 4;
        codePoint = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - k < length)
        return 0;
    for (std::size_t n = 1; n < length; ++n) {
        const auto next = static_cast<unsigned char>(bytes[k + n]);
        if (!isContinuation(next))
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || surrogate || codePoint > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t k = 0; k < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, k);
        if (length == 0)
            return false;
        k += length;
    }
    return true;
}

std::string printableText(std::string_view bytes)
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t k = 0; k < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[k]);
        const std::size_t length = utf8SequenceLength(bytes, k);
        if (length == 0 || byte < 0x20u || byte == 0x7Fu) {
            text += "\\x";
            text.push_back(digits[byte >> 4]);
            text.push_back(digits[byte & 0x0Fu]);
            ++k;
            continue;
        }
        text.append(bytes.substr(k, length));
        k += length;
    }
    return text;
}

std::string utf8FromFileBytes(std::string_view bytes)
{
    if (isValidUtf8(bytes)) {
        // A mark at the very start says how the file is encoded; it is not part of the text.
        if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark)
            bytes.remove_prefix(ByteOrderMark.size());
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80u) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0u | (byte >> 6)));
            text.push_back(static_cast<char>(0x80u | (byte & 0x3Fu)));
        }
    }
    return text;
}

} // namespace brimvale
