#include <filesystem>

#include <gtest/gtest.h>

#include "platform/FontFiles.h"

// The dialog's faces resolve to installed files, as the system maps their names; Wine
// and fonts-wine both bring Tahoma.
TEST(FontFiles, DialogFacesResolveToInstalledFiles)
{
    std::unique_ptr<TFontFiles> files = OpenFontFiles();
    EXPECT_EQ(files->Substitute("MS Shell Dlg 2"), "Tahoma");
    EXPECT_EQ(files->Substitute("Veltrane Nonesuch"), "Veltrane Nonesuch");

    for (bool bold : {false, true}) {
        std::optional<TFontFile> tahoma = files->Find("tahoma", bold, false);
        ASSERT_TRUE(tahoma) << bold;
        EXPECT_TRUE(std::filesystem::is_regular_file(tahoma->Path)) << tahoma->Path;
    }
    EXPECT_FALSE(files->Find("Veltrane Nonesuch", false, false));
    std::optional<TFontFile> fallback = files->Fallback(false, false);
    ASSERT_TRUE(fallback);
    EXPECT_TRUE(std::filesystem::is_regular_file(fallback->Path)) << fallback->Path;
}
