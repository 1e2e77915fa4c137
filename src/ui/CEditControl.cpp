#include "ui/CEditControl.h"

#include "ui/CDlgBase.h"

namespace orvane::ui {

CEditControl::CEditControl(CDlgBase* owner, uint32_t id, const Rect& rect, Text initial)
    : CControlBase(owner, id, rect, std::move(initial)) {
    // 10 points at 96 dots per inch is 13 pixels of character height.
    font_ = FontSpec{u"Tahoma", -int32_t(13.0f * Scale()), 0};
    platform::EditFieldOptions options;
    options.font = font_;
    CreateField(options);
}

CEditControl::CEditControl(CDlgBase* owner, uint32_t id, const Rect& rect, Text initial,
                           const platform::EditFieldOptions& look)
    : CControlBase(owner, id, rect, std::move(initial)) {
    font_ = look.font;
    CreateField(look);
}

void CEditControl::CreateField(platform::EditFieldOptions options) {
    platform::Window* window = owner_ ? owner_->GetWindow() : nullptr;
    if (!window) return;
    options.rect = rect_;
    field_ = window->createEditField(options);
    if (!field_) return;
    field_->setText(text_);
    field_->keyFilter = [this](const platform::KeyEvent& e) { return FilterKey(e); };
}

CEditControl::~CEditControl() {
    if (field_) field_->keyFilter = nullptr;
}

bool CEditControl::FilterKey(const platform::KeyEvent& e) {
    if (filter_ && filter_(e)) return true;
    if (e.vk == platform::kVkTab) {
        // The field is where the focus is, even when the pointer put the keyboard there.
        if (e.down && owner_ && !(e.mods & (platform::kKeyModCtrl | platform::kKeyModAlt))) {
            owner_->SetFocusedControl(this);
            owner_->MoveFocus(!(e.mods & platform::kKeyModShift));
        }
        return true;
    }
    if (e.vk == platform::kVkReturn || e.vk == platform::kVkEscape) {
        if (e.down && owner_) owner_->OnKeyDown(e.vk);
        return true;
    }
    return false;
}

void CEditControl::FocusChanged(bool has) {
    if (!field_) return;
    if (has) field_->focus();
    else field_->giveBackFocus();
}

void CEditControl::NameForReaders(const Text& name) {
    SetAccessibleName(name);
    if (field_) field_->setAccessibleName(name);
}

void CEditControl::Draw(Painter& p, const Rect&) {
    if (field_) return;
    p.fillRect(rect_, bgr(0xFFFFFF));
    p.drawText(text_, rect_, font_, bgr(0x000000),
               platform::kTextCenter | platform::kTextVCenter | platform::kTextSingleLine);
}

void CEditControl::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    CControlBase::SetRect(left, top, right, bottom);
    if (field_) field_->setRect(rect_);
}

void CEditControl::SetVisible(bool visible) {
    CControlBase::SetVisible(visible);
    if (field_) field_->setVisible(visible);
}

void CEditControl::SetText(const Text& text) {
    if (field_) field_->setText(text);
    CControlBase::SetText(text);
}

const Text& CEditControl::GetText() const {
    if (!field_) return text_;
    cached_ = field_->text();
    return cached_;
}

void CEditControl::Focus() {
    if (field_) field_->focus();
    if (owner_ && Focusable()) owner_->SetFocusedControl(this);
}

}  // namespace orvane::ui
