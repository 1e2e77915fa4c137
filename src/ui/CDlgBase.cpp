#include "ui/CDlgBase.h"

#include <algorithm>

#include "platform/ImageOps.h"
#include "ui/CWndPopup.h"
#include "ui/Resources.h"
#include "ui/UiFont.h"

namespace orvane::ui {

namespace {
// The frame preparation reads at most this much of the frame image.
constexpr Size kFrameSourceArea{1127, 740};
}  // namespace

CDlgBase::CDlgBase(platform::Platform& platform, CDlgBase* parent) : platform_(platform), parent_(parent) {}

CDlgBase::~CDlgBase() {
    *alive_ = false;
    for (auto& p : popups_) p->Destroy();
    popups_.clear();
    for (int id : timers_) platform_.loop().killTimer(this, id);
    if (window_) window_->detach();
    window_.reset();
    hot_ = pressed_ = focus_ = nullptr;
    for (auto& list : lists_) list.clear();
}

// ---- Life of the window ----

bool CDlgBase::CreateWindowObject() {
    if (window_) return true;
    platform::WindowOptions options;
    options.kind = platform::WindowKind::TopLevel;
    options.parent = parent_ ? parent_->GetWindow() : nullptr;
    options.geometry = Rect::fromSize(0, 0, width_, height_);
    window_ = platform_.createWindow(*this, options);
    ended_ = false;
    return window_ != nullptr;
}

intptr_t CDlgBase::DoModal() {
    if (!CreateWindowObject()) return -1;
    modalPending_ = true;
    OnInitDialog();
    intptr_t result = result_;
    if (window_ && !ended_) result = window_->runModal();
    modalPending_ = false;
    DestroyWindow();
    return result;
}

bool CDlgBase::Create() {
    if (!CreateWindowObject()) return false;
    OnInitDialog();
    return window_ != nullptr;
}

void CDlgBase::EndDialog(intptr_t result) {
    result_ = result;
    ended_ = true;
    if (!window_) return;
    if (window_->inModal())
        window_->endModal(result);
    else if (!modalPending_)
        DestroyWindow();
}

void CDlgBase::DestroyWindow() {
    if (!window_) return;
    window_->hide();
    window_->detach();
    // We may be inside one of the window's own handlers: free it once they have returned.
    std::shared_ptr<platform::Window> dying(std::move(window_));
    platform_.loop().post([dying] {});
    hot_ = pressed_ = nullptr;
    tracking_ = buttonDown_ = captured_ = false;
}

bool CDlgBase::OnInitDialog() {
    if (!window_) return false;
    window_->setTitle(u"Velmira Orvane");
    window_->setIcon(LoadResourceImage(Images(), kResourceAppIcon));
    const int dpiY = int(96.0f * PixelDensity());
    dialogFont_ = FontSpec{UiFontChoice().face, -(10 * dpiY / 72), 600};
    window_->resize({width_, height_});
    window_->setTopmost(false);
    window_->show();
    CreateControls(ClientRect());
    CenterWindow();
    return true;
}

void CDlgBase::SetWindowSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    if (window_) window_->resize({width_, height_});
}

void CDlgBase::CenterWindow() {
    if (!window_) return;
    Rect area = Rect{0, 0, platform_.screen().fullScreen.width, platform_.screen().fullScreen.height};
    if (parent_ && parent_->GetWindow() && parent_->GetWindow()->isVisible()) area = parent_->GetWindow()->geometry();
    const Rect g = window_->geometry();
    window_->move({area.left + (area.width() - g.width()) / 2, area.top + (area.height() - g.height()) / 2});
}

// ---- Painting ----

void CDlgBase::onPaint(Painter& p, const Rect&) {
    if (window_ && window_->isMinimized()) {
        p.setPixel({10, 10}, bgr(0xFFFFFF));
        return;
    }
    DrawWindow(p, ClientRect());
}

void CDlgBase::DrawControls(Painter& p, const Rect& clip) {
    // Controls outside what the painter will keep are skipped: the result is the same.
    const Rect area = clip.intersected(p.clip());
    for (auto& list : lists_)
        for (auto& c : list)
            if (c && c->Shown() && c->GetRect().intersects(area)) c->Draw(p, clip);
    DrawFocusMark(p);
}

void CDlgBase::InvalidateRect(const Rect& r) {
    if (window_) window_->invalidate(r);
}

void CDlgBase::Invalidate() {
    if (window_) window_->invalidateAll();
}

void CDlgBase::UpdateWindow() {
    if (window_) window_->update();
}

bool CDlgBase::RepaintsWholeWindow(uint32_t id) {
    return id == 2040 || (id >= 2049 && id <= 2053) || (id >= 3001 && id <= 3004) || (id >= 3007 && id <= 3009);
}

// ---- Controls ----

CControlBase* CDlgBase::AddControl(int list, std::unique_ptr<CControlBase> control) {
    if (list < 0 || list >= kListCount || !control) return nullptr;
    lists_[size_t(list)].push_back(std::move(control));
    return lists_[size_t(list)].back().get();
}

CControlBase* CDlgBase::FindControl(uint32_t id) const {
    for (auto& list : lists_)
        for (auto& c : list)
            if (c && c->Id() == id) return c.get();
    return nullptr;
}

void CDlgBase::ReleaseAllImages() {
    for (auto& list : lists_)
        for (auto& c : list)
            if (c) c->ReleaseImages();
}

// ---- Frame image ----

bool CDlgBase::LoadFrameFromFile(const Text& path) {
    Image img = Images().load(path);
    return img ? LoadFrame(composeOver(img, Color{0, 0, 0, 255})) : false;
}

bool CDlgBase::LoadFrame(const Image& image) {
    if (!image) return false;
    const int32_t w = image.width(), h = image.height();
    frameSize_ = {w, h};
    frameMargin_ = (width_ <= w && height_ <= h) ? 0 : std::min({w, 100, h});
    background_ = platform::averageColor(image).toBgr();
    const float s = Scale();
    const Rect src{0, 0, std::min(w, kFrameSourceArea.width), std::min(h, kFrameSourceArea.height)};
    const Rect dst{0, 0, int32_t(float(w - frameMargin_) * s), int32_t(float(h - frameMargin_) * s)};
    frame_ = platform::stretchNearest(image, src, {w, h}, dst);
    return true;
}

// ---- Messages, timers, keys ----

intptr_t CDlgBase::SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    return OnMessage(msg, wParam, lParam);
}

void CDlgBase::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    std::weak_ptr<bool> alive = alive_;
    platform_.loop().post([this, alive, msg, wParam, lParam] {
        auto a = alive.lock();
        if (a && *a) OnMessage(msg, wParam, lParam);
    });
}

intptr_t CDlgBase::onMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) { return OnMessage(msg, wParam, lParam); }

intptr_t CDlgBase::OnMessage(uint32_t msg, uintptr_t, intptr_t) {
    if (msg == kMsgClose) OnCancel();
    return 0;
}

void CDlgBase::SetTimer(int id, int intervalMs) {
    timers_.insert(id);
    std::weak_ptr<bool> alive = alive_;
    platform_.loop().setTimer(this, id, intervalMs, [this, alive, id] {
        auto a = alive.lock();
        if (a && *a) OnTimer(id);
    });
}

void CDlgBase::KillTimer(int id) {
    timers_.erase(id);
    platform_.loop().killTimer(this, id);
}

bool CDlgBase::TimerActive(int id) const { return platform_.loop().timerActive(this, id); }

bool CDlgBase::onKey(const platform::KeyEvent& e) {
    if (e.down && HandleFocusKey(e)) return true;
    return e.down ? OnKeyDown(e.vk) : OnKeyUp(e.vk);
}

bool CDlgBase::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        OnOK();
        return true;
    }
    if (vk == platform::kVkEscape) {
        OnCancel();
        return true;
    }
    return false;
}

}  // namespace orvane::ui
