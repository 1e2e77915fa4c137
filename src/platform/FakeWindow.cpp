#include "platform/FakeWindow.h"

#include "platform/FakeEditField.h"

namespace orvane::platform {

FakeWindow::FakeWindow(EventLoop& loop, WindowHost& host, const WindowOptions& options)
    : Window(loop, host), kind_(options.kind), geometry_(options.geometry) {}

FakeWindow::~FakeWindow() { detach(); }

void FakeWindow::show() {
    visible_ = true;
    minimized_ = false;
}

std::unique_ptr<EditField> FakeWindow::createEditField(const EditFieldOptions& options) {
    return std::make_unique<FakeEditField>(options);
}

void FakeWindow::invalidate(const Rect& r) { invalidations_.push_back(r); }

intptr_t FakeWindow::runModal() {
    modal_ = true;
    modalResult_ = -1;
    if (onModal) onModal(*this);
    const intptr_t result = modal_ ? -1 : modalResult_;
    modal_ = false;
    return result;
}

void FakeWindow::endModal(intptr_t result) {
    if (!modal_) return;
    modal_ = false;
    modalResult_ = result;
}

void FakeWindow::pointer(PointerKind kind, int32_t x, int32_t y, uint32_t flags) {
    cursor_ = {x, y};
    deliverPointer(PointerEvent{kind, {x, y}, flags});
}

void FakeWindow::wheel(int32_t x, int32_t y, int32_t delta) {
    cursor_ = {x, y};
    PointerEvent e{PointerKind::Wheel, {x, y}, held_ ? kButtonLeft : 0u};
    e.wheelDelta = delta;
    deliverPointer(e);
}

void FakeWindow::press(int32_t x, int32_t y) {
    held_ = true;
    pointer(PointerKind::Move, x, y, kButtonLeft);
    pointer(PointerKind::LeftDown, x, y, kButtonLeft);
}

void FakeWindow::release(int32_t x, int32_t y) {
    held_ = false;
    if (cursor_ != Point{x, y}) pointer(PointerKind::Move, x, y, kButtonLeft);
    pointer(PointerKind::LeftUp, x, y, 0);
}

bool FakeWindow::key(uint32_t vk, bool down) { return host().onKey(KeyEvent{down, vk, false, 0, 0, {}}); }

void FakeWindow::setActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    host().onActivate(active);
}

const RecordingPainter& FakeWindow::paint() {
    painter_ = RecordingPainter(geometry_.size());
    const Rect all{0, 0, geometry_.width(), geometry_.height()};
    host().onPaint(painter_, all);
    invalidations_.clear();
    return painter_;
}

}  // namespace orvane::platform
