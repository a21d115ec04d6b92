#include <filesystem>
#include <fstream>
#include <sstream>

#include "EngineFixture.h"
#include "engine/QsvImgFree.h"
#include "platform/Exception.h"
#include "platform/Registry.h"

namespace {

const std::string Key(T_QsvImgFree::SettingsKey);

class Settings : public EngineTest {
protected:
    // Writes values under the settings key the way a person or another program would.
    void StoreInteger(std::string_view name, std::int32_t value)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(Key, true));
        registry.WriteInteger(name, value);
        registry.CloseKey();
    }
    void StoreString(std::string_view name, std::string_view value)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(Key, true));
        registry.WriteString(name, value);
        registry.CloseKey();
    }
    std::string StoreText() const
    {
        std::ifstream file(FConfig.StoreFile(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(Settings, FreshUserGetsTheDefaults)
{
    T_QsvImgFree engine;
    EXPECT_EQ(engine.ImageTime, 10);
    EXPECT_EQ(engine.ViewType, 2);
    EXPECT_EQ(engine.Language, 0);
    // Loading never writes: the store is still absent.
    EXPECT_FALSE(std::filesystem::exists(FConfig.StoreFile()));
}

TEST_F(Settings, EmptyKeyLoadsZeroesNotDefaults)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(Key, true));
        registry.CloseKey();
    }
    T_QsvImgFree engine;
    EXPECT_EQ(engine.ImageTime, 0);
    EXPECT_EQ(engine.ViewType, 0);
    EXPECT_EQ(engine.Language, 0);
}

TEST_F(Settings, KeyWithOnlyLanguageLeavesTheOthersAtZero)
{
    StoreInteger(T_QsvImgFree::LanguageValue, 1);
    T_QsvImgFree engine;
    EXPECT_EQ(engine.ImageTime, 0);
    EXPECT_EQ(engine.ViewType, 0);
    EXPECT_EQ(engine.Language, 1);
}

TEST_F(Settings, AbsentValueLeavesItsFieldAsItWas)
{
    StoreInteger(T_QsvImgFree::ViewTypeValue, 1);
    T_QsvImgFree engine;
    engine.ImageTime = 321;
    engine.Language = 7;
    engine.ViewType = 0;
    engine.LoadSettings();
    EXPECT_EQ(engine.ImageTime, 321);
    EXPECT_EQ(engine.ViewType, 1);
    EXPECT_EQ(engine.Language, 7);
}

TEST_F(Settings, StoredValuesAreTakenUnchecked)
{
    StoreInteger(T_QsvImgFree::ImageTimeValue, 0);
    StoreInteger(T_QsvImgFree::ViewTypeValue, 9);
    StoreInteger(T_QsvImgFree::LanguageValue, -3);
    T_QsvImgFree engine;
    EXPECT_EQ(engine.ImageTime, 0);
    EXPECT_EQ(engine.ViewType, 9);
    EXPECT_EQ(engine.Language, -3);
}

TEST_F(Settings, SaveThenLoadGivesTheSameNumbers)
{
    {
        T_QsvImgFree engine;
        engine.ImageTime = 999;
        engine.ViewType = 1;
        engine.Language = 1;
        engine.SaveSettings();
    }
    T_QsvImgFree engine;
    EXPECT_EQ(engine.ImageTime, 999);
    EXPECT_EQ(engine.ViewType, 1);
    EXPECT_EQ(engine.Language, 1);
}

TEST_F(Settings, SaveWritesThreeIntegersWithoutClamping)
{
    T_QsvImgFree engine;
    engine.ImageTime = -1;
    engine.ViewType = 2147483647;
    engine.Language = 0;
    engine.SaveSettings();

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(Key));
    for (std::string_view name : {T_QsvImgFree::ImageTimeValue, T_QsvImgFree::ViewTypeValue,
                                  T_QsvImgFree::LanguageValue})
        EXPECT_EQ(registry.GetDataType(name), TRegDataType::rdInteger) << name;
    EXPECT_EQ(registry.ReadInteger(T_QsvImgFree::ImageTimeValue), -1);
    EXPECT_EQ(registry.ReadInteger(T_QsvImgFree::ViewTypeValue), 2147483647);
    EXPECT_EQ(registry.ReadInteger(T_QsvImgFree::LanguageValue), 0);
}

TEST_F(Settings, SaveReplacesOldValuesAndKeepsOtherOnes)
{
    StoreInteger(T_QsvImgFree::ImageTimeValue, 30);
    StoreString("Note", "kept");
    T_QsvImgFree engine;
    engine.ImageTime = 60;
    engine.SaveSettings();

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(Key));
    EXPECT_EQ(registry.ReadInteger(T_QsvImgFree::ImageTimeValue), 60);
    EXPECT_EQ(registry.ReadString("Note"), "kept");
}

TEST_F(Settings, ValueOfAnotherTypeRaisesNamingTheValue)
{
    StoreString(T_QsvImgFree::ViewTypeValue, "2");
    try {
        T_QsvImgFree engine;
        FAIL() << "construction did not raise";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Invalid data type for 'View Type'");
    }
}

TEST_F(Settings, UnreadableStoreRaisesAndIsLeftAlone)
{
    std::filesystem::create_directories(std::filesystem::path(FConfig.StoreFile()).parent_path());
    const std::string garbage = "\x01\x02not a registry file\xff\xfe";
    std::ofstream(FConfig.StoreFile(), std::ios::binary) << garbage;
    EXPECT_THROW(T_QsvImgFree{}, ERegistryException);
    EXPECT_EQ(StoreText(), garbage);
}

} // namespace
