// The embedded language resources, byte for byte, and what the readers make of them.
#include "LangTestComponents.h"

#include "lang/ByteReader.h"
#include "lang/Lang_CompEntries.h"
#include "lang/Lang_CompEntry.h"
#include "lang/Lang_CompTranslations.h"
#include "lang/Lang_Constants.h"
#include "lang/ResourceModule.h"
#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Embedded(const char* name)
{
    const auto bytes = ProgramModule().FindRawData(name);
    if (!bytes)
        return {};
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

std::u16string Utf16Le(const std::vector<std::uint8_t>& bytes, std::size_t from)
{
    std::u16string text;
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

} // namespace

TEST(LangResources, SpanishTextIsUtf16WithMarkAnd33CrLfLines)
{
    const auto bytes = Embedded("LNG_SPANISH");
    ASSERT_EQ(bytes.size(), 1694u);
    EXPECT_EQ(bytes, SourceFileBytes("resources/lng_spanish.lng"));
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    const std::u16string text = Utf16Le(bytes, 2);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last line ends with CR LF";
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(text.find_first_of(u"\r\n\\"), text.find(u"\r\n")) << "no lone line ends, no escapes";
    EXPECT_EQ(lines[0].substr(0, 7), u"Author=");
    EXPECT_EQ(lines[1], u"SourceLANGID=1033");
    EXPECT_EQ(lines[2], u"LANGID=1034");
    EXPECT_EQ(lines[3].substr(0, 10), u"Generator=");
    EXPECT_EQ(lines[4], u"LastModified=2006-11-24 20:20:19");
    EXPECT_EQ(lines[5], u"");
    EXPECT_EQ(lines[6], u"[frmConfig]");
    EXPECT_EQ(lines[28], u"");
    EXPECT_EQ(lines[29], u"[$CONSTANTS]");
}

TEST(LangResources, SpanishTextReadsAsTheDialogsTranslation)
{
    const auto bytes = Embedded("LNG_SPANISH");
    TLang_CompTranslations translations;
    translations.ReadText(bytes, false);
    EXPECT_TRUE(translations.Unicode());
    EXPECT_EQ(translations.Header().size(), 5u);
    EXPECT_EQ(translations.HeaderLangId(), 1034);
    EXPECT_EQ(translations.HeaderValue(u"sourcelangid").value_or(u""), u"1033");
    ASSERT_EQ(translations.SectionCount(), 1);
    const TLang_CompTranslation* section = translations.FindSection("FRMCONFIG");
    ASSERT_NE(section, nullptr);
    const std::vector<std::pair<int, std::u16string>> expected = {
        {1, u"Veltrane"}, {2, u"Imágenes"}, {4, u"&Colocar imagen como papel tapiz"}, {5, u"Configuración"},
        {6, u"Acerca de..."}, {7, u"&Cancelar"}, {8, u"&Aceptar"}, {9, u"Acerca"}, {10, u"Veltrane"},
        {11, u"Versión 1.0"}, {12, u"Elaborado por:"}, {13, u"Fotografía y arte:"}, {18, u"Idioma"},
        {19, u"Opciones de visualización"}, {20, u"English"}, {21, u"Español"}, {22, u"Ver en tamaño original"},
        {23, u"Ver en tamaño proporcional"}, {24, u"Ajustar tamaño a pantalla"},
        {25, u"Opción de tiempo (en segundos)"}, {26, u"Tiempo de espera de imagen"}};
    ASSERT_EQ(section->Count(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(section->Items(i).PropId, expected[i].first);
        EXPECT_EQ(section->Items(i).Text, expected[i].second);
    }
    for (int id : {3, 14, 15, 16, 17})
        EXPECT_EQ(section->PositionOfId(id), -1);
    const TLang_Constants& constants = translations.ConstantSection();
    ASSERT_EQ(constants.Count(), 3);
    EXPECT_EQ(constants.FindConstant("cInfoEnded").Text, u"Listo.");
    EXPECT_EQ(constants.FindConstant("cInfoSelect").Text, u"Clic en la imagen para seleccionar.");
    EXPECT_EQ(constants.FindConstant("cInfoWait").Text, u"Espere mientras se coloca el papel tapiz.");
}

TEST(LangResources, ConstantsStreamLayout)
{
    const auto bytes = Embedded("LANG_CONSTS");
    ASSERT_EQ(bytes.size(), 196u);
    EXPECT_EQ(bytes, SourceFileBytes("resources/lang_consts.bin"));
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.begin() + 6), (std::vector<std::uint8_t>{3, 0, 0, 0}));
    const auto nameAt = [&](std::size_t offset) {
        const std::size_t length = bytes[offset] | (bytes[offset + 1] << 8);
        return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset + 2),
                           bytes.begin() + static_cast<std::ptrdiff_t>(offset + 2 + length));
    };
    EXPECT_EQ(nameAt(6), "cInfoEnded");
    EXPECT_EQ(nameAt(32), "cInfoSelect");
    EXPECT_EQ(nameAt(111), "cInfoWait");
    const std::vector<std::uint8_t> first = {0x0A, 0x00, 'c', 'I', 'n', 'f', 'o', 'E', 'n', 'd', 'e', 'd', 0x06, 0x00,
                                             'R', 0, 'e', 0, 'a', 0, 'd', 0, 'y', 0, '.', 0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 6, bytes.begin() + 32), first);
    EXPECT_EQ(bytes[194], 0);
    EXPECT_EQ(bytes[195], 0);
}

TEST(LangResources, ConstantsStreamReadsThe194BytesTwiceAlike)
{
    const auto bytes = Embedded("LANG_CONSTS");
    TLang_Constants constants([] { return std::uint16_t{1033}; });
    for (int pass = 0; pass < 2; ++pass) {
        TByteReader reader(bytes);
        constants.ReadStream(reader);
        EXPECT_EQ(reader.Position(), 194u);
        ASSERT_EQ(constants.Count(), 3);
        EXPECT_TRUE(constants.AutoSaveFlag());
        EXPECT_EQ(constants.FindConstant("cInfoEnded").Text, u"Ready.");
        EXPECT_EQ(constants.FindConstant("cInfoSelect").Text, u"Click on one image to select it.");
        EXPECT_EQ(constants.FindConstant("CINFOWAIT").BaseText, u"Wait until the wallpaper is placed.");
    }
}

TEST(LangResources, DialogLangDataFileHoldsTheFormEntryAnd45Children)
{
    const auto bytes = SourceFileBytes("resources/lngConfig.langdata");
    ASSERT_EQ(bytes.size(), 941u);
    TLang_CompEntry root;
    TByteReader reader(bytes);
    root.ReadStream(reader);
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(root.StoredName(), "frmConfig");
    ASSERT_NE(root.Children(), nullptr);
    EXPECT_EQ(root.Children()->Count(), 45);
    EXPECT_EQ(root.HighestId(), 26);
    std::vector<std::u16string> lines;
    root.ExportSource(lines);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], u"Caption=00000001,");
    EXPECT_EQ(lines[1], u"tabImg.Caption=00000002,");
    EXPECT_EQ(lines[2], u"btnSetWallpaper.Caption=00000004,");
    EXPECT_EQ(lines[24], u"Label7.Caption=00000026,");
}
