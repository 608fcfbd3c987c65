#include "PrivateCupsd.h"

#include "Eventually.h"

#include <cups/cups.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace veltrane::testing {

namespace {

void write(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

}  // namespace

PrivateCupsd::PrivateCupsd() : folder_("veltrane-cups") {
    // cupsd drops to the lp user, which must reach every folder it uses.
    ::chmod(folder().c_str(), 0777);
    for (const char* sub : {"spool", "tmp", "cache", "state", "log", "ppd", ".cups"}) {
        const std::string path = folder_ / sub;
        std::filesystem::create_directory(path);
        ::chmod(path.c_str(), 0777);
    }
    writeConfiguration();
    start();
}

void PrivateCupsd::writeConfiguration() {
    write(folder_ / "cupsd.conf",
          "Listen " + socket() +
              "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n");
    const std::string root = folder();
    write(folder_ / "cups-files.conf",
          "User lp\nGroup lp\nServerRoot " + root + "\nRequestRoot " + root + "/spool\nTempDir " +
              root + "/tmp\nCacheDir " + root + "/cache\nStateDir " + root + "/state\nAccessLog " +
              root + "/log/access_log\nErrorLog " + root + "/log/error_log\nPageLog " + root +
              "/log/page_log\nFileDevice Yes\n");
}

void PrivateCupsd::start() {
    std::filesystem::remove(socket());
    cupsd_ = std::make_unique<Process>(
        std::vector<std::string>{"cupsd", "-f", "-c", folder_ / "cupsd.conf", "-s",
                                 folder_ / "cups-files.conf"},
        environment(), folder_ / "log/cupsd.out");
    const auto listening = [&] { return std::filesystem::exists(socket()); };
    if (!eventually(10, [&] { return listening() || !cupsd_->running(); }) || !listening()) {
        throw std::runtime_error("the private cupsd did not start; see " + folder() + "/log");
    }
}

void PrivateCupsd::stop() {
    cupsd_.reset();
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

void PrivateCupsd::removeQueue(const std::string& name) {
    admin({"-x", name});
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
    std::string ppd =
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
        "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"VTEST.PPD\"\n"
        "*Manufacturer: \"Test\"\n*Product: \"(Test Printer)\"\n*ModelName: \"Test Printer\"\n"
        "*ShortNickName: \"Test Printer\"\n*NickName: \"Test Printer\"\n"
        "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n"
        "*DefaultColorSpace: Gray\n*FileSystem: False\n*Throughput: \"1\"\n"
        "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
        "*OpenUI *PageSize: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
        "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
        "*CloseUI: *PageSize\n*OpenUI *PageRegion: PickOne\n"
        "*OrderDependency: 10 AnySetup *PageRegion\n*DefaultPageRegion: A4\n"
        "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageRegion\n"
        "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"0 0 595 842\"\n"
        "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n*DefaultFont: Courier\n";
    for (const std::string& font : fonts) {
        ppd += "*Font " + font + ": Standard \"(001.000)\" Standard ROM\n";
    }
    return ppd;
}

}  // namespace veltrane::testing
