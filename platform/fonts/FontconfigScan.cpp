#include "Fontconfig.h"

#include <dirent.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <utility>

#include "CHandle.h"

// The scan of the installed fonts: fontconfig's configuration read, and its
// font folders walked before fontconfig opens a file in them.
namespace veltrane::fontconfig {

namespace {

constexpr std::size_t kLargestSample = 4 * 1024 * 1024;

void append(std::vector<std::string>& paths, FcStrList* list) {
    const CHandle<FcStrList, FcStrListDone> owned(list);
    for (FcChar8* path = nullptr; owned && (path = FcStrListNext(list)) != nullptr;) {
        paths.emplace_back(reinterpret_cast<const char*>(path));
    }
}

std::vector<std::string> fontFolders(FcConfig* configuration) {
    std::vector<std::string> folders;
    append(folders, FcConfigGetFontDirs(configuration));
    return folders;
}

std::string environment(const char* name, const std::string& otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : otherwise;
}

// The configuration's files and folders, its font folders (those it lists,
// existing or not), and where a user's own configuration goes, which the
// system's includes when it exists.
std::vector<std::string> pathsOf(FcConfig* configuration) {
    std::vector<std::string> paths;
    append(paths, FcConfigGetConfigFiles(configuration));
    append(paths, FcConfigGetConfigDirs(configuration));
    append(paths, FcConfigGetFontDirs(configuration));
    const std::string home = environment("HOME", "");
    if (home.empty()) return paths;
    const std::string config = environment("XDG_CONFIG_HOME", home + "/.config");
    paths.insert(paths.end(), {config + "/fontconfig/fonts.conf", config + "/fontconfig/conf.d",
                               home + "/.fonts.conf", home + "/.fonts.conf.d"});
    return paths;
}

// The font folders and every folder in them, as fontconfig scans them, and
// the files in them that fontconfig must not open.
struct FolderWalk {
    std::vector<std::string> folders;
    std::set<std::string> unanswering;
    std::set<std::pair<dev_t, ino_t>> seen;

    void walk(const std::string& folder) {
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return;
        if (!seen.insert({status.st_dev, status.st_ino}).second) return;
        folders.push_back(folder);
        const CHandle<DIR, closedir> entries(::opendir(folder.c_str()));
        std::vector<std::string> subfolders;
        for (const dirent* entry = nullptr; entries && (entry = ::readdir(entries.get()));) {
            if (entry->d_name[0] == '.') continue;  // as fontconfig skips them
            if (entry->d_type == DT_REG) continue;
            const std::string path = folder + "/" + entry->d_name;
            if (entry->d_type == DT_DIR) {
                subfolders.push_back(path);
                continue;
            }
            // A link, or a file system that does not tell: stat, which never
            // opens the file itself.
            struct stat file {};
            if (::stat(path.c_str(), &file) != 0) continue;
            if (S_ISDIR(file.st_mode)) {
                subfolders.push_back(path);
            } else if (!S_ISREG(file.st_mode)) {
                unanswering.insert(path);
            }
        }
        for (const std::string& subfolder : subfolders) walk(subfolder);
    }

    bool holdsUnanswering(const std::string& folder) const {
        const auto after = unanswering.lower_bound(folder + "/");
        return after != unanswering.end() && after->rfind(folder + "/", 0) == 0;
    }
};

// A folder's fonts as the application's, a file at a time where the folder
// holds files that must not be opened.
void addLeavingOut(FcConfig* configuration, const std::string& folder, const FolderWalk& walk) {
    const auto* name = reinterpret_cast<const FcChar8*>(folder.c_str());
    if (!walk.holdsUnanswering(folder)) {
        FcConfigAppFontAddDir(configuration, name);
        return;
    }
    const CHandle<DIR, closedir> entries(::opendir(folder.c_str()));
    for (const dirent* entry = nullptr; entries && (entry = ::readdir(entries.get()));) {
        const std::string path = folder + "/" + entry->d_name;
        struct stat status {};
        if (entry->d_name[0] == '.' || walk.unanswering.contains(path) ||
            ::stat(path.c_str(), &status) != 0) {
            continue;
        }
        if (S_ISDIR(status.st_mode)) {
            addLeavingOut(configuration, path, walk);
        } else {
            FcConfigAppFontAddFile(configuration, reinterpret_cast<const FcChar8*>(path.c_str()));
        }
    }
}

// The user's configuration without its folders' scan, so that building the
// fonts opens nothing; then the folders' fonts added as the application's,
// which lets files be left out.
Configuration leavingOut(const FolderWalk& walk) {
    Configuration configuration = noFonts();
    FcConfigParseAndLoad(configuration.get(), nullptr, FcTrue);
    for (const std::string& folder : fontFolders(configuration.get())) {
        addLeavingOut(configuration.get(), folder, walk);
    }
    return configuration;
}

std::string contentsOf(const char* path) {
    struct stat status {};
    if (::stat(path, &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::size_t>(status.st_size) > kLargestSample) {
        return {};
    }
    std::string contents(static_cast<std::size_t>(status.st_size), '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(contents.data(), status.st_size);
    contents.resize(static_cast<std::size_t>(file.gcount()));
    return contents;
}

std::string someFontOf(FcConfig* configuration) {
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(configuration, set);
        for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
            std::string contents = contentsOf(reinterpret_cast<const char*>(file));
            if (!contents.empty()) return contents;
        }
    }
    return {};
}

}  // namespace

Scan scan(bool forRefill, const std::string& defaultFamily) {
    Configuration configuration(FcInitLoadConfig());
    if (!configuration) return {noFonts(), {}, {}, {}, {}};
    FolderWalk walk;
    for (const std::string& folder : fontFolders(configuration.get())) walk.walk(folder);
    if (walk.unanswering.empty()) {
        FcConfigBuildFonts(configuration.get());
    } else {
        configuration = leavingOut(walk);
    }
    std::vector<std::string> watched = pathsOf(configuration.get());
    watched.insert(watched.end(), walk.folders.begin(), walk.folders.end());
    FontsRead fonts = readFonts(configuration.get());
    std::string someFont = forRefill ? someFontOf(configuration.get()) : std::string();
    // Matched here, off the user-interface thread: at tens of thousands of
    // fonts a match takes a tenth of a second.
    std::string defaultDrawnIn =
        defaultFamily.empty() ? std::string() : drawnIn(defaultFamily, configuration.get());
    return {std::move(configuration), std::move(watched),        std::move(fonts.scalable),
            std::move(someFont),      std::move(defaultDrawnIn), fonts.digest};
}

std::vector<std::string> configurationPaths() {
    const Configuration configuration(FcInitLoadConfig());
    return configuration ? pathsOf(configuration.get()) : std::vector<std::string>{};
}

}  // namespace veltrane::fontconfig
