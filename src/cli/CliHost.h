#pragma once
// The device link's host for the command line: no window, so the only work is writing the
// files the link asks for. The first file error is kept for the exit status.
#include <optional>

#include "base/Result.h"
#include "device/LinkHost.h"
#include "profile/AppData.h"

namespace orvane::cli {

class CliHost : public LinkHost {
public:
    explicit CliHost(AppData& app) : app_(app) {}

    bool writeSettings() override;
    bool writeProfile(int index) override;
    void saveAll() override;
    bool confirmFactoryReset() override { return confirmReset; }

    bool confirmReset = false;
    [[nodiscard]] const std::optional<Error>& fileError() const { return fileError_; }

private:
    bool keep(const Status& status);

    AppData& app_;
    std::optional<Error> fileError_;
};

}  // namespace orvane::cli
