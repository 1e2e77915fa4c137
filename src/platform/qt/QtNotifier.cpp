#include "platform/qt/QtNotifier.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string>

#ifdef ORVANE_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#endif

namespace orvane::platform::qt {

namespace {

// Connecting without an address would make libdbus try to launch a bus of its own; a session
// without one simply gets no notifications.
bool sessionBusAdvertised() {
    if (const char* a = std::getenv("DBUS_SESSION_BUS_ADDRESS"); a && *a) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    struct stat st {};
    return ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

#ifdef ORVANE_HAVE_QTDBUS
QString toQString(const Text& t) {
    return QString::fromUtf16(t.data(), qsizetype(t.size()));
}

class DBusNotifier final : public Notifier {
public:
    explicit DBusNotifier(QDBusConnection bus) : bus_(std::move(bus)) {}

    void notify(const Text& summary, const Text& body, Urgency urgency) override {
        QDBusMessage call =
            QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                           "org.freedesktop.Notifications", "Notify");
        QVariantMap hints;
        hints.insert("urgency", QVariant::fromValue<uchar>(urgency == Urgency::Critical ? 2 : 1));
        hints.insert("desktop-entry", QString("orvane"));
        call << QString("Velmira Orvane") << *lastId_ << QString("orvane") << toQString(summary)
             << toQString(body) << QStringList() << hints << int(-1);
        // Asynchronous: a slow or absent notification service never holds the window.
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                         [id = lastId_](QDBusPendingCallWatcher* w) {
                             QDBusPendingReply<uint> reply = *w;
                             if (reply.isValid()) *id = reply.value();
                             w->deleteLater();
                         });
    }

private:
    QDBusConnection bus_;
    // Shared with replies still on their way when we are gone.
    std::shared_ptr<uint> lastId_ = std::make_shared<uint>(0);
};
#endif

}  // namespace

std::unique_ptr<Notifier> createNotifier() {
#ifdef ORVANE_HAVE_QTDBUS
    if (!sessionBusAdvertised()) return nullptr;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return nullptr;
    return std::make_unique<DBusNotifier>(bus);
#else
    (void)sessionBusAdvertised;
    return nullptr;
#endif
}

}  // namespace orvane::platform::qt
