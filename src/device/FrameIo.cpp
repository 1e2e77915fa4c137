#include "device/FrameIo.h"

#include <cerrno>
#include <string>

#include "device/hid/FrameTrace.h"

namespace orvane {

namespace {

// Runs on the worker: one device's write.
void writeOne(hid::Device& device, DeviceRole role, const Frame& frame, DeviceWrite& result) {
    hid::FrameTrace::trace(hid::FrameKind::Set, role, frame);
    const Status st = device.setFeature(frame);
    result.attempted = true;
    result.taken = st.ok();
    result.error = st.ok() ? 0 : st.error().code;
}

}  // namespace

bool SendOutcome::devicesGone() const {
    if (attempted() == 0) return false;
    for (const DeviceWrite& d : devices)
        if (d.attempted && (d.taken || !Error{d.error, {}}.isGone())) return false;
    return true;
}

FrameIo::~FrameIo() {
    loop_.killTimer(this, kReplyTimer);
}

void FrameIo::forgetPending() {
    loop_.killTimer(this, kReplyTimer);
    alive_ = std::make_shared<int>(0);
}

// One write and its result: the worker gets the handles and a copy of the frame, nothing of the
// link; the result goes back to the loop's thread.
struct FrameIo::Write {
    std::array<std::shared_ptr<hid::Device>, 2> handles;  // by DeviceRole; none: not written
    Frame frame{};
    bool markReceiverCopy = false;
    SendOutcome outcome;
    std::weak_ptr<int> alive;
    FrameIo::Sent done;

    void run() {
        const auto& wired = handles[size_t(DeviceRole::Wired)];
        const auto& receiver = handles[size_t(DeviceRole::Receiver)];
        if (wired) writeOne(*wired, DeviceRole::Wired, frame, outcome.devices[size_t(DeviceRole::Wired)]);
        if (receiver) {
            // The receiver's copy says it is not for the mouse on the cable as well.
            if (wired && markReceiverCopy) frame[kTargetByte] = 0;
            writeOne(*receiver, DeviceRole::Receiver, frame, outcome.devices[size_t(DeviceRole::Receiver)]);
        }
    }
};

// The last write is reused once nothing else holds it: its result was delivered (the delivery
// is posted after the worker's last use of it, so that use happens before this one).
std::shared_ptr<FrameIo::Write> FrameIo::nextWrite() {
    if (!spare_ || spare_.use_count() != 1) spare_ = std::make_shared<Write>();
    Write& w = *spare_;
    w.handles = {};
    w.outcome = {};
    w.alive = alive_;
    return spare_;
}

void FrameIo::send(Frame frame, Sent done) {
    frame[kSequenceByte] = sequence_.take();
    auto w = nextWrite();
    w->handles = {connection_.featureHandle(DeviceRole::Wired), connection_.featureHandle(DeviceRole::Receiver)};
    w->frame = frame;
    w->markReceiverCopy = true;
    w->done = std::move(done);
    write(std::move(w));
}

void FrameIo::sendTo(DeviceRole role, Frame frame, Sent done) {
    frame[kSequenceByte] = sequence_.take();
    auto w = nextWrite();
    w->handles[size_t(role)] = connection_.featureHandle(role);
    w->frame = frame;
    w->markReceiverCopy = false;
    w->done = std::move(done);
    write(std::move(w));
}

void FrameIo::write(std::shared_ptr<Write> w) {
    Write* running = w.get();  // held by done until after the work has run
    loop_.offload([running] { running->run(); },
                  [w = std::move(w)] {
                      // On the loop's thread, where the FrameIo would have been destroyed.
                      if (w->alive.expired()) return;
                      // The write is free for the next frame once done has it.
                      Sent done = std::move(w->done);
                      w->handles = {};
                      if (done) done(w->outcome);
                  });
}

void FrameIo::read(DeviceRole role, Command command, Read done) {
    std::shared_ptr<hid::Device> device = connection_.featureHandle(role);
    if (!device) {
        done(makeError(ENODEV, "read from the " + std::string(hid::roleName(role)) + ": not open"));
        return;
    }
    Frame request = makeReadRequest(command, sequence_.take());
    if (role == DeviceRole::Receiver && connection_.isOpen(DeviceRole::Wired)) request[kTargetByte] = 0;
    auto result = std::make_shared<Result<Frame>>(Frame{});
    std::weak_ptr<int> alive = alive_;
    auto getReply = [this, alive, device, role, result, done]() mutable {
        loop_.offload(
            [device, role, result] {
                Frame reply;
                reply.fill(0xFF);
                reply[0] = kCommandReportId;
                auto got = device->getFeature(reply);
                if (!got) {
                    *result = got.error();
                    return;
                }
                hid::FrameTrace::trace(hid::FrameKind::Get, role, reply);
                *result = reply;
            },
            [alive, result, done] {
                if (alive.lock()) done(std::move(*result));
            });
    };
    loop_.offload(
        [device, role, request, result] {
            hid::FrameTrace::trace(hid::FrameKind::Set, role, request);
            if (auto st = device->setFeature(request); !st) *result = st.error();
        },
        [this, alive, result, done, getReply]() mutable {
            if (!alive.lock()) return;
            if (!*result) return done(std::move(*result));
            // The mouse needs a moment before the reply is ready; the loop goes on meanwhile.
            loop_.setTimer(this, kReplyTimer, kReadReplyDelayMs, [this, getReply]() mutable {
                loop_.killTimer(this, kReplyTimer);
                getReply();
            });
        });
}

}  // namespace orvane
