// The text of file bytes: always valid UTF-8, the bytes themselves when they are, and a printable form
// that a terminal cannot act on.
#include "FuzzInput.h"
#include "io/FileTextEncoding.h"

using namespace brimvale;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = fuzz::textOf(data, size);
    const std::string text = utf8FromFileBytes(bytes);
    fuzz::require(isValidUtf8(text), "a file's text is valid UTF-8");
    if (isValidUtf8(bytes))
        fuzz::require(text == bytes || "\xEF\xBB\xBF" + text == bytes,
                      "valid UTF-8 is kept, less a byte-order mark");
    else
        fuzz::require(text.size() > size, "every byte of other text becomes a Latin-1 character");

    const std::string printable = printableText(bytes);
    fuzz::require(isValidUtf8(printable), "the printable form is valid UTF-8");
    for (const char c : printable) {
        const auto byte = static_cast<unsigned char>(c);
        fuzz::require(byte >= 0x20u && byte != 0x7Fu, "the printable form has no control byte");
    }
    fuzz::require(printable.size() >= size && printable.size() <= 4 * size, "each byte is itself or \\xNN");
    return 0;
}
