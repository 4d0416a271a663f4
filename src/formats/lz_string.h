#pragma once
// LZ-String's base64 form, as the JavaScript library's compressToBase64 and
// decompressFromBase64 write and read it: the same bytes both ways, over UTF-16 code units.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

std::string ComprimirBase64(std::u16string_view texto);

// Nothing when the data is not a compressed stream, holds a character outside the base64
// alphabet, or would decompress to more than `maximo` code units.
std::optional<std::u16string> DescomprimirBase64(std::string_view datos,
                                                 size_t maximo = size_t{1} << 20);

} // namespace velmora
