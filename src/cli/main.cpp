// orvanectl: configure the mouse from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "base/RealEventLoop.h"
#include "cli/CliArgs.h"
#include "cli/Session.h"
#include "device/hid/FrameTrace.h"
#include "device/hid/HidrawTransport.h"
#include "device/sim/SimOptions.h"
#include "device/sim/SimTransport.h"
#include "profile/AppPaths.h"

using namespace orvane;

int main(int argc, char** argv) {
    auto args = cli::parseCliArgs(std::vector<std::string>(argv + 1, argv + argc));
    if (!args) {
        std::cerr << "orvanectl: " << args.error().context << " (try --help)\n";
        return cli::kExitUsage;
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
        if (!parsed) {
            std::cerr << "orvanectl: --simulate: " << parsed.error().message() << "\n";
            return cli::kExitUsage;
        }
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
    cli::Session session(std::move(args.value()), std::move(platform), std::cout, std::cerr);
    return session.run();
}
