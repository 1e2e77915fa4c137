#include "profile/AppPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "profile/AtomicFile.h"

#ifndef ORVANE_INSTALLED_DATADIR
#define ORVANE_INSTALLED_DATADIR "/usr/local/share/orvane"
#endif

namespace orvane {

namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

fs::path absoluteOr(const fs::path& p) {
    std::error_code ec;
    auto a = fs::absolute(p, ec);
    return ec ? p : a.lexically_normal();
}

// The build tree and a portable copy carry skins/ or config/ beside the program; an installed
// program finds its share/orvane one level up from bin/, wherever the prefix was moved, and
// falls back to the prefix it was built for.
fs::path shippedFolderIn(const FolderEnvironment& env) {
    const fs::path& exe = env.executableFolder;
    if (isFolder(exe / "skins") || isFolder(exe / "config")) return exe;
    const fs::path relocated = (exe.parent_path() / "share" / "orvane").lexically_normal();
    if (!exe.empty() && isFolder(relocated)) return relocated;
    return env.installedDataFolder;
}

// mkdir -p, with new folders private to the user as the base-directory rules ask.
Status makeFolders(const fs::path& folder) {
    if (isFolder(folder)) return {};
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder) {
        if (Status s = makeFolders(parent); !s) return s;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return makeError(errno, "create " + folder.string());
    if (!isFolder(folder)) return makeError(ENOTDIR, "create " + folder.string());
    return {};
}

}  // namespace

std::optional<fs::path> UserConfigHome(const FolderEnvironment& env) {
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (auto xdg = env.getenv("XDG_CONFIG_HOME"); xdg && !xdg->empty() && fs::path(*xdg).is_absolute())
        return fs::path(*xdg);
    if (auto home = env.getenv("HOME"); home && !home->empty()) return fs::path(*home) / ".config";
    return std::nullopt;
}

std::optional<fs::path> PictureStoreFolder(const AppFolders& folders, const FolderEnvironment& env) {
    switch (folders.choice) {
        case FolderChoice::AppDirOption:
        case FolderChoice::AppDirEnvironment:
            return folders.config.parent_path() / "cache" / "pictures";
        case FolderChoice::Portable:
            return env.executableFolder / "cache" / "pictures";
        case FolderChoice::PerUser:
            break;
    }
    // A relative XDG_CACHE_HOME is invalid and must be ignored.
    if (auto xdg = env.getenv("XDG_CACHE_HOME"); xdg && !xdg->empty() && fs::path(*xdg).is_absolute())
        return fs::path(*xdg) / "orvane" / "pictures";
    if (auto home = env.getenv("HOME"); home && !home->empty()) return fs::path(*home) / ".cache" / "orvane" / "pictures";
    return std::nullopt;
}

fs::path ExecutableFolder() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
    return fs::current_path(ec);
}

FolderEnvironment FolderEnvironment::Current() {
    FolderEnvironment env;
    env.getenv = [](const char* name) -> std::optional<std::string> {
        if (const char* v = std::getenv(name)) return std::string(v);
        if (std::string_view(name) == "HOME") {
            if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return std::string(pw->pw_dir);
        }
        return std::nullopt;
    };
    env.executableFolder = ExecutableFolder();
    env.installedDataFolder = ORVANE_INSTALLED_DATADIR;
    env.writableFolder = [](const fs::path& p) {
        return isFolder(p) && ::access(p.c_str(), W_OK | X_OK) == 0;
    };
    return env;
}

Result<AppFolders> ResolveFolders(const FolderRequest& request, const FolderEnvironment& env) {
    AppFolders f;
    f.shipped = shippedFolderIn(env);
    const auto appDirEnv = env.getenv("ORVANE_APP_DIR");
    if (request.appDir && !request.appDir->empty()) {
        f.choice = FolderChoice::AppDirOption;
        f.config = absoluteOr(*request.appDir) / "config";
    } else if (appDirEnv && !appDirEnv->empty()) {
        f.choice = FolderChoice::AppDirEnvironment;
        f.config = absoluteOr(*appDirEnv) / "config";
    } else if (env.writableFolder(env.executableFolder / "config")) {
        f.choice = FolderChoice::Portable;
        f.config = env.executableFolder / "config";
    } else {
        const auto base = UserConfigHome(env);
        if (!base) return makeError(ENOENT, "find the home folder (set HOME or XDG_CONFIG_HOME)");
        f.choice = FolderChoice::PerUser;
        f.config = *base / "orvane";
    }
    // A folder named explicitly is the caller's to use; otherwise the virtual mouse gets its own
    // files, so nothing it reports (another sensor, a reset) reaches the user's real profiles.
    if (request.simulate && (f.choice == FolderChoice::Portable || f.choice == FolderChoice::PerUser)) {
        f.config /= "simulation";
        f.simulation = true;
    }
    return f;
}

Result<AppFolders> ResolveFolders(const FolderRequest& request) {
    return ResolveFolders(request, FolderEnvironment::Current());
}

Status PrepareConfigFolder(const AppFolders& folders) {
    if (Status made = makeFolders(folders.config); !made) return made;
    const fs::path source = folders.shipped / "config";
    std::error_code ec;
    if (fs::equivalent(source, folders.config, ec)) return {};
    for (std::string_view name : kSeededFiles) {
        const fs::path target = folders.config / name;
        if (fs::symlink_status(target, ec).type() != fs::file_type::not_found) continue;
        if (!fs::is_regular_file(source / name, ec)) continue;  // a reader falls back to defaults
        auto bytes = ReadFileBytes(source / name);
        if (!bytes) continue;
        if (Status s = WriteFileAtomically(target, *bytes); !s) return s;
    }
    return {};
}

std::string ConfigFolderReason(const AppFolders& folders) {
    std::string why;
    switch (folders.choice) {
        case FolderChoice::AppDirOption:
            why = "from --app-dir";
            break;
        case FolderChoice::AppDirEnvironment:
            why = "from ORVANE_APP_DIR";
            break;
        case FolderChoice::Portable:
            why = "portable: the program's folder holds a writable config/";
            break;
        case FolderChoice::PerUser:
            why = "per-user folder, $XDG_CONFIG_HOME/orvane";
            break;
    }
    if (folders.simulation)
        why = std::string("--simulate without --app-dir keeps its own files, apart from the ") +
              (folders.choice == FolderChoice::Portable ? "program's config/" : "per-user folder");
    return why;
}

std::string DescribeConfigFolder(const AppFolders& folders) {
    return folders.config.string() + " (" + ConfigFolderReason(folders) + ")";
}

std::vector<fs::path> PictureFolders(const FolderEnvironment& env, const FolderRequest& request) {
    const fs::path shipped = shippedFolderIn(env);
    std::vector<fs::path> folders;
    if (auto resolved = ResolveFolders(FolderRequest{request.appDir, false}, env)) {
        switch (resolved->choice) {
            case FolderChoice::AppDirOption:
            case FolderChoice::AppDirEnvironment: folders.push_back(resolved->config.parent_path()); break;
            case FolderChoice::PerUser: folders.push_back(resolved->config); break;
            case FolderChoice::Portable: break;  // the program's own folder is the shipped one
        }
    }
    std::error_code ec;
    if (folders.empty() || !fs::equivalent(folders.front(), shipped, ec)) folders.push_back(shipped);
    return folders;
}

std::vector<std::string> PictureFolderNames(const FolderEnvironment& env, const FolderRequest& request) {
    std::vector<std::string> names;
    for (const fs::path& f : PictureFolders(env, request)) names.push_back(f.empty() ? std::string("./") : f.string());
    return names;
}

fs::path ShippedFolder() {
    return shippedFolderIn(FolderEnvironment::Current());
}

}  // namespace orvane
