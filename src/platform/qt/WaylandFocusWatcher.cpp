#include "platform/qt/WaylandFocusWatcher.h"

#include <wayland-client.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <list>
#include <string>

#include "platform/qt/WindowFacts.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace orvane::platform::qt {

namespace {

// Our listeners know the events of version 2; a newer compositor speaks version 2 with us.
constexpr uint32_t kToplevelVersion = 2;

struct Toplevel {
    WaylandFocusWatcher::Impl* owner = nullptr;
    zwlr_foreign_toplevel_handle_v1* handle = nullptr;
    // What the compositor has sent since the last "done", and what that made true.
    std::string pendingTitle, pendingAppId;
    bool pendingActivated = false;
    std::string title, appId;
    bool activated = false;
};

}  // namespace

struct WaylandFocusWatcher::Impl {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager = nullptr;
    bool finished = false;
    std::list<Toplevel> toplevels;
    std::unique_ptr<QObject> guard = std::make_unique<QObject>();
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void(const ProgramIdentity&)> onFocus;
    ProgramIdentity lastFocus;
    bool reported = false;
    // A toplevel changed since the events read last were dispatched.
    bool changed = false;

    bool connected() const { return display && wl_display_get_error(display) == 0; }

    ProgramIdentity focused() const {
        for (const Toplevel& t : toplevels)
            if (t.activated) return identityOf(std::string(), t.appId);
        return {};
    }

    void reportFocus() {
        if (!onFocus) return;
        const ProgramIdentity id = focused();
        if (reported && sameProgram(id, lastFocus)) return;
        reported = true;
        lastFocus = id;
        auto listener = onFocus;  // the listener may replace itself
        listener(id);
    }

    void remove(Toplevel* t) {
        zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
        toplevels.remove_if([t](const Toplevel& x) { return &x == t; });
    }

    // Reads what the compositor sent without ever blocking: the notifier said it is there.
    // A focus change arrives as one batch, each toplevel's state closed by its own "done": the
    // window losing the focus may come first, so focus is reported once the whole batch is in,
    // never the moment in between where no window has it (which would end a manual profile
    // choice when the focus merely moves between two windows of one program).
    void readEvents() {
        if (!connected()) {
            if (notifier) notifier->setEnabled(false);
            return;
        }
        while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
        wl_display_flush(display);
        wl_display_read_events(display);
        wl_display_dispatch_pending(display);
        wl_display_flush(display);
        if (!connected() && notifier) notifier->setEnabled(false);
        if (changed) {
            changed = false;
            reportFocus();
        }
    }

    static const zwlr_foreign_toplevel_handle_v1_listener kToplevelListener;
    static const zwlr_foreign_toplevel_manager_v1_listener kManagerListener;
    static const wl_registry_listener kRegistryListener;
};

namespace {

Toplevel* of(void* data) { return static_cast<Toplevel*>(data); }

void onTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) { of(data)->pendingTitle = title ? title : ""; }
void onAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) { of(data)->pendingAppId = appId ? appId : ""; }
void onOutputEnter(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void onOutputLeave(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void onState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
    of(data)->pendingActivated = statesSayActivated(static_cast<const uint32_t*>(states->data), states->size / sizeof(uint32_t));
}
void onDone(void* data, zwlr_foreign_toplevel_handle_v1*) {
    Toplevel* t = of(data);
    t->title = t->pendingTitle;
    t->appId = t->pendingAppId;
    t->activated = t->pendingActivated;
    t->owner->changed = true;
}
void onClosed(void* data, zwlr_foreign_toplevel_handle_v1*) {
    Toplevel* t = of(data);
    WaylandFocusWatcher::Impl* owner = t->owner;
    owner->remove(t);
    owner->changed = true;
}

void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
    auto* d = static_cast<WaylandFocusWatcher::Impl*>(data);
    Toplevel& t = d->toplevels.emplace_back();
    t.owner = d;
    t.handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &WaylandFocusWatcher::Impl::kToplevelListener, &t);
}
void onFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager) {
    auto* d = static_cast<WaylandFocusWatcher::Impl*>(data);
    d->finished = true;
    zwlr_foreign_toplevel_manager_v1_destroy(manager);
    d->manager = nullptr;
}

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    auto* d = static_cast<WaylandFocusWatcher::Impl*>(data);
    if (d->manager || std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0) return;
    d->manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, kToplevelVersion)));
    zwlr_foreign_toplevel_manager_v1_add_listener(d->manager, &WaylandFocusWatcher::Impl::kManagerListener, d);
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}

}  // namespace

const zwlr_foreign_toplevel_handle_v1_listener WaylandFocusWatcher::Impl::kToplevelListener = {
    onTitle, onAppId, onOutputEnter, onOutputLeave, onState, onDone, onClosed};
const zwlr_foreign_toplevel_manager_v1_listener WaylandFocusWatcher::Impl::kManagerListener = {onToplevel, onFinished};
const wl_registry_listener WaylandFocusWatcher::Impl::kRegistryListener = {onGlobal, onGlobalRemove};

WaylandFocusWatcher::WaylandFocusWatcher() : d_(std::make_unique<Impl>()) {
    d_->display = wl_display_connect(nullptr);
    if (!d_->display) return;
    d_->registry = wl_display_get_registry(d_->display);
    wl_registry_add_listener(d_->registry, &Impl::kRegistryListener, d_.get());
    wl_display_roundtrip(d_->display);  // the globals
    if (d_->manager) wl_display_roundtrip(d_->display);  // the toplevels there are now
    d_->notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(d_->display), QSocketNotifier::Read);
    QObject::connect(d_->notifier.get(), &QSocketNotifier::activated, [this] { d_->readEvents(); });
}

WaylandFocusWatcher::~WaylandFocusWatcher() {
    d_->notifier.reset();
    d_->guard.reset();
    if (!d_->display) return;
    d_->onFocus = nullptr;
    for (Toplevel& t : d_->toplevels) zwlr_foreign_toplevel_handle_v1_destroy(t.handle);
    if (d_->manager) zwlr_foreign_toplevel_manager_v1_stop(d_->manager);
    if (d_->registry) wl_registry_destroy(d_->registry);
    wl_display_flush(d_->display);
    wl_display_disconnect(d_->display);
}

bool WaylandFocusWatcher::available() const { return d_->connected() && d_->manager && !d_->finished; }

void WaylandFocusWatcher::watch(std::function<void(const ProgramIdentity&)> onFocus) {
    d_->onFocus = std::move(onFocus);
    d_->reported = false;
    // The listener hears where focus is now, then every change.
    QTimer::singleShot(0, d_->guard.get(), [this] { d_->reportFocus(); });
}

void WaylandFocusWatcher::stop() { d_->onFocus = nullptr; }

std::vector<RunningProgram> WaylandFocusWatcher::runningPrograms() {
    std::vector<RunningProgram> windows;
    for (const Toplevel& t : d_->toplevels) {
        RunningProgram p;
        p.id = identityOf(std::string(), t.appId);
        p.title = fromUtf8(t.title);
        windows.push_back(std::move(p));
    }
    return onePerProgram(std::move(windows));
}

}  // namespace orvane::platform::qt
