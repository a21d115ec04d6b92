#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/FrmConfig.h"
#include "lang/LanguageManager.h"
#include "platform/Registry.h"
#include "platform/memory/MemoryDisplay.h"
#include "support/PrivateEnvironment.h"
#include "ui/Application.h"

// The dialog on a memory display, created as the program creates it, from a settings store
// and private folders of the test's own. Errors that reach the framework's default handler
// are kept in Errors.
class TDialogFixture : public ::testing::Test {
protected:
    static constexpr const char* SettingsKey = "Software\\Tessivo\\QM_Veltrane";

    void Store(const char* name, std::int32_t value)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SettingsKey, true));
        registry.WriteInteger(name, value);
    }
    std::optional<std::int32_t> Stored(const char* name)
    {
        TRegistry registry;
        if (!registry.OpenKeyReadOnly(SettingsKey) || !registry.ValueExists(name))
            return std::nullopt;
        return registry.ReadInteger(name);
    }

    TfrmConfig& Open()
    {
        FApplication = std::make_unique<TApplication>(FDisplay);
        FApplication->SetOnException([this](TObject*, const std::exception& e) { Errors.push_back(e.what()); });
        return FApplication->CreateForm<TfrmConfig>();
    }
    void TearDown() override
    {
        FApplication.reset();
        // The language manager outlives the dialog: leave it on the default language.
        LangManager().SelectLanguageIndex(0);
    }

    TPrivateEnvironment FEnvironment;
    TMemoryDisplay FDisplay{1024, 768};
    std::unique_ptr<TApplication> FApplication;
    std::vector<std::string> Errors;
};
