#pragma once
// The device link's host for the command line: no window, so its work is writing the files the
// link asks for and keeping what happened: every file written with its result, and the report
// of every pass and reset, for the command's own report.
#include <string>
#include <vector>

#include "base/Result.h"
#include "device/LinkHost.h"
#include "profile/AppData.h"

namespace orvane::cli {

struct FileWrite {
    std::string path;
    bool saved = false;
    std::string error;
};

class CliHost : public LinkHost {
public:
    explicit CliHost(AppData& app) : app_(app) {}

    bool writeSettings() override;
    bool writeProfile(int index) override;
    void saveAll() override;
    bool confirmFactoryReset() override { return confirmReset; }
    void passFinished(const PassReport& report) override { passes_.push_back(report); }

    bool confirmReset = false;
    [[nodiscard]] const std::vector<FileWrite>& writes() const { return writes_; }
    [[nodiscard]] const std::vector<PassReport>& passes() const { return passes_; }

private:
    bool keep(const std::string& path, const Status& status);

    AppData& app_;
    std::vector<FileWrite> writes_;
    std::vector<PassReport> passes_;
};

}  // namespace orvane::cli
