#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PosterCache.h"
#include "engine/SaverMode.h"
#include "gfx/Bitmap.h"
#include "gfx/Geometry.h"

class T_DoTransitionThread;
class TDisplay;
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
    // Stops and joins a cross-fade worker that still runs, then releases the frames.
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

    // --- the display --------------------------------------------------------------
    // The display the frames are presented on and the preview waits on; not owned. It
    // must outlive every worker (the destructor and RunPreview join theirs). Without
    // one nothing is presented and the preview ends at once.
    void SetDisplay(TDisplay* display) { FDisplay = display; }
    TDisplay* Display() const { return FDisplay; }

    // --- frames -------------------------------------------------------------------
    // Binds the engine to a window: HostWnd, the frame size from the window's client
    // rectangle (0 x 0 when it does not exist) and a black WorkFrame of that size. A window
    // whose frames would not fit (FramesFit) raises EOutOfResources and changes nothing.
    void AttachWindow(std::uint32_t window);
    // The ceilings of the frames: a side of at most MaxFrameSide pixels, and the three
    // frames of 32 bits a pixel together within MaxFrameBytes.
    static constexpr int MaxFrameSide = 16384;
    static constexpr std::uint64_t MaxFrameBytes = 1ull << 30;
    static bool FramesFit(int width, int height);
    // Composes CurrentFrame from poster current and NextFrame from poster next (1 to 11;
    // anything else stands for poster 1), placed by ViewType, stamped with the watermark
    // in the saver mode, both 32 bits a pixel afterwards. A missing poster raises
    // EResNotFound, one that cannot be decoded EInvalidGraphic. Main thread, not fading.
    // When current is the poster the last call composed as next, with the same view type,
    // mode and size, that frame becomes CurrentFrame as it is (the same pixels).
    void PrepareFrames(int current, int next);
    // The next poster in the sequence: composes (CurrentIndex + 1, the one after it),
    // wrapping after 11, and makes the first of them CurrentIndex.
    void AdvanceImage();
    // Copy CurrentFrame or WorkFrame onto HostWnd's client origin; nothing when there is
    // no display or window. ShowWorkFrame is called from the cross-fade worker.
    void ShowCurrentFrame();
    void ShowWorkFrame();
    // The maker's address, grey at (5, 7) and yellow at (7, 5), 18 points, transparent.
    void DrawWatermark(TBitmap& frame);
    // Where a poster of width x height lands on a frame for a view type (0 original,
    // 1 proportional, 2 fit); nothing for another view type, which places nothing.
    static std::optional<TRect> PosterRect(int viewType, int width, int height, int frameWidth, int frameHeight);

    // --- cross-fade ---------------------------------------------------------------
    // Starts a worker for the current pair of frames. Fading is raised before the worker
    // runs, so the main thread cannot recompose the frames under it. Does nothing while a
    // worker still fades; a worker that has dropped Fading is joined first. An exception
    // that ended the previous worker is raised here instead, and the fade does not start.
    void StartTransition();
    // Asks a running worker to stop after the step in hand; does not wait.
    void StopTransition();
    // Waits until the worker, if any, has ended (stopped or done) and joins it.
    void WaitForTransition();
    // Blends next into work: each of the blue, green and red bytes becomes
    // w + floor(a * (x - w) / 256) with a = MulDiv(256, percent, 100); the fourth byte is
    // kept. Both frames must be 32 bits a pixel; only the pixels both hold are blended.
    static void BlendFrames(TBitmap& work, const TBitmap& next, int percent);
    // Called by the worker once the fade is over: wakes a preview waiting for events.
    void NotifyTransitionDone();

    // --- preview ------------------------------------------------------------------
    // The slideshow inside the host's window HostWnd until that window is hidden or gone;
    // it waits on the display's events between posters. Joins its worker before returning.
    void RunPreview();

    // --- passwords ----------------------------------------------------------------
    // True when the saver may close: no password is in use, no provider is installed, or
    // the provider accepted it. The provider is loaded, asked and unloaded in a child
    // process (TProviderCall); a crash, a hang beyond PasswordTimeout() or no answer is a
    // refusal. A "ScreenSaveUsePassword" value that is not an integer
    // raises ERegistryException.
    bool VerifyPassword(std::uint32_t window);
    // The provider's password-change dialog with HostWnd as its parent, in a child process
    // as well; nothing when the provider or its entry point is missing.
    void ChangePassword();
    // How long a verification may take before it counts as refused (milliseconds).
    static constexpr std::uint32_t DefaultPasswordTimeout = 120000;
    std::uint32_t PasswordTimeout() const { return FPasswordTimeout; }
    void SetPasswordTimeout(std::uint32_t milliseconds) { FPasswordTimeout = milliseconds; }

    // The decoded posters kept between changes.
    TPosterCache& Posters() { return FPosters; }

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
    std::unique_ptr<T_DoTransitionThread> FadeWorker;  // the last worker started
    std::int32_t FadeDelay = 0;
    std::atomic<bool> Fading{false};

private:
    std::shared_ptr<const TBitmap> LoadPoster(int index);
    void PlacePoster(TBitmap& frame, const TBitmap& poster) const;
    void ComposeFrame(TBitmap& frame, const TBitmap& poster);
    void Present(const TBitmap& frame);
    // Handles the display's events for up to timeoutMs; false once HostWnd is gone or
    // the display is lost.
    bool PumpPreviewEvents(std::uint32_t timeoutMs);

    std::unique_ptr<TSingleInstance> FInstance;
    TDisplay* FDisplay = nullptr;
    TPosterCache FPosters;
    std::uint32_t FPasswordTimeout = DefaultPasswordTimeout;
    bool FWorkShown = false;  // the preview's window shows WorkFrame (after a fade)

    // What NextFrame was composed from. A change of poster composes the new current frame
    // from the poster that was the next one: when nothing else changed, that frame is
    // taken over instead of being composed again.
    struct TComposition {
        std::string Name;  // the poster's resource name
        int ViewType = 0;
        TSaverMode Mode = TSaverMode::smSaver;
        int Width = 0;
        int Height = 0;
        bool Palette = false;
        friend bool operator==(const TComposition&, const TComposition&) = default;
    };
    std::optional<TComposition> FNextComposition;
    bool PaletteDisplay() const;
};
