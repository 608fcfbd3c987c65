#include "PrivateCupsd.h"

#include "Eventually.h"
#include "Sockets.h"

#include <cups/cups.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veltrane::testing {

namespace {

void write(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

// A template of the private print server's files, shared with
// scripts/sample-print-server, with every `placeholder` replaced by `value`.
std::string fromTemplate(const std::string& name, const std::string& placeholder,
                         const std::string& value) {
    std::ifstream file(std::string(VELTRANE_PRINT_SERVER_TEMPLATES "/") + name);
    if (!file) throw std::runtime_error("no print server template " + name);
    std::ostringstream read;
    read << file.rdbuf();
    std::string text = read.str();
    for (auto at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

// A port nothing listens on now; the server takes it a moment later.
int freeLoopbackPort() {
    const int port = portOf(listenOnFreePort("127.0.0.1"));
    if (port == 0) throw std::runtime_error("no free port on the loopback address");
    return port;
}

}  // namespace

PrivateCupsd::PrivateCupsd() : folder_("veltrane-cups"), port_(freeLoopbackPort()) {
    // cupsd drops to the lp user, which must reach every folder it uses.
    ::chmod(folder().c_str(), 0777);
    for (const char* sub : {"spool", "tmp", "cache", "state", "log", "ppd", "ssl", ".cups"}) {
        const std::string path = folder_ / sub;
        std::filesystem::create_directory(path);
        ::chmod(path.c_str(), 0777);
    }
    writeConfiguration();
    start();
}

PrivateCupsd::~PrivateCupsd() {
    stop();
}

void PrivateCupsd::writeConfiguration() {
    write(folder_ / "cupsd.conf", configuration());
    write(folder_ / "cups-files.conf", fromTemplate("cups-files.conf.in", "@FOLDER@", folder()));
}

std::string PrivateCupsd::configuration(const std::string& more) const {
    return fromTemplate("cupsd.conf.in", "@FOLDER@", folder()) + "Listen " + address() +
           "\nServerAlias *\nAccessLogLevel all\n" + more;
}

void PrivateCupsd::start() {
    std::filesystem::remove(socket());
    std::vector<std::string> argv = launcher_;
    argv.insert(argv.end(),
                {"cupsd", "-f", "-c", folder_ / "cupsd.conf", "-s", folder_ / "cups-files.conf"});
    cupsd_ = std::make_unique<Process>(argv, environment(), folder_ / "log/cupsd.out");
    const auto listening = [&] { return std::filesystem::exists(socket()); };
    if (!eventually(10, [&] { return listening() || !cupsd_->running(); }) || !listening()) {
        throw std::runtime_error("the private cupsd did not start; see " + folder() + "/log");
    }
}

// A paused server is resumed first, so that it can end as it is asked to.
void PrivateCupsd::stop() {
    resume();
    cupsd_.reset();
}

void PrivateCupsd::pause() {
    if (cupsd_ && !paused_) ::kill(cupsd_->pid(), SIGSTOP);
    paused_ = cupsd_ != nullptr;
}

void PrivateCupsd::resume() {
    if (cupsd_ && paused_) ::kill(cupsd_->pid(), SIGCONT);
    paused_ = false;
}

void PrivateCupsd::restartWith(const std::string& text) {
    stop();
    write(folder_ / "cupsd.conf", text);
    start();
}

void PrivateCupsd::requireEncryption(const std::string& address,
                                     std::vector<std::string> launcher) {
    std::string secured = configuration("Listen " + address + ":631\n");
    const std::string end = "</Location>";
    secured.replace(secured.find(end), end.size(), "  Encryption Required\n" + end);
    launcher_ = std::move(launcher);
    restartWith(secured);
}

std::string PrivateCupsd::requireAuthenticationFor(const std::string& operation) {
    restartWith(configuration("<Policy default>\n  <Limit " + operation +
                              ">\n    AuthType Basic\n    Require valid-user\n  </Limit>\n"
                              "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n"));
    return address();
}

void PrivateCupsd::requireNoAuthentication() {
    restartWith(configuration());
}

int PrivateCupsd::loggedRequests() const {
    std::ifstream log(folder_ / "log/access_log");
    int requests = 0;
    for (std::string line; std::getline(log, line);) requests += line.find("\"POST ") != line.npos;
    return requests;
}

std::map<std::string, std::string> PrivateCupsd::environment() const {
    return {{"CUPS_SERVER", socket()},
            {"CUPS_SERVERROOT", folder()},
            {"HOME", folder()},
            {"LPDEST", ""},
            {"PRINTER", ""}};
}

void PrivateCupsd::useInThisProcess() const {
    for (const auto& [name, value] : environment()) {
        if (value.empty()) {
            ::unsetenv(name.c_str());
        } else {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    cupsSetServer(nullptr);  // libcups keeps the server it found first
}

void PrivateCupsd::admin(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"lpadmin"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    if (Process::run(argv, environment()) != 0) {
        throw std::runtime_error("lpadmin failed: " + arguments.at(0) + " " + arguments.at(1));
    }
}

void PrivateCupsd::addQueue(const std::string& name, const std::optional<std::string>& ppd) {
    std::vector<std::string> arguments{"-p", name, "-E", "-v", "file:///dev/null"};
    const std::string ppdFile = folder_ / "queue.ppd";
    if (ppd) {
        write(ppdFile, *ppd);
        arguments.insert(arguments.end(), {"-P", ppdFile});
    }
    admin(arguments);
}

void PrivateCupsd::addRawQueues(const std::string& prefix, int count) {
    stop();  // which saves the queues it has
    std::ofstream printers(folder_ / "printers.conf", std::ios::app);
    for (int i = 0; i < count; ++i) {
        printers << "<Printer " << prefix << i << ">\nDeviceURI file:///dev/null\n"
                 << "State Idle\nAccepting Yes\n</Printer>\n";
    }
    printers.close();
    start();
}

void PrivateCupsd::removeQueue(const std::string& name) {
    admin({"-x", name});
}

void PrivateCupsd::replacePpd(const std::string& name, const std::string& ppd) {
    const std::string ppdFile = folder_ / "queue.ppd";
    write(ppdFile, ppd);
    admin({"-p", name, "-P", ppdFile});
}

void PrivateCupsd::addToClass(const std::string& queue, const std::string& className) {
    admin({"-p", queue, "-c", className});
    // A new class neither prints nor takes jobs until told to, as lpadmin -E tells a queue.
    for (const char* command : {"cupsenable", "cupsaccept"}) {
        if (Process::run({command, className}, environment()) != 0) {
            throw std::runtime_error(std::string(command) + " failed for " + className);
        }
    }
}

void PrivateCupsd::removeFromClass(const std::string& queue, const std::string& className) {
    admin({"-p", queue, "-r", className});
}

void PrivateCupsd::spoilPpd(const std::string& name) {
    write(folder_ / ("ppd/" + name + ".ppd"), "this is no printer description\n");
}

void PrivateCupsd::setDefault(const std::string& name) {
    admin({"-d", name});
}

void PrivateCupsd::lpoptions(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"lpoptions"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    if (Process::run(argv, environment()) != 0) throw std::runtime_error("lpoptions failed");
}

std::string testPpd(const std::vector<std::string>& fonts) {
    std::string ppd = fromTemplate("printer.ppd.in", "@NAME@", "Test Printer");
    for (const std::string& font : fonts) {
        ppd += "*Font " + font + ": Standard \"(001.000)\" Standard ROM\n";
    }
    return ppd;
}

}  // namespace veltrane::testing
