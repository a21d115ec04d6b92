#include "engine/QsvImgFree.h"

#include "engine/DoTransitionThread.h"

#include <cstdio>
#include <string_view>

#include "platform/AsciiText.h"
#include "platform/CommandLine.h"
#include "platform/Exception.h"
#include "platform/Kernel.h"
#include "platform/NumberText.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"

std::string& T_QsvImgFree::TImageNames::operator[](int index)
{
    if (index < 1 || index > ImageCount)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FNames[static_cast<std::size_t>(index - 1)];
}

const std::string& T_QsvImgFree::TImageNames::operator[](int index) const
{
    if (index < 1 || index > ImageCount)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FNames[static_cast<std::size_t>(index - 1)];
}

T_QsvImgFree::T_QsvImgFree()
{
    GetSystemDir();
    ParseCommandLine();
    LoadSettings();
    BuildImageNames();
    CurrentIndex = 0;
    FadeStep = 5;
    FadePercent = 5;
    FadeDelay = 50;
    Fading = false;
    CurrentFrame = std::make_unique<TBitmap>();
    NextFrame = std::make_unique<TBitmap>();
    WorkFrame = std::make_unique<TBitmap>();
}

T_QsvImgFree::~T_QsvImgFree()
{
    // No engine goes while its worker may still read the frames or present.
    if (FadeWorker)
        FadeWorker->Terminate();
    WaitForTransition();
}

void T_QsvImgFree::GetSystemDir()
{
    SystemDir = GetSystemDirectory();
    if (!SystemDir.empty() && std::string_view(PathSeparators).find(SystemDir.back()) == std::string_view::npos)
        SystemDir += '/';
}

void T_QsvImgFree::ParseCommandLine()
{
    ParseCommandLine(ParamList());
}

void T_QsvImgFree::ParseCommandLine(const std::vector<std::string>& arguments)
{
    Mode = TSaverMode::smSaver;
    HostWnd = 0;
    if (arguments.empty())
        return;

    std::string left = LowerCaseAscii(arguments[0]);
    if (left.size() > 1 && left[0] == '/')
        left.erase(0, 1);
    if (left.size() > 1 && left[0] == '-')
        left.erase(0, 1);

    switch (left.empty() ? '\0' : left[0]) {
    case 'a':
        Mode = TSaverMode::smChangePassword;
        break;
    case 'c':
        Mode = TSaverMode::smConfigure;
        break;
    case 'l':
    case 'p':
        Mode = TSaverMode::smPreview;
        break;
    default:
        Mode = TSaverMode::smSaver;
        break;
    }

    std::string number;
    if (left.size() >= 3 && left[1] == ':')
        number = left.substr(2);
    else if (arguments.size() > 1)
        number = arguments[1];
    else
        number = left;
    HostWnd = ParseWindowNumber(number);
}

std::uint32_t T_QsvImgFree::ParseWindowNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    return ParseNumber<std::uint32_t>(text, base).value_or(0);
}

void T_QsvImgFree::BuildImageNames()
{
    for (int i = 1; i <= ImageCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "img%02d", i);
        ImageNames[i] = name;
    }
}

void T_QsvImgFree::LoadSettings()
{
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(SettingsKey)) {
        SetDefaults();
        return;
    }
    if (registry.ValueExists(ImageTimeValue))
        ImageTime = registry.ReadInteger(ImageTimeValue);
    if (registry.ValueExists(ViewTypeValue))
        ViewType = registry.ReadInteger(ViewTypeValue);
    if (registry.ValueExists(LanguageValue))
        Language = registry.ReadInteger(LanguageValue);
    registry.CloseKey();
}

void T_QsvImgFree::SaveSettings()
{
    TRegistry registry;
    if (!registry.OpenKey(SettingsKey, true))
        return;
    registry.WriteInteger(ImageTimeValue, ImageTime);
    registry.WriteInteger(ViewTypeValue, ViewType);
    registry.WriteInteger(LanguageValue, Language);
    registry.CloseKey();
}

void T_QsvImgFree::SetDefaults()
{
    ImageTime = 10;
    ViewType = 2;
    Language = 0;
}

bool T_QsvImgFree::EnsureSingleInstance()
{
    if (FInstance)
        return true;
    auto instance = std::make_unique<TSingleInstance>(InstanceName);
    switch (instance->State()) {
    case TInstanceState::isAcquired:
        FInstance = std::move(instance);
        return true;
    case TInstanceState::isAlreadyExists:
        return false;
    case TInstanceState::isFailed:
        break;
    }
    return true;  // no guard could be made: the saver runs without it
}
