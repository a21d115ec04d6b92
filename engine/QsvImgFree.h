#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/SaverMode.h"
#include "gfx/Bitmap.h"
#include "gfx/Geometry.h"

class T_DoTransitionThread;
class TSingleInstance;

// The engine every launch mode shares: the settings, the launch mode and target window,
// the frames and the cross-fade state. Every field starts at zero, empty or false and
// construction then fills them in a fixed order.
class T_QsvImgFree {
public:
    static constexpr int ImageCount = 11;
    // Settings key below the current user's root, and its three values.
    static constexpr std::string_view SettingsKey = "Software\\Tessivo\\QM_Veltrane";
    static constexpr std::string_view ImageTimeValue = "Image time view";
    static constexpr std::string_view ViewTypeValue = "View Type";
    static constexpr std::string_view LanguageValue = "Language";
    // The name of the single-instance object of the saver mode.
    static constexpr std::string_view InstanceName = "QM_Veltrane";

    // The poster resource names, indexed 1 to ImageCount.
    class TImageNames {
    public:
        // Raises EListError for an index outside 1 to ImageCount.
        std::string& operator[](int index);
        const std::string& operator[](int index) const;

    private:
        std::array<std::string, ImageCount> FNames;
    };

    // Reads the system folder, parses the process's command line, loads the settings,
    // names the posters, sets the cross-fade constants and creates the three frames.
    // A registry value of the wrong type raises ERegistryException out of here.
    T_QsvImgFree();
    // Releases the frames; a cross-fade worker must have been stopped by the owner.
    ~T_QsvImgFree();
    T_QsvImgFree(const T_QsvImgFree&) = delete;
    T_QsvImgFree& operator=(const T_QsvImgFree&) = delete;

    // The system folder into SystemDir, with a trailing slash when it is not empty.
    void GetSystemDir();
    // Mode and HostWnd from the process's arguments (ParamStr 1 and 2).
    void ParseCommandLine();
    // Mode and HostWnd from the given arguments, the program's name not included.
    void ParseCommandLine(const std::vector<std::string>& arguments);
    // ImageNames[i] = "img" and i as two digits.
    void BuildImageNames();
    // The three settings from the registry; defaults when the key is absent. A value
    // that is absent leaves its field as it is.
    void LoadSettings();
    // Writes the three settings, creating the key; skipped when the key cannot be opened.
    void SaveSettings();
    void SetDefaults();
    // The guard of the saver mode: false when another process holds the single-instance
    // object, and this one must end at once. When the object cannot be created at all the
    // saver runs unguarded (true). Once acquired it stays held while this engine lives.
    bool EnsureSingleInstance();

    // A window number as given on the command line: decimal, or hexadecimal after "0x".
    // Anything else, a negative number or one beyond 32 bits gives 0.
    static std::uint32_t ParseWindowNumber(std::string_view text);

    TSaverMode Mode = TSaverMode::smChangePassword;
    std::uint32_t HostWnd = 0;
    std::string SystemDir;
    std::int32_t ImageTime = 0;
    std::int32_t ViewType = 0;
    std::int32_t Language = 0;
    TImageNames ImageNames;
    std::int32_t CurrentIndex = 0;
    std::unique_ptr<TBitmap> CurrentFrame;
    std::unique_ptr<TBitmap> NextFrame;
    std::unique_ptr<TBitmap> WorkFrame;
    TRect FrameRect;
    std::int32_t FrameWidth = 0;
    std::int32_t FrameHeight = 0;
    std::int32_t FadeStep = 0;
    std::int32_t FadePercent = 0;
    T_DoTransitionThread* FadeWorker = nullptr;  // not owned
    std::int32_t FadeDelay = 0;
    std::atomic<bool> Fading{false};

private:
    std::unique_ptr<TSingleInstance> FInstance;
};
