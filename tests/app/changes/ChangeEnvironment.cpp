#include "ChangeEnvironment.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace veltrane::testing {

namespace {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

void makeFolder(const std::string& path) {
    std::filesystem::create_directories(path);
}

}  // namespace

ChangeEnvironment::ChangeEnvironment(const Conditions& conditions)
    : folder_("veltrane-changes"),
      windowManager_(xvfb_.display()),
      bus_(xvfb_.display()),
      fonts_(conditions.generatedFonts),
      far_(conditions.far),
      launcher_{"setpriv", "--bounding-set=-dac_override,-dac_read_search"} {
    for (const char* sub : {"home/.cups", "server-root", "scratch", "log"})
        makeFolder(folder_ / sub);
    checkThatUnreadableFoldersAre();
    makeFontSource();
    std::ofstream(folder_ / "no-folders.conf") << "<?xml version=\"1.0\"?>\n<fontconfig/>\n";
    useServer("A");
}

void ChangeEnvironment::makeFontSource() const {
    const std::string made = folder_ / "source";
    makeFolder(made);
    if (Process::run({VELTRANE_MAKE_FONT_FAMILIES, "--basic-latin", kDejaVuSans, made,
                      "Veltrane Source"}) != 0) {
        throw std::runtime_error("the font to copy could not be made");
    }
    std::filesystem::rename(std::filesystem::directory_iterator(made)->path(), fontSource());
}

// Without it a folder made unreadable would be read all the same.
void ChangeEnvironment::checkThatUnreadableFoldersAre() const {
    const std::string closed = folder_ / "closed";
    makeFolder(closed);
    ::chmod(closed.c_str(), 0);
    std::vector<std::string> argv = launcher_;
    argv.insert(argv.end(), {"ls", closed});
    if (Process::run(argv) == 0) {
        throw std::runtime_error("the launcher leaves the programs able to read " + closed);
    }
}

void ChangeEnvironment::useServer(const std::string& name) {
    std::ofstream(home() + "/.cups/client.conf") << "ServerName " << addressOf(name) << "\n";
}

// A far road keeps its port while the run goes on, as the server behind it does.
std::string ChangeEnvironment::addressOf(const std::string& name) {
    if (far_ == std::chrono::milliseconds(0)) return server(name).address();
    std::unique_ptr<MisbehavingServer>& road = roads_[name];
    if (!road) {
        road = std::make_unique<MisbehavingServer>(server(name).address(),
                                                   MisbehavingServer::FreePort{});
        road->delayEachWay(far_ / 2);
    }
    return road->address();
}

void ChangeEnvironment::setVariable(const std::string& name, const std::string& value) {
    variables_[name] = value;
}

// XDG_DATA_HOME and XDG_CONFIG_HOME unset: the user's font folder and
// configuration are in the home, where a user has them.
std::map<std::string, std::string> ChangeEnvironment::programEnvironment() const {
    std::map<std::string, std::string> environment = bus_.environment();
    environment.merge(fonts_.environment());
    environment.insert({{"HOME", home()},
                        {"CUPS_SERVERROOT", folder_ / "server-root"},
                        {"CUPS_SERVER", ""},
                        {"LPDEST", ""},
                        {"PRINTER", ""},
                        {"XDG_DATA_HOME", ""},
                        {"XDG_CONFIG_HOME", ""},
                        {"XDG_CACHE_HOME", ""},
                        {"QT_QPA_PLATFORM", "xcb"}});
    for (const auto& [name, value] : variables_) environment[name] = value;
    return environment;
}

std::map<std::string, std::string> ChangeEnvironment::checkEnvironment(const std::string& server) {
    std::map<std::string, std::string> environment = programEnvironment();
    environment["CUPS_SERVER"] = this->server(server).socket();
    return environment;
}

std::unique_ptr<RunningProgram> ChangeEnvironment::start() {
    auto program = std::make_unique<RunningProgram>(
        VELTRANE_EXECUTABLE, programEnvironment(),
        folder_ / ("log/veltrane-" + std::to_string(++started_) + ".log"), launcher_);
    program->waitUntilIdle();
    return program;
}

std::optional<HeardWindow> ChangeEnvironment::heard(const RunningProgram& program) const {
    return heardWindow(bus_.tree("Veltrane", program.pid()));
}

}  // namespace veltrane::testing
