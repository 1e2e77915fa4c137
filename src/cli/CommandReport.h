#pragma once
// The outcome of a command that changes something: what it asked for, which frames reached the
// mouse, what was not sent and why, and which files were written. Every such command fills one
// and prints it the same way, as text or JSON, so "done" is only ever said when it is true.
#include <optional>
#include <string>
#include <vector>

#include "cli/JsonWriter.h"
#include "device/PassReport.h"

namespace orvane::cli {

// Why something did not reach the mouse, in the words scripts match on.
enum class NotSentReason { Refused, MouseOffline, NoDevice, NoAccess, Withheld, TooLarge };

struct SentItem {
    std::string what;      // "polling rate", "button 3"
    uint8_t command = 0;   // the frame's command byte
    std::vector<std::string> devices;  // "wired", "receiver": those that took it
};

struct NotSentItem {
    std::string what;
    std::optional<uint8_t> command;  // absent for a whole group held back
    NotSentReason reason = NotSentReason::Refused;
    std::string detail;              // for people
};

struct FileItem {
    std::string path;
    bool saved = false;
    std::string error;
};

class CommandReport {
public:
    CommandReport(std::string command, std::string change) : command_(std::move(command)), change_(std::move(change)) {}

    // The groups the command changes. A pass that was held back is reported for these only
    // (the connection's own pass marks every group); with single, as the one change.
    void setChangeGroups(std::vector<SyncGroup> groups, bool single) {
        groups_ = std::move(groups);
        single_ = single;
    }
    // A pass or reset of the device link, as its host received it.
    void addPass(const PassReport& pass);
    // Changes that no pass could carry because the link never reached a device.
    void holdBack(const std::vector<SyncGroup>& groups, NotSentReason reason, const std::string& detail);
    // A factory reset that no device could carry.
    void resetNotSent(NotSentReason reason, const std::string& detail);
    void addFile(const std::string& path, bool saved, const std::string& error = {});
    // Macro buttons the link turned into disabled buttons (their macro left the library): not a
    // failure of the command, but the user is told, as nothing they asked for did it.
    void addDisabled(const std::vector<DisabledMacroButton>& buttons);
    void setProfile(int index) { profile_ = index; }
    // The state an on/off setting was given.
    void setEnabled(bool on) { enabled_ = on; }
    // Something the command itself could not do (a file it could not write, a mouse that did
    // not answer): the first one becomes the error message.
    void fail(const std::string& message);
    void setNote(std::string note) { note_ = std::move(note); }

    [[nodiscard]] bool complete() const;
    // The one-line message for standard error when the command did not complete.
    [[nodiscard]] std::string errorMessage() const;
    [[nodiscard]] const std::vector<SentItem>& sent() const { return sent_; }
    [[nodiscard]] const std::vector<FileItem>& files() const { return files_; }
    [[nodiscard]] const std::vector<DisabledMacroButton>& disabled() const { return disabled_; }

    // configDir shortens the paths inside it in the text form.
    [[nodiscard]] std::string text(const std::string& configDir) const;
    void writeJson(JsonWriter& json) const;

private:
    std::string command_;
    std::string change_;
    std::optional<int> profile_;
    std::optional<bool> enabled_;
    std::vector<SyncGroup> groups_;
    bool single_ = false;
    std::vector<SentItem> sent_;
    std::vector<NotSentItem> notSent_;
    std::vector<FileItem> files_;
    std::vector<DisabledMacroButton> disabled_;
    std::optional<std::string> failure_;
    std::string note_;
    bool resetAsked_ = false;
    bool resetDone_ = false;
};

const char* reasonName(NotSentReason reason);
// What --json prints for a command that failed before it had anything else to say.
std::string errorJson(int exitCode, const std::string& message);

}  // namespace orvane::cli
