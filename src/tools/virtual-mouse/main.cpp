// orvane-virtual-mouse: the virtual mouse as real kernel HID devices, through /dev/uhid.
// Applications (Orvane itself included) see a wired mouse and a receiver on hidraw nodes.
// Commands on standard input unplug, re-plug, put to sleep or press the mouse's buttons.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Commands.h"
#include "VirtualMouse.h"
#include "base/Version.h"

using orvane::Error;
using orvane::hid::DeviceRole;
namespace vmouse = orvane::vmouse;

namespace {

constexpr const char* kUsage =
    "usage: orvane-virtual-mouse [options]\n"
    "       orvane-virtual-mouse --help | --version\n"
    "The options are those of --simulate in orvane and orvanectl, each written as --NAME[=VALUE]:\n"
    "  --sensor=ID        sensor ID (0x3325, 0x3327, 0x3335, 0x3360, 0x3370) or its code\n"
    "  --battery=N        battery level in percent\n"
    "  --charging         the mouse is charging (--charged: charged on the cable)\n"
    "  --mac=ID           24-bit Mac_ID of the mouse (--mac-id is taken too)\n"
    "  --asleep           the mouse sleeps: the receiver reports it offline\n"
    "  --datachange=N     the macro counter the mouse holds\n"
    "  --wired-only, --receiver-only, --combined-input\n"
    "  --uhid=PATH        the uhid device node (default /dev/uhid)\n"
    "Reads commands from standard input, one per line:\n";

struct Arguments {
    std::string simOptions;
    std::string uhidNode = "/dev/uhid";
};

enum class Parsed { Run, Help, Version, Bad };

// Long options become the comma-separated list the in-process simulation understands.
Parsed parseArguments(int argc, char** argv, Arguments& out) {
    std::vector<std::string> items;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return Parsed::Help;
        if (arg == "--version") return Parsed::Version;
        if (arg.rfind("--", 0) != 0) {
            std::fprintf(stderr, "orvane-virtual-mouse: unexpected argument '%s'\n", arg.c_str());
            return Parsed::Bad;
        }
        arg.erase(0, 2);
        const size_t eq = arg.find('=');
        std::string key = arg.substr(0, eq);
        const bool valued = key == "sensor" || key == "battery" || key == "mac-id" || key == "mac" ||
                            key == "datachange" || key == "uhid";
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else if (valued && i + 1 < argc) {
            value = argv[++i];
        } else if (valued) {
            std::fprintf(stderr, "orvane-virtual-mouse: --%s needs a value\n", key.c_str());
            return Parsed::Bad;
        }
        if (key == "uhid") {
            out.uhidNode = value;
            continue;
        }
        if (key == "mac-id") key = "mac";
        items.push_back(valued ? key + "=" + value : key);
    }
    for (const std::string& item : items) out.simOptions += (out.simOptions.empty() ? "" : ",") + item;
    return Parsed::Run;
}

std::string hint(const Error& e) {
    if (e.isPermission()) return " (run as root, or give your user read and write access to /dev/uhid)";
    if (e.code == ENOENT) return " (load the uhid module: modprobe uhid)";
    return "";
}

void reply(const char* prefix, const std::string& text) {
    std::printf("%s%s\n", prefix, text.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    switch (parseArguments(argc, argv, args)) {
    case Parsed::Help:
        std::printf("%s%s\n", kUsage, vmouse::kCommandHelp);
        return 0;
    case Parsed::Version:
        std::printf("orvane-virtual-mouse %s\n", orvane::VersionString());
        return 0;
    case Parsed::Bad:
        std::fprintf(stderr, "%s%s\n", kUsage, vmouse::kCommandHelp);
        return 2;
    case Parsed::Run:
        break;
    }
    auto options = orvane::sim::parseSimOptions(args.simOptions);
    if (!options) {
        std::fprintf(stderr, "orvane-virtual-mouse: %s\n", options.error().message().c_str());
        return 2;
    }

    // A reader of our replies that went away must not take the devices down with it.
    signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::perror("orvane-virtual-mouse: signalfd");
        return 1;
    }

    vmouse::VirtualMouse mouse(*options, args.uhidNode);
    if (auto s = mouse.start(); !s) {
        std::fprintf(stderr, "orvane-virtual-mouse: %s%s\n", s.error().message().c_str(),
                     hint(s.error()).c_str());
        return 1;
    }
    auto status = mouse.execute({vmouse::Command::Kind::Status});
    reply("ready: ", status ? *status : std::string());

    bool readCommands = true;
    std::string pending;
    for (;;) {
        std::vector<pollfd> fds = {{signalFd, POLLIN, 0},
                                   {readCommands ? STDIN_FILENO : -1, POLLIN, 0},
                                   {mouse.fd(DeviceRole::Wired), POLLIN, 0},
                                   {mouse.fd(DeviceRole::Receiver), POLLIN, 0}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            std::perror("orvane-virtual-mouse: poll");
            return 1;
        }
        if (fds[0].revents) return 0;  // the destructors unplug both devices
        for (size_t i = 2; i < 4; ++i) {
            if (!fds[i].revents || fds[i].fd < 0) continue;
            const DeviceRole device = i == 2 ? DeviceRole::Wired : DeviceRole::Receiver;
            if (auto s = mouse.serve(device); !s) reply("error: ", s.error().message());
        }
        if (fds[1].revents) {
            char buf[512];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                readCommands = false;  // keep serving until a signal ends us
                continue;
            }
            pending.append(buf, static_cast<size_t>(n));
            size_t nl;
            while ((nl = pending.find('\n')) != std::string::npos) {
                const std::string line = pending.substr(0, nl);
                pending.erase(0, nl + 1);
                auto command = vmouse::parseCommand(line);
                if (!command) {
                    reply("error: ", command.error().context);
                    continue;
                }
                if (command->kind == vmouse::Command::Kind::Quit) return 0;
                if (command->kind == vmouse::Command::Kind::None) continue;
                auto result = mouse.execute(*command);
                if (result)
                    reply("ok: ", *result);
                else
                    reply("error: ", result.error().message() + hint(result.error()));
            }
        }
    }
}
