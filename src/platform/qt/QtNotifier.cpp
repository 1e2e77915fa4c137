#include "platform/qt/QtNotifier.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <optional>
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
        QVariantMap hints;
        hints.insert("urgency", QVariant::fromValue<uchar>(urgency == Urgency::Critical ? 2 : 1));
        hints.insert("desktop-entry", QString("orvane"));
        send(summary, body, hints, -1, messages_);
    }

    void hint(const Text& summary, const Text& body) override {
        QVariantMap hints;
        hints.insert("urgency", QVariant::fromValue<uchar>(0));
        hints.insert("desktop-entry", QString("orvane"));
        // Kept out of the notification history, and stacked in place by the services that
        // replace by tag rather than by id.
        hints.insert("transient", true);
        hints.insert("x-canonical-private-synchronous", QString(kHintTag));
        hints.insert("x-dunst-stack-tag", QString(kHintTag));
        send(summary, body, hints, kHintTimeoutMs, hints_);
    }

private:
    static constexpr const char* kHintTag = "orvane-dpi";
    static constexpr int kHintTimeoutMs = 1500;

    // One notification that later ones replace: its id once the service has told it, and the
    // newest message waiting for that answer (sent without the id it would pile up instead).
    struct Slot {
        uint id = 0;
        bool waiting = false;
        std::optional<QDBusMessage> next;
    };

    void send(const Text& summary, const Text& body, const QVariantMap& hints, int timeoutMs,
              const std::shared_ptr<Slot>& slot) {
        QDBusMessage call =
            QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                           "org.freedesktop.Notifications", "Notify");
        call << QString("Velmira Orvane") << uint(0) << QString("orvane") << toQString(summary)
             << toQString(body) << QStringList() << hints << int(timeoutMs);
        if (slot->waiting) {
            slot->next = std::move(call);  // only the newest matters
            return;
        }
        dispatch(bus_, std::move(call), slot);
    }

    // Asynchronous: a slow or absent notification service never holds the window.
    static void dispatch(QDBusConnection bus, QDBusMessage call, const std::shared_ptr<Slot>& slot) {
        QList<QVariant> args = call.arguments();
        args[1] = QVariant::fromValue<uint>(slot->id);
        call.setArguments(args);
        slot->waiting = true;
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [bus, slot](QDBusPendingCallWatcher* w) {
            QDBusPendingReply<uint> reply = *w;
            if (reply.isValid()) slot->id = reply.value();
            slot->waiting = false;
            w->deleteLater();
            if (slot->next) {
                QDBusMessage next = std::move(*slot->next);
                slot->next.reset();
                dispatch(bus, std::move(next), slot);
            }
        });
    }

    QDBusConnection bus_;
    // Shared with replies still on their way when we are gone. The hints have their own: a DPI
    // change must not replace a battery warning.
    std::shared_ptr<Slot> messages_ = std::make_shared<Slot>();
    std::shared_ptr<Slot> hints_ = std::make_shared<Slot>();
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
