// The program entry: one engine, one branch on the launch mode.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandLineHelp.h"
#include "app/LastChanceHandler.h"
#include "config/FrmConfig.h"
#include "engine/ProviderCall.h"
#include "engine/QsvImgFree.h"
#include "platform/CommandLine.h"
#include "platform/DefaultDisplay.h"
#include "platform/SystemArguments.h"
#include "ui/Application.h"
#include "view/frm_ssView.h"

namespace {

constexpr const char* SaverTitle = "Veltrane";

int RunChangePassword(T_QsvImgFree& engine)
{
    engine.ChangePassword();
    return 0;
}

int RunPreview(T_QsvImgFree& engine)
{
    // Without a display server there is no host window to draw into: nothing to do.
    std::unique_ptr<TDisplay> display = OpenDefaultDisplay();
    if (!display)
        return 0;
    engine.SetDisplay(display.get());
    int exitCode = 0;
    try {
        engine.RunPreview();  // joins its cross-fade worker before it returns, also on error
    } catch (...) {
        // Under the host no one could answer a box: the report goes to standard error alone.
        TLastChanceHandler::WriteReport(std::current_exception());
        exitCode = TLastChanceHandler::ExitCode;
    }
    engine.SetDisplay(nullptr);
    return exitCode;
}

int RunConfigure(T_QsvImgFree&)
{
    // The dialog is a top-level window of its own: the host's window number is not used.
    TApplication application;
    application.CreateForm<TfrmConfig>();
    application.Run();
    return 0;
}

int RunSaver(T_QsvImgFree& engine)
{
    // A second saver started while one runs shows nothing and ends quietly.
    if (!engine.EnsureSingleInstance())
        return 0;
    // The application destroys the view (which joins its cross-fade worker) before it closes
    // the display it opened.
    TApplication application;
    application.SetTitle(SaverTitle);
    application.CreateForm<Tfrm_ssView>();
    // Until the view ends the loop, or the connection to the display is lost.
    application.Run();
    return 0;
}

int RunEntry()
{
    auto engine = std::make_unique<T_QsvImgFree>();
    int exitCode = 0;
    switch (engine->Mode) {
    case TSaverMode::smChangePassword:
        exitCode = RunChangePassword(*engine);
        break;
    case TSaverMode::smPreview:
        exitCode = RunPreview(*engine);
        break;
    case TSaverMode::smConfigure:
        exitCode = RunConfigure(*engine);
        break;
    case TSaverMode::smSaver:
        exitCode = RunSaver(*engine);
        break;
    }
    engine.reset();
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    // The arguments as the system holds them: on Windows the wide command line, so that
    // no character is lost to the ANSI code page that argv is made in.
    std::vector<std::string> arguments = SystemArguments();
    if (arguments.empty())
        arguments.assign(argv, argv + argc);
    // A password provider's child (this program started again by the saver) makes its
    // call and ends: no display, no lock, no settings.
    if (!arguments.empty())
        if (const std::optional<int> code =
                TProviderCall::RunIfAsked(std::vector<std::string>(arguments.begin() + 1, arguments.end())))
            return *code;
    SetCommandLine(std::move(arguments));
    // --help and --version answer on standard output before anything else is opened.
    if (const auto text = CommandLineHelpText(ParamList())) {
        std::fputs(text->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    return TLastChanceHandler::Run(RunEntry);
}
