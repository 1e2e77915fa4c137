#include "platform/qt/XcbFocusWatcher.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/qt/WindowFacts.h"

namespace orvane::platform::qt {

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeReply>;

// Icons as the programs dialog shows them; the picture nearest above this is taken.
constexpr int32_t kIconSize = 32;
// Enough for a program's whole set of icon sizes (in 32-bit units); titles need far less.
constexpr uint32_t kIconLength = 1u << 20;
constexpr uint32_t kTextLength = 4096;
// How long focus must stay nowhere before that is reported.
constexpr int kNoneSettleMs = 150;

}  // namespace

struct XcbFocusWatcher::Impl {
    xcb_connection_t* c = nullptr;
    xcb_window_t root = XCB_NONE;
    std::string hostName;
    xcb_atom_t activeWindow = XCB_NONE, supported = XCB_NONE, supportingCheck = XCB_NONE, pid = XCB_NONE,
               clientList = XCB_NONE, wmName = XCB_NONE, wmIcon = XCB_NONE, utf8 = XCB_NONE;
    bool supportsActive = false;
    // Timers aimed at this watcher die with it.
    std::unique_ptr<QObject> guard = std::make_unique<QObject>();
    std::unique_ptr<QSocketNotifier> notifier;
    QTimer noneTimer;
    std::function<void(const ProgramIdentity&)> onFocus;
    ProgramIdentity lastFocus;
    bool reported = false;

    bool connected() const { return c && !xcb_connection_has_error(c); }

    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : XCB_NONE;
        std::free(r);
        return a;
    }

    xcb_get_property_cookie_t ask(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, uint32_t length) {
        return xcb_get_property(c, 0, w, property, type, 0, length);
    }
    PropertyReply take(xcb_get_property_cookie_t cookie) { return PropertyReply(xcb_get_property_reply(c, cookie, nullptr)); }

    static std::vector<uint32_t> values32(const PropertyReply& r) {
        if (!r || r->format != 32) return {};
        const int length = xcb_get_property_value_length(r.get());
        std::vector<uint32_t> values(length > 0 ? size_t(length) / 4 : 0);
        if (!values.empty()) std::memcpy(values.data(), xcb_get_property_value(r.get()), values.size() * 4);
        return values;
    }
    static std::string bytes(const PropertyReply& r) {
        if (!r || r->format != 8) return {};
        return std::string(static_cast<const char*>(xcb_get_property_value(r.get())), size_t(xcb_get_property_value_length(r.get())));
    }

    // A window manager is there and tells which window has focus.
    void checkSupport() {
        supportsActive = false;
        if (!connected()) return;
        auto checkCookie = ask(root, supportingCheck, XCB_ATOM_WINDOW, 1);
        auto supportedCookie = ask(root, supported, XCB_ATOM_ATOM, 4096);
        const auto check = values32(take(checkCookie));
        const auto atoms = values32(take(supportedCookie));
        if (check.empty() || check[0] == XCB_NONE) return;
        for (uint32_t a : atoms)
            if (a == activeWindow) supportsActive = true;
    }

    xcb_window_t focusedWindow() {
        const auto v = values32(take(ask(root, activeWindow, XCB_ATOM_WINDOW, 1)));
        return v.empty() ? XCB_NONE : v[0];
    }

    // The identity, title and icon of one client window.
    RunningProgram describe(xcb_window_t w, bool withLooks) {
        auto pidCookie = ask(w, pid, XCB_ATOM_CARDINAL, 1);
        auto classCookie = ask(w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, kTextLength);
        auto machineCookie = ask(w, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, kTextLength);
        xcb_get_property_cookie_t nameCookie{}, oldNameCookie{}, iconCookie{};
        if (withLooks) {
            nameCookie = ask(w, wmName, utf8, kTextLength);
            oldNameCookie = ask(w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, kTextLength);
            iconCookie = ask(w, wmIcon, XCB_ATOM_CARDINAL, kIconLength);
        }
        const auto pids = values32(take(pidCookie));
        const std::string windowClass = classFromWmClass(bytes(take(classCookie)));
        const std::string machine = bytes(take(machineCookie));
        // A process number is only meaningful on the machine the client runs on.
        const bool local = machine.empty() || std::string_view(machine.c_str()) == hostName;
        const std::string exe = local && !pids.empty() ? executableOfProcess("/proc", pids[0]) : std::string();
        RunningProgram p;
        p.id = identityOf(exe, windowClass);
        if (withLooks) {
            std::string title = bytes(take(nameCookie));
            const std::string oldTitle = bytes(take(oldNameCookie));
            if (title.empty()) title = oldTitle;
            p.title = fromUtf8(title);
            const auto icon = values32(take(iconCookie));
            p.icon = iconFromNetWmIcon(icon.data(), icon.size(), kIconSize);
        }
        return p;
    }

    void reportFocus() {
        if (!onFocus) return;
        const xcb_window_t w = focusedWindow();
        // Window managers pass focus through "none" on the way from one window to the next:
        // that is said only once it lasts.
        if (w == XCB_NONE && reported && !lastFocus.empty()) {
            noneTimer.start();
            return;
        }
        noneTimer.stop();
        report(w == XCB_NONE ? ProgramIdentity{} : describe(w, false).id);
    }

    void report(const ProgramIdentity& id) {
        if (reported && sameProgram(id, lastFocus)) return;
        reported = true;
        lastFocus = id;
        auto listener = onFocus;  // the listener may replace itself
        listener(id);
    }

    void handle(xcb_generic_event_t* e) {
        if ((e->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return;
        const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
        if (p->window != root) return;
        if (p->atom == supported || p->atom == supportingCheck) checkSupport();
        if (p->atom == activeWindow || p->atom == supportingCheck) reportFocus();
    }

    void readEvents() {
        if (!connected()) {
            if (notifier) notifier->setEnabled(false);
            return;
        }
        // Handling an event asks the server again, which may queue further events: the loop
        // takes those too, so none waits for the socket to become readable again.
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            handle(e);
            std::free(e);
        }
    }
};

XcbFocusWatcher::XcbFocusWatcher(const char* displayName) : d_(std::make_unique<Impl>()) {
    int screenNumber = 0;
    d_->c = xcb_connect(displayName, &screenNumber);
    if (!d_->connected()) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(d_->c));
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    if (!it.rem) return;
    d_->root = it.data->root;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) d_->hostName = host;
    d_->activeWindow = d_->atom("_NET_ACTIVE_WINDOW");
    d_->supported = d_->atom("_NET_SUPPORTED");
    d_->supportingCheck = d_->atom("_NET_SUPPORTING_WM_CHECK");
    d_->pid = d_->atom("_NET_WM_PID");
    d_->clientList = d_->atom("_NET_CLIENT_LIST");
    d_->wmName = d_->atom("_NET_WM_NAME");
    d_->wmIcon = d_->atom("_NET_WM_ICON");
    d_->utf8 = d_->atom("UTF8_STRING");
    d_->checkSupport();
    d_->noneTimer.setSingleShot(true);
    d_->noneTimer.setInterval(kNoneSettleMs);
    QObject::connect(&d_->noneTimer, &QTimer::timeout, d_->guard.get(), [this] {
        if (d_->onFocus && d_->focusedWindow() == XCB_NONE) d_->report({});
    });
}

XcbFocusWatcher::~XcbFocusWatcher() {
    d_->notifier.reset();
    d_->guard.reset();
    if (d_->c) xcb_disconnect(d_->c);
}

bool XcbFocusWatcher::available() const { return d_->connected() && d_->root != XCB_NONE && d_->supportsActive; }

void XcbFocusWatcher::watch(std::function<void(const ProgramIdentity&)> onFocus) {
    d_->onFocus = std::move(onFocus);
    d_->reported = false;
    if (!d_->connected() || d_->root == XCB_NONE) return;
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(d_->c, d_->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(d_->c);
    if (!d_->notifier) {
        d_->notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(d_->c), QSocketNotifier::Read);
        QObject::connect(d_->notifier.get(), &QSocketNotifier::activated, [this] { d_->readEvents(); });
    }
    d_->notifier->setEnabled(true);
    // The listener hears where focus is now, then every change.
    QTimer::singleShot(0, d_->guard.get(), [this] {
        if (d_->onFocus) d_->reportFocus();
        d_->readEvents();
    });
}

void XcbFocusWatcher::stop() {
    d_->onFocus = nullptr;
    d_->noneTimer.stop();
    if (!d_->notifier) return;
    // Kept, only quiet: stop may be called from the listener, inside the notifier's signal.
    d_->notifier->setEnabled(false);
    const uint32_t mask = XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(d_->c, d_->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(d_->c);
}

std::vector<RunningProgram> XcbFocusWatcher::runningPrograms() {
    if (!d_->connected() || d_->root == XCB_NONE) return {};
    const auto clients = Impl::values32(d_->take(d_->ask(d_->root, d_->clientList, XCB_ATOM_WINDOW, 65536)));
    const uint32_t self = uint32_t(::getpid());
    std::vector<RunningProgram> windows;
    for (uint32_t w : clients) {
        const auto ownPid = Impl::values32(d_->take(d_->ask(w, d_->pid, XCB_ATOM_CARDINAL, 1)));
        if (!ownPid.empty() && ownPid[0] == self) continue;  // our own windows are no program to follow
        windows.push_back(d_->describe(w, true));
    }
    // Asking may have queued root events: hand them over from the event loop, not from here.
    if (d_->onFocus) QTimer::singleShot(0, d_->guard.get(), [this] { d_->readEvents(); });
    return onePerProgram(std::move(windows));
}

}  // namespace orvane::platform::qt
