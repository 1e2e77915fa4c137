#pragma once
// The skinned dialog: a frameless window that owns windowless controls, paints them through
// one off-screen picture, routes the pointer to them and turns their notifications into
// numbered messages for its own handlers (OnMessage).
//
// It is wider than our usual forty methods because every window and the parts of a window
// reach their controls, menus, timers and messages through it; the methods are grouped below
// and their code is split by concern (CDlgBase.cpp: life, painting, controls and messages;
// CDlgBasePointer.cpp: the pointer and the popups; CDlgBaseKeyboard.cpp: focus and readers).
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "platform/Platform.h"
#include "ui/CControlBase.h"
#include "ui/Messages.h"
#include "ui/PopupResult.h"

namespace orvane::ui {

class CWndPopup;

class CDlgBase : public platform::WindowHost {
public:
    static constexpr int kListCount = 8;
    static constexpr int kPopupSlots = 12;

    explicit CDlgBase(platform::Platform& platform, CDlgBase* parent = nullptr);
    ~CDlgBase() override;
    CDlgBase(const CDlgBase&) = delete;
    CDlgBase& operator=(const CDlgBase&) = delete;

    // ---- Life of the window ----
    // Creates the window, initialises it and runs it modally; returns what EndDialog was given.
    intptr_t DoModal();
    // Creates, initialises and shows the window without a modal run.
    bool Create();
    // Ends the modal run with result (a modeless dialog is destroyed).
    void EndDialog(intptr_t result);
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    void DestroyWindow();
    bool IsWindow() const { return window_ != nullptr; }
    platform::Window* GetWindow() const { return window_.get(); }
    CDlgBase* Parent() const { return parent_; }

    // Sets the title, makes the dialog font, sizes and shows the window, creates the
    // controls and centres the window on its parent. Overrides call this first.
    virtual bool OnInitDialog();
    // The window size in device pixels (the design size times the display scale); set it
    // before the window is created, or it is applied at once.
    void SetWindowSize(int32_t width, int32_t height);
    Size WindowSize() const { return {width_, height_}; }
    Rect ClientRect() const { return {0, 0, width_, height_}; }
    void CenterWindow();

    // ---- Painting ----
    virtual void DrawWindow(Painter& p, const Rect& client) = 0;
    // Draws every shown control that meets clip, in list order.
    virtual void DrawControls(Painter& p, const Rect& clip);
    virtual void CreateControls(const Rect& client) = 0;
    void InvalidateRect(const Rect& r);
    void Invalidate();
    void UpdateWindow();

    // ---- Controls ----
    // Appends to list (0..7); the dialog owns the control. Returns it.
    CControlBase* AddControl(int list, std::unique_ptr<CControlBase> control);
    template <class T, class... Args>
    T* Add(int list, Args&&... args) {
        return static_cast<T*>(AddControl(list, std::make_unique<T>(this, std::forward<Args>(args)...)));
    }
    // The first control with this Id, lists in order; nullptr when none.
    CControlBase* FindControl(uint32_t id) const;
    template <class T>
    T* FindControlAs(uint32_t id) const {
        return dynamic_cast<T*>(FindControl(id));
    }
    const std::vector<std::unique_ptr<CControlBase>>& ControlList(int list) const { return lists_.at(size_t(list)); }
    void ReleaseAllImages();
    CControlBase* HotControl() const { return hot_; }
    CControlBase* PressedControl() const { return pressed_; }
    Point LastPoint() const { return lastPoint_; }

    // ---- Frame image ----
    bool LoadFrameFromFile(const Text& path);
    bool LoadFrame(const Image& image);
    const Image& FrameImage() const { return frame_; }
    Size FrameSize() const { return frameSize_; }
    int32_t FrameCornerMargin() const { return frameMargin_; }
    uint32_t BackgroundColor() const { return background_; }

    // ---- Messages and timers ----
    intptr_t SendMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    void PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // A window's message handlers; unhandled messages return 0. kMsgClose cancels by default.
    virtual intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // A menu's or a capture dialog's answer: msg is the result message its owner gave it, wParam
    // as that message's (a menu's context, a dialog's OK button), and the choice comes as a value.
    // The result lives only during the call: handlers copy what they keep.
    intptr_t SendResult(uint32_t msg, uintptr_t wParam, const PopupResult& result) {
        return OnResult(msg, wParam, result);
    }
    virtual intptr_t OnResult(uint32_t, uintptr_t, const PopupResult&) { return 0; }
    void SetTimer(int id, int intervalMs);
    void KillTimer(int id);
    bool TimerActive(int id) const;
    virtual void OnTimer(int) {}
    // Enter and Escape end a dialog as OK and Cancel. Returns true when the key was used.
    virtual bool OnKeyDown(uint32_t vk);
    virtual bool OnKeyUp(uint32_t) { return false; }

    // ---- Keyboard focus and assistive technology (CDlgBaseKeyboard.cpp) ----
    // The control the keyboard acts on; none until a key or a reader picks one.
    CControlBase* FocusedControl() const { return focus_; }
    // Gives control the focus (null clears it), repaints both marks and announces it.
    void SetFocusedControl(CControlBase* control);
    // Moves the focus to the next (or previous) Tab stop in reading order, wrapping round. False
    // when the window has none.
    bool MoveFocus(bool forward);
    // The focusable controls in reading order, one stop each, except that the members of a focus
    // group (CControlBase::FocusGroup) share the stop of the first of them.
    std::vector<std::vector<CControlBase*>> TabStops() const;
    // The shown controls in the order a reader and Tab visit them: the order they were added,
    // which windows keep top to bottom, column by column.
    virtual std::vector<CControlBase*> ReadingOrder() const;
    // The controls told to readers (ReadingOrder without decoration); accessible items are
    // numbered by this list.
    std::vector<CControlBase*> ExposedControls() const;
    // The window's name for readers; the title when unset.
    void SetAccessibleTitle(Text title) { accessibleTitle_ = std::move(title); }
    // The keyboard's mark round the focused control, in the skin's highlight colour (drawn by
    // DrawControls after the controls).
    void DrawFocusMark(Painter& p) const;
    // Runs what a key or a reader asked of control, then announces what changed about it.
    bool ActOn(CControlBase* control, const std::function<bool(CControlBase&)>& act);

    // ---- Pointer routing (windows may extend these; call the base) ----
    virtual void OnMouseMove(uint32_t flags, Point pt);
    virtual void OnMouseLeave();
    virtual void OnMouseHover(uint32_t flags, Point pt);
    virtual void OnLButtonDown(uint32_t flags, Point pt);
    virtual void OnLButtonUp(uint32_t flags, Point pt);
    virtual void OnLButtonDblClk(uint32_t flags, Point pt);
    virtual void OnRButtonUp(uint32_t flags, Point pt);
    // The wheel turned over the window (delta 120 per notch, positive away from the user).
    virtual void OnMouseWheel(uint32_t, int32_t, Point) {}

    // ---- Popups ----
    // Adopts a created popup; it lives until it is closed (or the dialog goes).
    CWndPopup* AdoptPopup(std::unique_ptr<CWndPopup> popup);
    // The popup adopted last (it may have closed since); null when none.
    CWndPopup* NewestPopup() const { return popups_.empty() ? nullptr : popups_.back().get(); }
    CWndPopup*& PopupSlot(int slot) { return popupSlots_.at(size_t(slot)); }
    std::vector<CWndPopup*>& MacroSetPopups() { return macroSetPopups_; }
    // Posts a close request to the popup of the slot, if open, and empties the slot.
    void ClosePopup(int slot);
    void CloseMacroSetPopup(size_t set);
    // Closes every open popup: each slot and each macro list.
    void CloseAllPopups();
    // Called by a popup whose window went away.
    void PopupDestroyed(CWndPopup* popup);

    // ---- Environment ----
    platform::Platform& GetPlatform() const { return platform_; }
    platform::ImageCache& Images() const { return platform_.images(); }
    float Scale() const { return platform_.screen().displayScale; }
    // A rectangle in design pixels at the display scale (each coordinate scaled, truncated).
    Rect Scaled(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
        const float s = Scale();
        return {int32_t(float(left) * s), int32_t(float(top) * s), int32_t(float(right) * s),
                int32_t(float(bottom) * s)};
    }
    float PixelDensity() const { return platform_.screen().pixelDensity; }
    const FontSpec& DialogFont() const { return dialogFont_; }

protected:
    // platform::WindowHost
    void onPaint(Painter& p, const Rect& dirty) override;
    void onPointer(const platform::PointerEvent& e) override;
    bool onKey(const platform::KeyEvent& e) override;
    intptr_t onMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void onTimer(int id) override { OnTimer(id); }
    void onCloseRequest() override { SendMessage(kMsgClose); }
    platform::AccessibleNode accessibleWindow() const override;
    std::vector<platform::AccessibleNode> accessibleItems() const override;
    bool accessibleAct(int item, platform::AccessibleAction action) override;
    bool accessibleFocus(int item) override;
    bool accessibleSetValue(int item, int32_t value) override;
    bool accessibleSelect(int item, int child) override;
    // A dialog whose answer is the key typed (Tab, Space and the arrows included) keeps every
    // key for itself: no Tab order and no focused control there.
    virtual bool TypedKeyIsTheAnswer() const { return false; }
    // Tab, Shift+Tab and the focused control's keys; true when used.
    bool HandleFocusKey(const platform::KeyEvent& e);

    // Controls whose release repaints the whole window (their look depends on others').
    static bool RepaintsWholeWindow(uint32_t id);

private:
    bool CreateWindowObject();
    void KillFocusOfPressed();
    void SweepClosedPopups();

    platform::Platform& platform_;
    CDlgBase* parent_;
    std::unique_ptr<platform::Window> window_;
    std::array<std::vector<std::unique_ptr<CControlBase>>, kListCount> lists_;
    CControlBase* hot_ = nullptr;
    CControlBase* pressed_ = nullptr;
    Rect pressedRect_{-1, -1, -1, -1};
    bool tracking_ = false;
    bool buttonDown_ = false;
    bool dragArmed_ = false;  // pressed on the background: the first motion moves the window
    Point dragFrom_{};
    bool captured_ = false;
    Point lastPoint_{-1, -1};
    CControlBase* focus_ = nullptr;
    Text accessibleTitle_;
    std::array<CWndPopup*, kPopupSlots> popupSlots_{};
    std::vector<CWndPopup*> macroSetPopups_;
    std::vector<std::unique_ptr<CWndPopup>> popups_;
    bool sweepPosted_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int32_t width_ = 2254;
    int32_t height_ = 1480;
    FontSpec dialogFont_;
    Size frameSize_{100, 100};
    int32_t frameMargin_ = 0;
    uint32_t background_ = 0xEFE2BA;
    Image frame_;
    intptr_t result_ = kIdCancel;
    bool ended_ = false;
    bool modalPending_ = false;
    std::set<int> timers_;
};

}  // namespace orvane::ui
