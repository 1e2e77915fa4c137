// Prints what the desktop's focus watcher reports, one line each, for the end-to-end tests:
//
//   orvane-focus-trace watch SECONDS   "available"/"unavailable", then "focus NAME\tCLASS\tEXE"
//                                      at every change, until SECONDS pass or stdin closes
//   orvane-focus-trace list            "available"/"unavailable", then
//                                      "program NAME\tCLASS\tEXE\tTITLE\tICON" (ICON: WxH or -)
//   orvane-focus-trace window TITLE    shows a window with that title and a 16 and a 40 px icon
//                                      until closed, for a client that names its process
#include <unistd.h>

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QRasterWindow>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "platform/qt/QtFocusWatcher.h"

namespace {

using orvane::toUtf8;

void line(const std::string& text) {
    std::fputs((text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string describe(const orvane::platform::ProgramIdentity& id) {
    return toUtf8(id.name) + "\t" + toUtf8(id.windowClass) + "\t" + toUtf8(id.executable);
}

}  // namespace

int main(int argc, char** argv) {
    const bool list = argc >= 2 && std::strcmp(argv[1], "list") == 0;
    const bool watch = argc >= 3 && std::strcmp(argv[1], "watch") == 0;
    const bool window = argc >= 3 && std::strcmp(argv[1], "window") == 0;
    if (!list && !watch && !window) {
        std::fputs("usage: orvane-focus-trace watch SECONDS | list | window TITLE\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    if (window) {
        QIcon icon;
        for (int side : {16, 40}) {
            QPixmap picture(side, side);
            picture.fill(Qt::blue);
            icon.addPixmap(picture);
        }
        QGuiApplication::setWindowIcon(icon);
        QRasterWindow w;
        w.setTitle(QString::fromLocal8Bit(argv[2]));
        w.resize(200, 120);
        w.show();
        return app.exec();
    }
    auto watcher = orvane::platform::qt::createFocusWatcher();
    line(watcher->available() ? "available" : "unavailable");
    if (list) {
        for (const auto& p : watcher->runningPrograms()) {
            const std::string icon = p.icon.isNull() ? "-" : std::to_string(p.icon.width()) + "x" + std::to_string(p.icon.height());
            line("program " + describe(p.id) + "\t" + toUtf8(p.title) + "\t" + icon);
        }
        return 0;
    }
    watcher->watch([](const orvane::platform::ProgramIdentity& id) { line("focus " + describe(id)); });
    QTimer::singleShot(std::atoi(argv[2]) * 1000, &app, &QCoreApplication::quit);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
    });
    return app.exec();
}
