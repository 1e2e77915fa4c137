#pragma once
// A dialog and a control for exercising the dialog host on the in-memory platform.
#include <vector>

#include "platform/FakePlatform.h"
#include "ui/CDlgBase.h"

namespace orvane::ui::test {

struct Message {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
    friend bool operator==(const Message&, const Message&) = default;
};

// Behaves like a push button: look 1 under the pointer, 2 while pressed; a click is a press
// and a release inside.
class ProbeControl : public CControlBase {
public:
    using CControlBase::CControlBase;
    void Draw(Painter& p, const Rect&) override { p.fillRect(rect_, bgr(0x112233)); }
    bool OnMouseMove(uint32_t, Point pt) override {
        moves.push_back(pt);
        if (state == 2) return false;
        return set(rect_.contains(pt) ? 1 : 0);
    }
    bool OnLButtonDown(uint32_t, Point pt) override {
        if (!rect_.contains(pt)) return false;
        Notify(kCodePressed);
        return set(2);
    }
    bool OnLButtonUp(uint32_t, Point pt) override {
        const bool inside = rect_.contains(pt);
        const bool changed = set(inside ? 1 : 0);
        if (inside) Notify(kCodeClicked);
        return changed;
    }
    bool OnLButtonDblClk(uint32_t, Point) override {
        Notify(kCodeDoubleClick);
        return false;
    }
    bool OnRButtonUp(uint32_t, Point) override {
        Notify(kCodeRightReleased, id_);
        return false;
    }
    int KillFocus(int) override {
        ++killFocus;
        return 0;
    }
    bool set(int s) {
        const bool changed = s != state;
        state = s;
        return changed;
    }
    int state = 0;
    int killFocus = 0;
    std::vector<Point> moves;
};

class TestDialog : public CDlgBase {
public:
    explicit TestDialog(platform::Platform& p, CDlgBase* parent = nullptr) : CDlgBase(p, parent) {
        SetWindowSize(400, 300);
    }
    void DrawWindow(Painter& p, const Rect& client) override {
        p.fillRect(client, bgr(BackgroundColor()));
        DrawControls(p, client);
    }
    void CreateControls(const Rect&) override {
        if (onCreate) onCreate(*this);
    }
    intptr_t OnMessage(uint32_t msg, uintptr_t w, intptr_t l) override {
        messages.push_back({msg, w, l});
        if (onMessage) return onMessage(msg, w, l);
        return CDlgBase::OnMessage(msg, w, l);
    }
    // A result is listed among the messages (lParam 0), kept, as its type, in results, and
    // given to onMessage like a message.
    intptr_t OnResult(uint32_t msg, uintptr_t w, const PopupResult& result) override {
        messages.push_back({msg, w, 0});
        results.push_back(result);
        return onMessage ? onMessage(msg, w, 0) : 0;
    }
    void OnTimer(int id) override { timers.push_back(id); }

    ProbeControl* probe(int list, uint32_t id, Rect r, bool visible = true, bool active = true) {
        return Add<ProbeControl>(list, id, r, u"", visible, active, false, true);
    }
    platform::FakeWindow* fake() const { return static_cast<platform::FakeWindow*>(GetWindow()); }

    std::function<void(TestDialog&)> onCreate;
    std::function<intptr_t(uint32_t, uintptr_t, intptr_t)> onMessage;
    std::vector<Message> messages;
    std::vector<PopupResult> results;
    std::vector<int> timers;
};

}  // namespace orvane::ui::test
