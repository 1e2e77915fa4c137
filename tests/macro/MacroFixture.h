#pragma once
// The macro editor on the in-memory platform: a library file in a temporary folder, a language
// table whose entry N reads "#N" (so a message names its entry), and a script for the dialogs the
// code under test opens modally.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "dialogs/CAttentionDlg.h"
#include "macro/MacroActions.h"
#include "platform/FakePlatform.h"
#include "profile/AppData.h"
#include "profile/MacroLibraryFile.h"
#include "support/TempFolder.h"
#include "ui/CDlgBase.h"

namespace orvane::macro::test {

using platform::FakeWindow;

inline platform::KeyEvent keyDown(uint32_t vk) {
    platform::KeyEvent e;
    e.vk = vk;
    return e;
}

inline Text entry(int n) { return fromUtf8("#" + std::to_string(n)); }

inline platform::Point centreOf(const ui::CDlgBase& d, uint32_t id) {
    const auto r = d.FindControl(id)->GetRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline void clickControl(ui::CDlgBase& d, uint32_t id) {
    const auto c = centreOf(d, id);
    static_cast<FakeWindow*>(d.GetWindow())->click(c.x, c.y);
}

// A macro with the given actions (command count as given).
inline MacroKey macroWith(Text name, std::initializer_list<ActionBytes> actions, uint8_t commands = 0) {
    MacroKey k(std::move(name));
    for (const auto& a : actions) k.InsertAction(k.ActionCount, actionValue(a));
    k.CommandActionNum = commands;
    return k;
}

class MacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = orvane::test::MakeTempFolder("orvane-macro");
        app_ = std::make_unique<AppData>(ConfigFolder{dir_});
        for (int i = 0; i < LanguageTable::kSize; ++i) app_->language.SetText(i, entry(i));
        platform_.onModal = [this](FakeWindow& modal) { RunScript(modal); };
    }
    void TearDown() override {
        platform_.onModal = nullptr;
        std::filesystem::remove_all(dir_);
    }

    std::filesystem::path LibraryPath() const { return app_->Config("MacroLibraryFile.mlf"); }
    void WriteLibrary(const MacroLibrary& lib) { ASSERT_TRUE(WriteLibraryFile(lib, LibraryPath()).ok()); }
    MacroLibrary ReadLibrary() {
        MacroLibrary lib;
        EXPECT_TRUE(ReadLibraryFile(lib, LibraryPath()).ok());
        return lib;
    }

    // What the user does in the next modal dialog; unscripted dialogs are cancelled.
    void Then(std::function<void(FakeWindow&, ui::CDlgBase&)> step) { script_.push_back(std::move(step)); }
    // The next dialog is answered with OK (or its Enter).
    void ThenOk() {
        Then([](FakeWindow& w, ui::CDlgBase&) { w.key(keyDown(platform::kVkReturn)); });
    }
    void RunScript(FakeWindow& w) {
        auto* dlg = dynamic_cast<ui::CDlgBase*>(&w.host());
        if (auto* a = dynamic_cast<dialogs::CAttentionDlg*>(dlg)) messages_.push_back(a->Message());
        if (!script_.empty()) {
            auto step = std::move(script_.front());
            script_.pop_front();
            step(w, *dlg);
        }
        if (w.inModal() && dlg) dlg->EndDialog(ui::kIdCancel);
    }
    // Runs what was posted (the hook's keys, pending inserts) and what is due now.
    void Settle() { platform_.clock().runPending(); }

    std::filesystem::path dir_;
    platform::FakePlatform platform_;
    std::unique_ptr<AppData> app_;
    std::deque<std::function<void(FakeWindow&, ui::CDlgBase&)>> script_;
    std::vector<Text> messages_;  // of the attention dialogs shown, in order
};

}  // namespace orvane::macro::test
