#include "platform/qt/XRawKeys.h"

#ifdef ORVANE_HAVE_XI2
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#endif

namespace orvane::platform::qt {

#ifdef ORVANE_HAVE_XI2

struct XRawKeys::Impl {
    Display* display = nullptr;
    int opcode = 0;
    ~Impl() {
        if (display) XCloseDisplay(display);
    }
};

std::unique_ptr<XRawKeys> XRawKeys::open() {
    auto impl = std::make_unique<Impl>();
    impl->display = XOpenDisplay(nullptr);
    if (!impl->display) return nullptr;
    int event = 0, error = 0;
    if (!XQueryExtension(impl->display, "XInputExtension", &impl->opcode, &event, &error)) return nullptr;
    int major = 2, minor = 0;
    if (XIQueryVersion(impl->display, &major, &minor) != Success || major < 2) return nullptr;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    // Master devices only: each key is reported once, whichever keyboard typed it.
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    if (XISelectEvents(impl->display, DefaultRootWindow(impl->display), &mask, 1) != Success) return nullptr;
    XSync(impl->display, False);
    return std::unique_ptr<XRawKeys>(new XRawKeys(std::move(impl)));
}

int XRawKeys::fd() const { return ConnectionNumber(d_->display); }

void XRawKeys::drain(const Sink& sink) {
    while (XPending(d_->display) > 0) {
        XEvent ev;
        XNextEvent(d_->display, &ev);
        XGenericEventCookie* cookie = &ev.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != d_->opcode) continue;
        if (!XGetEventData(d_->display, cookie)) continue;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            sink(uint32_t(raw->detail), cookie->evtype == XI_RawKeyRelease, uint32_t(raw->time));
        }
        XFreeEventData(d_->display, cookie);
    }
}

#else

struct XRawKeys::Impl {};
std::unique_ptr<XRawKeys> XRawKeys::open() { return nullptr; }
int XRawKeys::fd() const { return -1; }
void XRawKeys::drain(const Sink&) {}

#endif

XRawKeys::XRawKeys(std::unique_ptr<Impl> impl) : d_(std::move(impl)) {}
XRawKeys::~XRawKeys() = default;

}  // namespace orvane::platform::qt
