// The dialog's keyboard focus and what it tells assistive technology about its controls.
#include <algorithm>

#include "ui/CButtonBase.h"
#include "ui/CDlgBase.h"

namespace orvane::ui {

namespace {

using platform::AccessibleEvent;

// The focus mark's thickness: the skin's one-pixel borders at this scale.
int32_t MarkWidth(float scale) { return std::max(1, int32_t(scale)); }

int IndexIn(const std::vector<CControlBase*>& list, const CControlBase* c) {
    const auto it = std::find(list.begin(), list.end(), c);
    return it == list.end() ? -1 : int(it - list.begin());
}

// The selected row of a list's description, -1 for none (or no list).
int SelectedRow(const AccessibleNode& n) {
    for (size_t i = 0; i < n.children.size(); ++i)
        if (n.children[i].has(platform::kAccessibleSelected)) return int(i);
    return -1;
}

}  // namespace

std::vector<CControlBase*> CDlgBase::ReadingOrder() const {
    std::vector<CControlBase*> order;
    for (const auto& list : lists_)
        for (const auto& c : list)
            if (c && c->Shown()) order.push_back(c.get());
    return order;
}

std::vector<CControlBase*> CDlgBase::ExposedControls() const {
    std::vector<CControlBase*> exposed;
    for (CControlBase* c : ReadingOrder())
        if (c->Describe().role != AccessibleRole::None) exposed.push_back(c);
    return exposed;
}

void CDlgBase::SetFocusedControl(CControlBase* control) {
    if (control == focus_) return;
    const int32_t m = MarkWidth(Scale());
    CControlBase* left = focus_;
    if (focus_) InvalidateRect(focus_->GetRect().adjusted(-m, -m, m, m));
    focus_ = control;
    if (left) left->FocusChanged(false);
    if (!focus_) return;
    focus_->FocusChanged(true);
    InvalidateRect(focus_->GetRect().adjusted(-m, -m, m, m));
    // A control readers do not see as an item (a desktop text field) tells them itself.
    if (const int index = IndexIn(ExposedControls(), focus_); window_ && index >= 0)
        window_->announce(AccessibleEvent::Focus, index);
}

std::vector<std::vector<CControlBase*>> CDlgBase::TabStops() const {
    std::vector<std::vector<CControlBase*>> stops;
    for (CControlBase* c : ReadingOrder()) {
        if (!c->Focusable()) continue;
        const uint32_t group = c->FocusGroup();
        const auto joined = std::find_if(stops.begin(), stops.end(), [group](const auto& stop) {
            return group != 0 && stop.front()->FocusGroup() == group;
        });
        if (joined != stops.end()) joined->push_back(c);
        else stops.push_back({c});
    }
    return stops;
}

bool CDlgBase::MoveFocus(bool forward) {
    const auto stops = TabStops();
    if (stops.empty()) return false;
    const int n = int(stops.size());
    // A group is entered at its chosen member; with none chosen at the end Tab comes from.
    auto enter = [&](int stop) {
        const auto& members = stops[size_t(stop)];
        const auto chosen = std::find_if(members.begin(), members.end(),
                                         [](const CControlBase* c) { return c->EntersFocusGroup(); });
        SetFocusedControl(chosen != members.end() ? *chosen : forward ? members.front() : members.back());
        return true;
    };
    auto stopOf = [&](const CControlBase* c) {
        for (int i = 0; i < n; ++i)
            if (IndexIn(stops[size_t(i)], c) >= 0) return i;
        return -1;
    };
    const int at = stopOf(focus_);
    if (at >= 0) return enter((at + (forward ? 1 : n - 1)) % n);
    // The focused control went (hidden, disabled): go on from where it stood among all controls.
    std::vector<CControlBase*> all;
    for (const auto& list : lists_)
        for (const auto& c : list)
            if (c) all.push_back(c.get());
    const int from = IndexIn(all, focus_);
    if (from >= 0) {
        const int total = int(all.size());
        for (int k = 1; k < total; ++k) {
            const int stop = stopOf(all[size_t((from + (forward ? k : total - k)) % total)]);
            if (stop >= 0) return enter(stop);
        }
    }
    return enter(forward ? 0 : n - 1);
}

bool CDlgBase::ActOn(CControlBase* control, const std::function<bool(CControlBase&)>& act) {
    if (!control || !control->Focusable()) return false;
    const AccessibleNode before = control->Describe();
    const std::weak_ptr<bool> alive = alive_;
    if (!act(*control)) return false;
    // The action may have closed the window, or ended the dialog object itself.
    const auto a = alive.lock();
    if (!a || !*a || !window_) return true;
    InvalidateRect(control->GetRect());
    const AccessibleNode after = control->Describe();
    const int index = IndexIn(ExposedControls(), control);
    if (after.value != before.value || after.current != before.current)
        window_->announce(AccessibleEvent::ValueChanged, index);
    if (after.state != before.state) window_->announce(AccessibleEvent::StateChanged, index);
    if (SelectedRow(after) != SelectedRow(before)) window_->announce(AccessibleEvent::SelectionChanged, index);
    return true;
}

bool CDlgBase::HandleFocusKey(const platform::KeyEvent& e) {
    if (TypedKeyIsTheAnswer()) return false;
    if (e.vk == platform::kVkTab) {
        if (e.mods & (platform::kKeyModCtrl | platform::kKeyModAlt)) return false;
        return MoveFocus(!(e.mods & platform::kKeyModShift));
    }
    if (!focus_ || !focus_->Focusable()) return false;
    if (e.vk == platform::kVkSpace || e.vk == platform::kVkReturn)
        return ActOn(focus_, [](CControlBase& c) { return c.Activate(); });
    const uint32_t vk = e.vk;
    return ActOn(focus_, [vk](CControlBase& c) { return c.OnNavigationKey(vk); });
}

void CDlgBase::DrawFocusMark(Painter& p) const {
    if (!focus_ || !focus_->Shown() || !focus_->ShowsFocusMark()) return;
    // One design pixel outside the control, as thick as the skin's one-pixel borders are at
    // this scale, in the colour the skin gives checked captions.
    const int32_t width = MarkWidth(Scale());
    Rect r = focus_->GetRect().adjusted(-width, -width, width, width);
    for (int32_t i = 0; i < width; ++i) {
        p.drawRect(r, bgr(CButtonBase::kTextChecked));
        r = r.adjusted(1, 1, -1, -1);
    }
}

// ---- Assistive technology ----

platform::AccessibleNode CDlgBase::accessibleWindow() const {
    AccessibleNode n;
    n.role = AccessibleRole::Dialog;
    n.name = accessibleTitle_.empty() ? Text{u"Velmira Orvane"} : accessibleTitle_;
    n.rect = ClientRect();
    return n;
}

std::vector<platform::AccessibleNode> CDlgBase::accessibleItems() const {
    std::vector<AccessibleNode> items;
    for (CControlBase* c : ExposedControls()) items.push_back(c->Describe());
    return items;
}

bool CDlgBase::accessibleAct(int item, platform::AccessibleAction action) {
    const auto exposed = ExposedControls();
    if (item < 0 || size_t(item) >= exposed.size()) return false;
    return ActOn(exposed[size_t(item)], [action](CControlBase& c) {
        switch (action) {
            case platform::AccessibleAction::Press: return c.Activate();
            case platform::AccessibleAction::Increase: return c.StepBy(1);
            case platform::AccessibleAction::Decrease: return c.StepBy(-1);
            case platform::AccessibleAction::None: break;
        }
        return false;
    });
}

bool CDlgBase::accessibleFocus(int item) {
    const auto exposed = ExposedControls();
    if (item < 0 || size_t(item) >= exposed.size() || !exposed[size_t(item)]->Focusable()) return false;
    SetFocusedControl(exposed[size_t(item)]);
    return true;
}

bool CDlgBase::accessibleSetValue(int item, int32_t value) {
    const auto exposed = ExposedControls();
    if (item < 0 || size_t(item) >= exposed.size()) return false;
    return ActOn(exposed[size_t(item)], [value](CControlBase& c) { return c.SetAccessibleValue(value); });
}

bool CDlgBase::accessibleSelect(int item, int child) {
    const auto exposed = ExposedControls();
    if (item < 0 || size_t(item) >= exposed.size()) return false;
    return ActOn(exposed[size_t(item)], [child](CControlBase& c) { return c.SelectItem(child); });
}

}  // namespace orvane::ui
