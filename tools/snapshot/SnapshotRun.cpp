#include "SnapshotRun.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "PngWriter.h"
#include "ScreenGrab.h"
#include "ScopedEnvironment.h"
#include "TempFolder.h"
#include "XConnection.h"
#include "XTestInput.h"
#include "config/FrmConfig.h"
#include "platform/ChildProcess.h"
#include "platform/Registry.h"
#include "platform/memory/MemoryDisplay.h"
#include "ui/Application.h"
#include "widgets/GradPageControl.h"

// Xlib last: its macros must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

constexpr const char* SettingsKey = "Software\\Tessivo\\QM_Veltrane";
// Seconds a poster stands in the saver's run: short, so that one change comes soon.
constexpr int PosterSeconds = 2;
constexpr auto GrabPause = 40ms;

// Fresh settings, runtime and system folders for one run of the program.
class TPrivateFolders {
public:
    TTempFolder FConfig{"veltrane-snapshot-config"};
    TTempFolder FRuntime{"veltrane-snapshot-runtime"};
    TTempFolder FSystem{"veltrane-snapshot-system"};
    TScopedEnvironment FConfigEnv{"XDG_CONFIG_HOME", FConfig.Path()};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
    TScopedEnvironment FSystemEnv{"VELTRANE_SYSTEM_DIR", FSystem.Path()};
};

// Grabs the rectangle until two grabs a moment apart agree and accept says yes to the
// picture; nothing when the time is up first.
template <class F>
std::optional<TBitmap> Settled(Display* x, int left, int top, int width, int height, F accept,
                               std::chrono::milliseconds within)
{
    const auto deadline = TClock::now() + within;
    TBitmap last;
    while (TClock::now() < deadline) {
        TBitmap now = GrabScreen(x, left, top, width, height);
        if (SamePicture(now, last) && accept(now))
            return now;
        last = std::move(now);
        std::this_thread::sleep_for(GrabPause);
    }
    return std::nullopt;
}

// Ends a program that a key or Escape closes: waits for it, kills it when it stays.
void EndProgram(TChildProcess& child, TXTestInput& input, unsigned long keySym)
{
    input.Tap(keySym);
    std::string ignored;
    if (child.Read(ignored, TClock::now() + 5s, 4096) != TChildReadEnd::creEnded)
        child.Kill();
    child.Reap();
}

// The top-level window titled "Veltrane", once it is mapped: origin and size.
std::optional<std::pair<TPoint, TPoint>> FindDialog(Display* x, std::chrono::milliseconds within)
{
    const auto deadline = TClock::now() + within;
    while (TClock::now() < deadline) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        std::optional<std::pair<TPoint, TPoint>> found;
        if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                XWindowAttributes attributes;
                char* name = nullptr;
                if (!XGetWindowAttributes(x, children[i], &attributes) || attributes.map_state != IsViewable ||
                    !XFetchName(x, children[i], &name) || !name)
                    continue;
                if (std::string(name) == "Veltrane") {
                    int left = 0, top = 0;
                    Window child = 0;
                    XTranslateCoordinates(x, children[i], DefaultRootWindow(x), 0, 0, &left, &top, &child);
                    found = std::make_pair(TPoint{left, top}, TPoint{attributes.width, attributes.height});
                }
                XFree(name);
            }
            if (children)
                XFree(children);
        }
        if (found)
            return found;
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

} // namespace

TSnapshotRun::TSnapshotRun(std::string program, std::string folder)
    : FProgram(std::move(program)), FFolder(std::move(folder))
{
}

std::vector<std::string> TSnapshotRun::Run()
{
    std::filesystem::create_directories(FFolder);
    FFiles.clear();
    Saver();
    Dialog();
    return FFiles;
}

void TSnapshotRun::Write(const TBitmap& picture, const std::string& name)
{
    const std::string path = (std::filesystem::path(FFolder) / name).string();
    WritePngFile(picture, path);
    FFiles.push_back(path);
}

void TSnapshotRun::Saver()
{
    TXConnection connection("");  // $DISPLAY
    Display* x = connection.Get();
    const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
    TXTestInput input(DisplayString(x));
    TPrivateFolders folders;
    {
        TRegistry registry;
        if (!registry.OpenKey(SettingsKey, true))
            throw std::runtime_error("cannot write the saver's settings");
        registry.WriteInteger("Image time view", PosterSeconds);
    }
    TChildProcess saver = TChildProcess::Spawn({FProgram, "/s"});
    if (!saver.Started())
        throw std::runtime_error("cannot start " + FProgram);

    const auto shown = [&](const TBitmap& picture) {
        return (picture.GetPixel(width / 2, height / 2) & 0xFFFFFF) != 0;
    };
    const std::optional<TBitmap> first = Settled(x, 0, 0, width, height, shown, 20s);
    if (!first)
        throw std::runtime_error("the saver showed no poster");
    // The cross-fade: every picture from the first that differs until the screen settles,
    // that is stays the same for half a second (one step of a fade slowed by a busy
    // machine may stand longer than a grab's pause).
    std::vector<TBitmap> fade;
    const auto deadline = TClock::now() + std::chrono::seconds(PosterSeconds + 10);
    auto changed = TClock::now();
    while (TClock::now() < deadline) {
        TBitmap now = GrabScreen(x, 0, 0, width, height);
        if (!fade.empty() && SamePicture(now, fade.back())) {
            if (TClock::now() - changed >= 500ms)
                break;
        } else if (!fade.empty() || !SamePicture(now, *first)) {
            fade.push_back(std::move(now));
            changed = TClock::now();
        }
        std::this_thread::sleep_for(fade.empty() ? 100ms : GrabPause);
    }
    EndProgram(saver, input, XK_space);
    if (fade.size() < 2)
        throw std::runtime_error("the saver did not change its poster");
    Write(*first, "saver-1-poster.png");
    Write(fade[(fade.size() - 1) / 2], "saver-2-cross-fade.png");
    Write(fade.back(), "saver-3-next-poster.png");
}

void TSnapshotRun::Dialog()
{
    // Where the tabs lie: the same dialog built here on a memory display.
    std::vector<TPoint> tabs;
    {
        TMemoryDisplay display(1024, 768);
        TApplication application(display);
        application.SetOnException([](TObject*, const std::exception&) {});
        TfrmConfig& form = application.CreateForm<TfrmConfig>();
        const TPoint origin = form.pgcOp->FormOrigin();
        for (int i = 0; i < 3; ++i) {
            const TRect tab = form.pgcOp->TabRect(i);
            tabs.push_back(TPoint{origin.X + tab.Left + tab.Width() / 2, origin.Y + tab.Top + tab.Height() / 2});
        }
    }
    TXConnection connection("");  // $DISPLAY
    Display* x = connection.Get();
    TXTestInput input(DisplayString(x));
    const auto park = [&] { input.MoveTo(DisplayWidth(x, DefaultScreen(x)) - 2, DisplayHeight(x, DefaultScreen(x)) - 2); };
    park();
    TPrivateFolders folders;
    TChildProcess dialog = TChildProcess::Spawn({FProgram, "/c"});
    if (!dialog.Started())
        throw std::runtime_error("cannot start " + FProgram);
    const auto window = FindDialog(x, 20s);
    if (!window) {
        dialog.Kill();
        dialog.Reap();
        throw std::runtime_error("the dialog did not appear");
    }
    const auto [origin, size] = *window;
    TBitmap previous;
    for (int page = 0; page < 3; ++page) {
        if (page > 0) {
            input.MoveTo(origin.X + tabs[page].X, origin.Y + tabs[page].Y);
            input.Click();
            park();
        }
        const auto turned = [&](const TBitmap& picture) { return page == 0 || !SamePicture(picture, previous); };
        const std::optional<TBitmap> shot = Settled(x, origin.X, origin.Y, size.X, size.Y, turned, 10s);
        if (!shot) {
            dialog.Kill();
            dialog.Reap();
            throw std::runtime_error("the dialog did not show page " + std::to_string(page + 1));
        }
        Write(*shot, "dialog-page" + std::to_string(page + 1) + ".png");
        previous = *shot;
    }
    input.MoveTo(origin.X + 10, origin.Y + 10);
    EndProgram(dialog, input, XK_Escape);
}
