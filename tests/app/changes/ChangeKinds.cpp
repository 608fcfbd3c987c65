#include "ChangeKinds.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Eventually.h"
#include "FontconfigFamilies.h"

namespace veltrane::testing {

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kQueuePool = {"office",  "annex", "Büro&Co",
                                             "<b>x<i>", "lab",   "reception"};
const std::vector<std::string> kWords = {"Apfel", "Ärger", "Écran", "Eagle",
                                         "Zebra", "cedar", "Łódź"};
const std::vector<std::string> kPrinterFonts = {"AvantGarde", "Bookman",  "Courier",
                                                "Helvetica",  "Palatino", "Times"};
const std::vector<std::string> kPolicies = {"none", World::kQueueList, "CUPS-Get-Default"};
const std::string kMissing = "nowhere";
const std::string kInstance = "/draft";
// Where the design puts each list's first entry, in the window's pixels.
constexpr int kList1Left = 44;
constexpr int kList2Left = 497;
constexpr int kFirstEntryTop = 284;

constexpr Difference kNone = Difference::None;
constexpr Difference kBeside = Difference::BesideTheSameDefault;
constexpr Difference kNoPrinters = Difference::EveryPrinterGone;
constexpr Difference kStopped = Difference::StoppedServer;
constexpr Difference kFontsAlone = Difference::FontsAlone;

[[noreturn]] void fail(const std::string& what) {
    throw DriverFailure(what);
}

void run(const std::vector<std::string>& argv,
         const std::map<std::string, std::string>& environment) {
    if (Process::run(argv, environment) != 0) fail(argv.front() + " " + argv.at(1) + " failed");
}

std::vector<std::string> launched(const Changes& c, std::vector<std::string> argv) {
    argv.insert(argv.begin(), c.environment.launcher().begin(), c.environment.launcher().end());
    return argv;
}

std::string queueOf(const std::string& destination) {
    return destination.substr(0, destination.find('/'));
}

// --- Choices drawn from the account ----------------------------------------

// A paused server would keep the checks waiting; and fonts do not change meanwhile.
bool nothingPaused(const World& world) {
    return !world.anyPaused();
}

std::vector<std::string> freeNames(const ServerAccount& server) {
    std::vector<std::string> names;
    for (const std::string& name : kQueuePool) {
        if (!server.has(name)) names.push_back(name);
    }
    return names;
}

bool always(const ServerAccount&) {
    return true;
}
bool hasQueues(const ServerAccount& s) {
    return !s.queues.empty();
}
bool hasFreeName(const ServerAccount& s) {
    return !freeNames(s).empty();
}
bool takesMember(const ServerAccount& s) {
    return !s.queues.empty() && s.classMember.empty();
}
bool hasMember(const ServerAccount& s) {
    return !s.classMember.empty();
}

// The servers that answer and keep to `Keep`.
template <bool (*Keep)(const ServerAccount&)>
std::vector<std::string> servers(const World& world) {
    std::vector<std::string> names;
    for (const auto& [name, server] : world.servers) {
        if (server.answers() && Keep(server)) names.push_back(name);
    }
    return names;
}

template <bool (*Keep)(const ServerAccount&)>
bool anyServer(const World& world) {
    return nothingPaused(world) && !servers<Keep>(world).empty();
}

template <bool (*Keep)(const ServerAccount&)>
Arguments aServer(const World& world, Random& random) {
    return {random.pick(servers<Keep>(world))};
}

template <bool (*Keep)(const ServerAccount&)>
Arguments aQueueOn(const World& world, Random& random) {
    const std::string server = random.pick(servers<Keep>(world));
    return {server, random.pick(world.servers.at(server).queues)};
}

// One to three resident fonts of a printer description, after the arguments.
Arguments withFonts(Arguments arguments, Random& random) {
    for (std::size_t count = 1 + random.below(3); count > 0; --count) {
        arguments.push_back(random.pick(kPrinterFonts) + "-" + std::to_string(random.below(1000)));
    }
    return arguments;
}

std::vector<std::string> fontsIn(const Arguments& arguments) {
    return {arguments.begin() + 2, arguments.end()};
}

bool takesFonts(const FontFolder& f) {
    return f.listed() && f.readable;
}
bool hasBatch(const FontFolder& f) {
    return takesFonts(f) && !f.batches.empty();
}
bool takesPipe(const FontFolder& f) {
    return takesFonts(f) && f.pipe.empty();
}
bool hasPipe(const FontFolder& f) {
    return !f.pipe.empty();
}
bool readable(const FontFolder& f) {
    return f.exists && f.readable;
}
bool unreadable(const FontFolder& f) {
    return f.exists && !f.readable;
}

template <bool (*Keep)(const FontFolder&)>
std::vector<std::string> folders(const World& world) {
    std::vector<std::string> names;
    for (const auto& [name, folder] : world.folders) {
        if (Keep(folder)) names.push_back(name);
    }
    return names;
}

template <bool (*Keep)(const FontFolder&)>
bool anyFolder(const World& world) {
    return nothingPaused(world) && !folders<Keep>(world).empty();
}

template <bool (*Keep)(const FontFolder&)>
Arguments aFolder(const World& world, Random& random) {
    return {random.pick(folders<Keep>(world))};
}

std::string newTag(const World& world, Random& random) {
    return random.pick(kWords) + std::to_string(world.batches + 1);
}

std::string cacheOrNot(const World& world, Random& random) {
    return !world.pipeListed() && random.coin() ? "cache" : "no-cache";
}

// Family names that sort in the reader's order, accents and letter case included.
std::vector<std::string> familiesOf(const std::string& tag, std::size_t count) {
    std::vector<std::string> families;
    for (std::size_t i = 0; i < count; ++i) {
        families.push_back(kWords[i % kWords.size()] + " " + tag + " " + std::to_string(i));
    }
    return families;
}

template <typename Folder>
auto& batchTagged(Folder& folder, const std::string& tag) {
    for (auto& batch : folder.batches) {
        if (batch.tag == tag) return batch;
    }
    fail("no font batch " + tag);
}

// --- Effects seen from outside ---------------------------------------------

bool destinationExists(const ServerAccount& server, const std::string& name) {
    const std::string queue = queueOf(name);
    return server.has(queue) || (queue == World::kClass && server.classExists);
}

// lpstat -d names the default lp would print to; where LPDEST or PRINTER
// names a destination the server lacks it says so, and it says there is none
// where lpoptions does.
void expectDefault(const std::map<std::string, std::string>& environment,
                   const ServerAccount& server, const std::optional<std::string>& choice,
                   bool fromVariable) {
    const std::string said = Process::capture({"lpstat", "-d"}, environment);
    const bool exists = choice && destinationExists(server, *choice);
    const bool meant =
        exists ? said == "system default destination: " + *choice + "\n"
        : fromVariable
            ? said.find("names non-existent destination \"" + *choice + "\"") != std::string::npos
            : said == "no system default destination\n";
    if (!meant) {
        fail("lpstat -d says \"" + said + "\" where " + choice.value_or("none") + " is meant");
    }
}

void expectServerDefault(Changes& c, const std::string& server) {
    const ServerAccount& account = c.world.servers.at(server);
    expectDefault(c.environment.server(server).environment(), account, account.defaultQueue, false);
}

void expectChosenDefault(Changes& c, const Arguments&, const World&) {
    expectDefault(c.environment.checkEnvironment(c.world.current), c.world.server(),
                  c.world.localChoice(), !c.world.variables.empty());
}

void expectQueue(Changes& c, const std::string& server, const std::string& name, bool listed) {
    const int status =
        Process::run({"lpstat", "-p", name}, c.environment.server(server).environment());
    if ((status == 0) != listed) fail("lpstat -p " + name + " on " + server + " disagrees");
}

// Over TCP, where a password policy applies, with no terminal to ask one at:
// lpstat lists the queues, and names the default, where they are and may be asked for.
void expectPolicy(Changes& c, const Arguments& a, const World&) {
    auto environment = c.environment.server(a.at(0)).environment();
    environment["CUPS_SERVER"] = c.environment.server(a.at(0)).address();
    const auto answers = [&](const char* option) {
        return !Process::output({"setsid", "--wait", "lpstat", option}, environment)
                    .value_or("")
                    .empty();
    };
    const ServerAccount& server = c.world.servers.at(a.at(0));
    const bool queuesMeant = server.queues.empty() || server.policy != World::kQueueList;
    const bool defaultMeant = !server.defaultQueue || server.policy != "CUPS-Get-Default";
    if ((server.queues.empty() || answers("-p")) != queuesMeant ||
        (!server.defaultQueue || answers("-d")) != defaultMeant) {
        fail("server " + a.at(0) + " does not ask a password for " + server.policy + " alone");
    }
}

void expectRunning(Changes& c, const Arguments& a, bool running) {
    const std::string said =
        Process::capture({"lpstat", "-r"}, c.environment.server(a.at(0)).environment());
    if ((said == "scheduler is running\n") != running) fail("lpstat -r says " + said);
}

// The kernel stops the process a moment after the signal.
void expectPaused(Changes& c, const Arguments& a, const World&) {
    const std::string path =
        "/proc/" + std::to_string(c.environment.server(a.at(0)).pid()) + "/stat";
    const auto stopped = [&] {
        std::ifstream stat(path);
        std::string pid, name, state;
        stat >> pid >> name >> state;
        return state == "T";
    };
    if (!eventually(2, stopped)) fail("server " + a.at(0) + " is not stopped");
}

void expectDescription(Changes& c, const Arguments& a, const World&) {
    std::ifstream file(c.environment.server(a.at(0)).folder() + "/ppd/" + a.at(1) + ".ppd");
    std::ostringstream text;
    text << file.rdbuf();
    for (const std::string& font : fontsIn(a)) {
        if (text.str().find("*Font " + font + ":") == std::string::npos) {
            fail("the description of " + a.at(1) + " lacks " + font);
        }
    }
}

// fontconfig's account, as the program would read it. With a pipe in a listed
// folder fontconfig's tools would wait at it for ever: then each file is read
// alone, by fontconfig configured with no folder, and a removed one is gone.
void expectFonts(Changes& c, const FontBatch& batch, bool listed) {
    if (c.world.pipeListed()) {
        for (std::size_t i = 0; i < batch.files.size(); ++i) {
            const bool meant =
                listed ? Process::output(
                             launched(c, {"fc-scan", "--format", "%{family}", batch.files[i]}),
                             c.environment.oneFileEnvironment()) == batch.families[i]
                       : !fs::exists(batch.files[i]);
            if (!meant) fail("font file " + batch.files[i] + " is not as meant");
        }
        return;
    }
    const auto names =
        fontconfigFamilies(":", c.environment.programEnvironment(), c.environment.launcher()).names;
    for (const std::string& family : batch.families) {
        if (names.contains(family) != listed) fail("fc-list disagrees about " + family);
    }
}

void expectFolderFonts(Changes& c, const FontFolder& folder, bool listed) {
    for (const FontBatch& batch : folder.batches) expectFonts(c, batch, listed);
}

void expectReadable(Changes& c, const Arguments& a, bool readable) {
    const int status = Process::run(launched(c, {"ls", c.world.folders.at(a.at(0)).path}));
    if ((status == 0) != readable) fail("folder " + a.at(0) + " is not as meant");
}

void expectServerNamed(Changes& c, const Arguments& a, const World&) {
    const std::string said = Process::capture({"lpstat", "-H"}, c.environment.programEnvironment());
    if (said != c.environment.server(a.at(0)).address() + "\n") fail("lpstat -H says " + said);
}

// The list's entry of that number is selected, or the last where it has fewer.
void expectSelected(Changes& c, const Arguments& a, const World&) {
    const auto selected = [&] {
        const auto shown = c.environment.heard(c.window);
        if (!shown) return false;
        const HeardList& list = a.at(0) == "List1" ? shown->list1 : shown->list2;
        const std::size_t meant = std::stoul(a.at(1));
        return list.entries.empty() || list.selected == std::min(meant, list.entries.size() - 1);
    };
    if (!eventually(3, selected, std::chrono::milliseconds(100))) {
        fail(a.at(0) + " did not select entry " + a.at(1));
    }
}

// --- Changes of fonts --------------------------------------------------------

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    return files;
}

// Families made in the folder, renamed copies of the run's font.
FontBatch make(Changes& c, const std::string& folder, const std::string& tag, std::size_t count) {
    fs::create_directories(folder);
    const std::vector<std::string> before = filesIn(folder);
    FontBatch batch{tag, familiesOf(tag, count), {}};
    copyFontFamilies(c.environment.fontSource(), folder, batch.families);
    for (const std::string& file : filesIn(folder)) {
        if (std::find(before.begin(), before.end(), file) == before.end()) {
            batch.files.push_back(file);
        }
    }
    std::sort(batch.files.begin(),
              batch.files.end());  // in the order make-font-families numbers them
    if (batch.files.size() != count) fail("the fonts of " + tag + " were not all made");
    return batch;
}

void install(Changes& c, const std::string& folder, const std::string& tag, std::size_t count) {
    FontFolder& into = c.world.folders.at(folder);
    into.batches.push_back(make(c, into.path, tag, count));
    ++c.world.batches;
}

// fc-cache brings the folder's cache up to date, as an installer does.
void cacheIf(Changes& c, const std::string& cache, const std::string& folder) {
    if (cache == "cache") {
        run({"fc-cache", c.world.folders.at(folder).path}, c.environment.programEnvironment());
    }
}

void removeBatch(Changes& c, const Arguments& a) {
    FontFolder& folder = c.world.folders.at(a.at(0));
    for (const std::string& file : batchTagged(folder, a.at(1)).files) fs::remove(file);
    std::erase_if(folder.batches, [&](const FontBatch& batch) { return batch.tag == a.at(1); });
    cacheIf(c, a.at(2), a.at(0));
}

// Written beside and renamed over it, as a program saves a file: the folder
// changes, as fontconfig's cache sees it.
void replaceFile(Changes& c, const Arguments& a) {
    FontBatch& batch = batchTagged(c.world.folders.at(a.at(0)), a.at(1));
    const std::string made = c.environment.scratch() + "/replacement";
    fs::remove_all(made);
    const FontBatch replacement = make(c, made, a.at(2), 1);
    fs::rename(replacement.files.front(), batch.files.front());
    batch.families.front() = replacement.families.front();
}

void writeFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << text;
}

std::string fontconfigFile(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
           "<fontconfig>\n  " +
           body + "\n</fontconfig>\n";
}

std::string userConfiguration(const Changes& c) {
    return c.environment.home() + "/.config/fontconfig/fonts.conf";
}

// ~/.config/fontconfig/fonts.conf including another file, which adds a folder.
void makeUserConfiguration(Changes& c, const Arguments& a) {
    FontFolder& included = c.world.folders.at("included");
    const std::string other = c.environment.home() + "/.config/fontconfig/more-fonts.conf";
    writeFile(other, fontconfigFile("<dir>" + included.path + "</dir>"));
    install(c, "included", a.at(0), 1);
    writeFile(userConfiguration(c), fontconfigFile("<include>" + other + "</include>"));
    included.exists = included.configured = true;
}

void makeUserFolder(Changes& c, const Arguments& a) {
    c.world.folders.at("user").exists = true;
    install(c, "user", a.at(0), 1);
}

void removeUserFolder(Changes& c, const Arguments&) {
    FontFolder& user = c.world.folders.at("user");
    fs::remove_all(user.path);
    user = FontFolder{user.path, false, true};
}

void addPipe(Changes& c, const Arguments& a) {
    FontFolder& folder = c.world.folders.at(a.at(0));
    folder.pipe = folder.path + "/" + a.at(1);
    if (::mkfifo(folder.pipe.c_str(), 0644) != 0) fail("no pipe " + folder.pipe);
}

void makeReadable(Changes& c, const Arguments& a, bool readable) {
    FontFolder& folder = c.world.folders.at(a.at(0));
    ::chmod(folder.path.c_str(), readable ? 0755 : 0);
    folder.readable = readable;
}

// --- Changes of printers -----------------------------------------------------

ServerAccount& account(Changes& c, const Arguments& a) {
    return c.world.servers.at(a.at(0));
}

PrivateCupsd& cupsd(Changes& c, const Arguments& a) {
    return c.environment.server(a.at(0));
}

// A queue removed leaves its class without a member, and no default where it was that.
void forgetQueue(ServerAccount& server, const std::string& queue) {
    std::erase(server.queues, queue);
    if (server.classMember == queue) server.classMember.clear();
    if (server.defaultQueue == queue) server.defaultQueue.reset();
}

void removeQueue(Changes& c, const Arguments& a) {
    cupsd(c, a).removeQueue(a.at(1));
    forgetQueue(account(c, a), a.at(1));
}

void makeClassDefault(Changes& c, const Arguments& a) {
    cupsd(c, a).addToClass(a.at(1), World::kClass);
    cupsd(c, a).setDefault(World::kClass);
    account(c, a).classExists = true;
    account(c, a).classMember = a.at(1);
    account(c, a).defaultQueue = World::kClass;
}

void removeClassMember(Changes& c, const Arguments& a) {
    ServerAccount& server = account(c, a);
    cupsd(c, a).removeFromClass(server.classMember, World::kClass);  // which removes the class
    server.classExists = false;
    server.classMember.clear();
    if (server.defaultQueue == World::kClass) server.defaultQueue.reset();
}

void setPolicy(Changes& c, const Arguments& a) {
    if (a.at(1) == "none") {
        cupsd(c, a).requireNoAuthentication();
    } else {
        cupsd(c, a).requireAuthenticationFor(a.at(1));
    }
    account(c, a).policy = a.at(1);
}

// Stopped and started again, then given another default where it has another queue.
void restartWithDefault(Changes& c, const Arguments& a) {
    cupsd(c, a).stop();
    cupsd(c, a).start();
    cupsd(c, a).setDefault(a.at(1));
    account(c, a).defaultQueue = a.at(1);
}

void lpoptions(Changes& c, const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"lpoptions"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    run(argv, c.environment.checkEnvironment(c.world.current));
}

void chooseInLpoptions(Changes& c, const std::string& destination) {
    if (queueOf(destination) != destination) {
        lpoptions(c, {"-p", destination, "-o", "copies=2"});  // an instance of its own
    }
    lpoptions(c, {"-d", destination});
    c.world.lpoptionsDefault = destination;
}

std::string lpoptionsFile(const Changes& c) {
    return c.environment.home() + "/.cups/lpoptions";
}

void choose(Changes& c, const std::string& variable, const std::string& value) {
    c.environment.setVariable(variable, value);
    if (value.empty()) {
        c.world.variables.erase(variable);
    } else {
        c.world.variables[variable] = value;
    }
}

void chooseInVariable(Changes& c, const Arguments& a) {
    choose(c, a.at(0), a.at(1));
}

// The current server answers and has a queue to choose.
bool choosesLocally(const World& world) {
    return nothingPaused(world) && world.server().answers() && !world.server().queues.empty();
}

Arguments queueOfCurrent(const World& world, Random& random) {
    return {random.pick(world.server().queues)};
}

Arguments variableNaming(Random& random, const std::string& value) {
    return {random.coin() ? "LPDEST" : "PRINTER", value};
}

// The first entry clicked, Home, then Down that many times, as a user moves in a list.
void selectEntry(Changes& c, const Arguments& a) {
    c.window.click((a.at(0) == "List1" ? kList1Left : kList2Left) + 60, kFirstEntryTop);
    c.window.press("Home");
    for (int i = std::stoi(a.at(1)); i > 0; --i) c.window.press("Down");
}

// --- The table ----------------------------------------------------------------

Arguments nothing(const World&, Random&) {
    return {};
}

void expectServerDefaultOf(Changes& c, const Arguments& a, const World&) {
    expectServerDefault(c, a.at(0));
}

std::vector<Kind> table() {
    return {
        // Printers: A and B each a server of their own, the one client.conf names the current.
        {"queue-added", Side::Printers, kBeside, anyServer<hasFreeName>,
         [](const World& w, Random& r) {
             const std::string server = r.pick(servers<hasFreeName>(w));
             return withFonts({server, r.pick(freeNames(w.servers.at(server)))}, r);
         },
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).addQueue(a.at(1), testPpd(fontsIn(a)));
             account(c, a).queues.push_back(a.at(1));
         },
         [](Changes& c, const Arguments& a, const World&) {
             expectQueue(c, a.at(0), a.at(1), true);
         }},
        {"queue-removed", Side::Printers, kBeside, anyServer<hasQueues>,
         [](const World& w, Random& r) {
             Arguments chosen = aQueueOn<hasQueues>(w, r);
             const auto& theDefault = w.servers.at(chosen[0]).defaultQueue;
             if (r.coin() && theDefault && w.servers.at(chosen[0]).has(*theDefault)) {
                 chosen[1] = *theDefault;
             }
             return chosen;
         },
         removeQueue,
         [](Changes& c, const Arguments& a, const World& before) {
             expectQueue(c, a.at(0), a.at(1), false);
             expectServerDefaultOf(c, a, before);
         }},
        {"default-set", Side::Printers, kNone, anyServer<hasQueues>, aQueueOn<hasQueues>,
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).setDefault(a.at(1));
             account(c, a).defaultQueue = a.at(1);
         },
         expectServerDefaultOf},
        {"default-class", Side::Printers, kNone, anyServer<takesMember>, aQueueOn<takesMember>,
         makeClassDefault,
         [](Changes& c, const Arguments& a, const World& before) {
             expectQueue(c, a.at(0), World::kClass, true);
             expectServerDefaultOf(c, a, before);
         }},
        {"class-member-removed", Side::Printers, kNone, anyServer<hasMember>, aServer<hasMember>,
         removeClassMember,
         [](Changes& c, const Arguments& a, const World& before) {
             expectQueue(c, a.at(0), World::kClass, false);
             expectServerDefaultOf(c, a, before);
         }},
        {"lpoptions-queue", Side::Printers, kNone, choosesLocally, queueOfCurrent,
         [](Changes& c, const Arguments& a) { chooseInLpoptions(c, a.at(0)); },
         expectChosenDefault},
        {"lpoptions-instance", Side::Printers, kNone, choosesLocally, queueOfCurrent,
         [](Changes& c, const Arguments& a) { chooseInLpoptions(c, a.at(0) + kInstance); },
         expectChosenDefault},
        {"lpoptions-missing", Side::Printers, kNone, choosesLocally, nothing,
         [](Changes& c, const Arguments&) {
             writeFile(lpoptionsFile(c), "Default " + kMissing + "\n");
             c.world.lpoptionsDefault = kMissing;
         },
         expectChosenDefault},
        {"lpoptions-removed", Side::Printers, kNone,
         [](const World& w) { return choosesLocally(w) && w.lpoptionsDefault.has_value(); },
         nothing,
         [](Changes& c, const Arguments&) {
             fs::remove(lpoptionsFile(c));
             c.world.lpoptionsDefault.reset();
         },
         expectChosenDefault},
        {"variable-queue", Side::Environment, kNone, choosesLocally,
         [](const World& w, Random& r) { return variableNaming(r, r.pick(w.server().queues)); },
         chooseInVariable, expectChosenDefault},
        {"variable-instance", Side::Environment, kNone, choosesLocally,
         [](const World& w, Random& r) {
             return variableNaming(r, r.pick(w.server().queues) + kInstance);
         },
         chooseInVariable, expectChosenDefault},
        {"variable-missing", Side::Environment, kNone, choosesLocally,
         [](const World&, Random& r) { return variableNaming(r, kMissing); }, chooseInVariable,
         expectChosenDefault},
        {"variables-unset", Side::Environment, kNone,
         [](const World& w) { return choosesLocally(w) && !w.variables.empty(); }, nothing,
         [](Changes& c, const Arguments&) {
             choose(c, "LPDEST", "");
             choose(c, "PRINTER", "");
         },
         expectChosenDefault},
        {"client-conf-switched", Side::Printers, kNoPrinters, nothingPaused,
         [](const World& w, Random&) { return Arguments{w.current == "A" ? "B" : "A"}; },
         [](Changes& c, const Arguments& a) {
             c.environment.useServer(a.at(0));
             c.world.current = a.at(0);
         },
         expectServerNamed},
        {"server-paused", Side::Printers, kStopped,
         [](const World& w) { return nothingPaused(w) && w.server().running; },
         [](const World& w, Random&) { return Arguments{w.current}; },
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).pause();
             account(c, a).paused = true;
         },
         expectPaused},
        {"server-resumed", Side::Printers, kNone, [](const World& w) { return w.anyPaused(); },
         [](const World& w, Random&) { return Arguments{w.servers.at("A").paused ? "A" : "B"}; },
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).resume();
             account(c, a).paused = false;
         },
         [](Changes& c, const Arguments& a, const World&) { expectRunning(c, a, true); }},
        {"server-restarted", Side::Printers, kNone, anyServer<hasQueues>,
         [](const World& w, Random& r) {
             Arguments chosen = aServer<hasQueues>(w, r);
             const ServerAccount& server = w.servers.at(chosen[0]);
             std::vector<std::string> others = server.queues;
             if (others.size() > 1 && server.defaultQueue) std::erase(others, *server.defaultQueue);
             chosen.push_back(r.pick(others));
             return chosen;
         },
         restartWithDefault, expectServerDefaultOf},
        {"server-down", Side::Printers, kNoPrinters, anyServer<always>, aServer<always>,
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).stop();
             account(c, a).running = false;
         },
         [](Changes& c, const Arguments& a, const World&) { expectRunning(c, a, false); }},
        {"server-up", Side::Printers, kNone,
         [](const World& w) { return !w.servers.at("A").running || !w.servers.at("B").running; },
         [](const World& w, Random&) { return Arguments{w.servers.at("A").running ? "B" : "A"}; },
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).start();
             account(c, a).running = true;
         },
         [](Changes& c, const Arguments& a, const World&) { expectRunning(c, a, true); }},
        {"policy-switched", Side::Printers, kNone, anyServer<always>,
         [](const World& w, Random& r) {
             Arguments chosen = aServer<always>(w, r);
             std::vector<std::string> others = kPolicies;
             std::erase(others, w.servers.at(chosen[0]).policy);
             chosen.push_back(r.pick(others));
             return chosen;
         },
         setPolicy, expectPolicy},
        {"ppd-replaced", Side::Printers, kNone,
         [](const World& w) {
             const auto choice = w.localChoice();
             return choosesLocally(w) && choice && w.server().has(queueOf(*choice));
         },
         [](const World& w, Random& r) {
             return withFonts({w.current, queueOf(*w.localChoice())}, r);
         },
         [](Changes& c, const Arguments& a) {
             cupsd(c, a).replacePpd(a.at(1), testPpd(fontsIn(a)));
         },
         expectDescription},

        // Fonts: the private folder FONTCONFIG_FILE names, the user's and an included one.
        {"families-installed", Side::Fonts, kFontsAlone, anyFolder<takesFonts>,
         [](const World& w, Random& r) {
             Arguments chosen = aFolder<takesFonts>(w, r);
             chosen.insert(chosen.end(), {newTag(w, r), r.coin() ? "1" : "100", cacheOrNot(w, r)});
             return chosen;
         },
         [](Changes& c, const Arguments& a) {
             install(c, a.at(0), a.at(1), std::stoul(a.at(2)));
             cacheIf(c, a.at(3), a.at(0));
         },
         [](Changes& c, const Arguments& a, const World&) {
             expectFonts(c, batchTagged(c.world.folders.at(a.at(0)), a.at(1)), true);
         }},
        {"families-removed", Side::Fonts, kFontsAlone, anyFolder<hasBatch>,
         [](const World& w, Random& r) {
             Arguments chosen = aFolder<hasBatch>(w, r);
             chosen.push_back(r.pick(w.folders.at(chosen[0]).batches).tag);
             chosen.push_back(cacheOrNot(w, r));
             return chosen;
         },
         removeBatch,
         [](Changes& c, const Arguments& a, const World& before) {
             expectFonts(c, batchTagged(before.folders.at(a.at(0)), a.at(1)), false);
         }},
        {"file-replaced", Side::Fonts, kFontsAlone, anyFolder<hasBatch>,
         [](const World& w, Random& r) {
             Arguments chosen = aFolder<hasBatch>(w, r);
             chosen.push_back(r.pick(w.folders.at(chosen[0]).batches).tag);
             chosen.push_back(newTag(w, r));
             return chosen;
         },
         replaceFile,
         [](Changes& c, const Arguments& a, const World& before) {
             const FontBatch& was = batchTagged(before.folders.at(a.at(0)), a.at(1));
             expectFonts(c, batchTagged(c.world.folders.at(a.at(0)), a.at(1)), true);
             expectFonts(c, {was.tag, {was.families.front()}, {}}, false);
         }},
        {"user-folder-made", Side::Fonts, kFontsAlone,
         [](const World& w) { return nothingPaused(w) && !w.folders.at("user").exists; },
         [](const World& w, Random& r) { return Arguments{newTag(w, r)}; }, makeUserFolder,
         [](Changes& c, const Arguments&, const World&) {
             expectFolderFonts(c, c.world.folders.at("user"), true);
         }},
        {"user-folder-removed", Side::Fonts, kFontsAlone,
         [](const World& w) { return nothingPaused(w) && w.folders.at("user").exists; }, nothing,
         removeUserFolder,
         [](Changes& c, const Arguments&, const World& before) {
             expectFolderFonts(c, before.folders.at("user"), false);
         }},
        {"user-configuration-made", Side::Fonts, kFontsAlone,
         [](const World& w) {
             const FontFolder& included = w.folders.at("included");
             return nothingPaused(w) && !included.configured && included.readable;
         },
         [](const World& w, Random& r) { return Arguments{newTag(w, r)}; }, makeUserConfiguration,
         [](Changes& c, const Arguments&, const World&) {
             expectFolderFonts(c, c.world.folders.at("included"), true);
         }},
        // Its folder's fonts stay: beside a pipe fontconfig's tools could not tell them gone.
        {"user-configuration-removed", Side::Fonts, kFontsAlone,
         [](const World& w) {
             return nothingPaused(w) && w.folders.at("included").configured && !w.pipeListed();
         },
         nothing,
         [](Changes& c, const Arguments&) {
             fs::remove(userConfiguration(c));
             c.world.folders.at("included").configured = false;
         },
         [](Changes& c, const Arguments&, const World&) {
             expectFolderFonts(c, c.world.folders.at("included"), false);
         }},
        {"pipe-added", Side::Fonts, kNone, anyFolder<takesPipe>,
         [](const World& w, Random& r) {
             Arguments chosen = aFolder<takesPipe>(w, r);
             chosen.push_back("pipe-" + std::to_string(r.below(1000)) + ".ttf");
             return chosen;
         },
         addPipe,
         [](Changes& c, const Arguments& a, const World&) {
             if (!fs::is_fifo(c.world.folders.at(a.at(0)).pipe)) fail("the pipe is not there");
         }},
        {"pipe-removed", Side::Fonts, kNone, anyFolder<hasPipe>, aFolder<hasPipe>,
         [](Changes& c, const Arguments& a) {
             FontFolder& folder = c.world.folders.at(a.at(0));
             fs::remove(folder.pipe);
             folder.pipe.clear();
         },
         [](Changes&, const Arguments& a, const World& before) {
             if (fs::exists(before.folders.at(a.at(0)).pipe)) fail("the pipe is still there");
         }},
        {"folder-unreadable", Side::Fonts, kFontsAlone, anyFolder<readable>, aFolder<readable>,
         [](Changes& c, const Arguments& a) { makeReadable(c, a, false); },
         [](Changes& c, const Arguments& a, const World&) { expectReadable(c, a, false); }},
        {"folder-readable", Side::Fonts, kFontsAlone, anyFolder<unreadable>, aFolder<unreadable>,
         [](Changes& c, const Arguments& a) { makeReadable(c, a, true); },
         [](Changes& c, const Arguments& a, const World&) { expectReadable(c, a, true); }},

        // The user, in the window.
        {"entry-selected", Side::User, kNone, [](const World&) { return true; },
         [](const World&, Random& r) {
             return Arguments{r.coin() ? "List1" : "List2", std::to_string(1 + r.below(3))};
         },
         selectEntry, expectSelected},
    };
}

}  // namespace

std::string Step::line() const {
    std::string text = kind;
    for (const std::string& argument : arguments) text += "\t" + argument;
    return text;
}

Step Step::fromLine(const std::string& line) {
    Step step;
    std::istringstream words(line);
    std::getline(words, step.kind, '\t');
    for (std::string word; std::getline(words, word, '\t');) step.arguments.push_back(word);
    return step;
}

const std::vector<Kind>& changeKinds() {
    static const std::vector<Kind> kinds = table();
    return kinds;
}

const Kind& kindNamed(const std::string& name) {
    for (const Kind& kind : changeKinds()) {
        if (kind.name == name) return kind;
    }
    fail("no kind of change " + name);
}

// Two servers with other queues and other defaults, of names a label could
// take for markup or an access key.
World prepare(ChangeEnvironment& environment) {
    World world;
    const auto serve = [&](const std::string& name, const std::vector<std::string>& queues) {
        ServerAccount& account = world.servers[name];
        for (const std::string& queue : queues) {
            const std::string font = "AAA-" + name + std::to_string(account.queues.size());
            environment.server(name).addQueue(queue, testPpd({font}));
            account.queues.push_back(queue);
        }
        environment.server(name).setDefault(queues.front());
        account.defaultQueue = queues.front();
    };
    serve("A", {"office", "annex", "Büro&Co"});
    serve("B", {"lab", "<b>x<i>"});
    const std::string home = environment.home();
    world.folders["private"] = {environment.privateFonts(), true, true};
    world.folders["user"] = {home + "/.local/share/fonts", false, true};
    world.folders["included"] = {home + "/more-fonts", false, false};
    return world;
}

}  // namespace veltrane::testing
