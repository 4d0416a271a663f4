#include "formats/lz_string.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Computed with the JavaScript library's compressToBase64.
const std::pair<std::u16string, std::string> kPares[] = {
    {u"", "Q==="},
    {u"a", "IZA="},
    {u"Hello, world", "BIUwNmD2A0AEDukBOYAmQ==="},
    {std::u16string(100, u'a'), "IY18ZXTt/0g="},
    {u"ñandú € 😀", "I8QwdgJgXwBINQQ0LwbgAPaA"},
};

TEST(LzString, ParesConocidos) {
    for (const auto& [texto, base64] : kPares) {
        EXPECT_EQ(ComprimirBase64(texto), base64);
        EXPECT_EQ(DescomprimirBase64(base64), texto) << base64;
    }
}

TEST(LzString, IdaYVueltaConTodaClaseDeUnidades) {
    std::u16string texto;
    for (char16_t c = 0; c < 0x400; ++c)
        texto += c;
    for (int i = 0; i < 2000; ++i)
        texto += static_cast<char16_t>(u'a' + (i * i) % 7);
    texto += u'\xFFFF';
    EXPECT_EQ(DescomprimirBase64(ComprimirBase64(texto)), texto);
}

TEST(LzString, DatosQueNoSonUnFlujo) {
    for (const char* datos : {"", "IZ!A", "IZA A", "____", "AAAA", "/////"})
        EXPECT_EQ(DescomprimirBase64(datos), std::nullopt) << datos;
    // More than the caller allows.
    EXPECT_EQ(DescomprimirBase64("IY18ZXTt/0g=", 99), std::nullopt);
    EXPECT_EQ(DescomprimirBase64("IY18ZXTt/0g=", 100), std::u16string(100, u'a'));
}

} // namespace
} // namespace velmora
