// orvanectl: configure the mouse from the command line.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "base/RealEventLoop.h"
#include "base/Version.h"
#include "cli/CliArgs.h"
#include "cli/CommandReport.h"
#include "cli/Session.h"
#include "device/hid/FrameTrace.h"
#include "device/hid/HidrawTransport.h"
#include "device/sim/SimOptions.h"
#include "device/sim/SimTransport.h"
#include "profile/AppPaths.h"
#include "profile/LanguageChoice.h"

using namespace orvane;

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    auto args = cli::parseCliArgs(words);
    // Before a command runs, --json still gets its error document.
    auto usageError = [&words](const std::string& message) {
        if (std::find(words.begin(), words.end(), "--json") != words.end())
            std::cout << cli::errorJson(cli::kExitUsage, message);
        std::cerr << "orvanectl: " << message << "\n";
        return cli::kExitUsage;
    };
    if (!args) return usageError(args.error().context + " (try --help)");
    if (args->version) {
        if (args->json)
            std::cout << "{\n  \"version\": \"" << VersionString() << "\"\n}\n";
        else
            std::cout << "orvanectl " << VersionString() << "\n";
        return cli::kExitOk;
    }
    if (args->help) {
        std::cout << cli::usageText();
        auto folders = ResolveFolders(FolderRequest{args->appDir, args->simulate.has_value()});
        if (folders) std::cout << "\nConfiguration folder in use: " << DescribeConfigFolder(*folders) << "\n";
        return cli::kExitOk;
    }
    std::optional<sim::SimOptions> simOptions;
    if (args->simulate) {
        auto parsed = sim::parseSimOptions(*args->simulate);
        if (!parsed) return usageError("--simulate: " + parsed.error().message() + " (try --help)");
        simOptions = parsed.value();
    }
    RealEventLoop loop;
    cli::Platform platform{
        loop,
        [&loop](const std::function<bool()>& done, int timeoutMs) { return loop.runUntil(done, timeoutMs); },
        [&simOptions]() -> Result<std::unique_ptr<hid::Transport>> {
            if (simOptions) return std::unique_ptr<hid::Transport>(std::make_unique<sim::SimTransport>(*simOptions));
            return std::unique_ptr<hid::Transport>(std::make_unique<hid::HidrawTransport>());
        }};
    platform.environment = ProcessEnvironment();
    cli::Session session(std::move(args.value()), std::move(platform), std::cout, std::cerr);
    return session.run();
}
