#include "ChangeRun.h"

#include <algorithm>
#include <limits>
#include <thread>

#include "ClipboardProbe.h"
#include "Differences.h"
#include "ProcessFigures.h"

namespace veltrane::testing {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long the open window may take to show a state, by the README's own
// limits: fonts are handed over at most every 2 s, after a scan; a server that
// did not answer is backed off 2 s, doubling to 60 s; a read is given up
// after a silence, taken as 10 s while the printing layer is rewritten.
constexpr auto kFontHandover = 2s;
constexpr auto kFirstBackOff = 2s;
constexpr auto kLongestBackOff = 60s;
constexpr auto kSilence = 10s;
// A scan of the fonts with their caches up to date, at 3,000 families.
constexpr auto kScan = 1s;
// The redraws and reads themselves, a second or so each.
constexpr auto kRedrawsAndReads = 5s;
// The longest the window may go without answering another program.
constexpr auto kAnswerWithin = 2s;
// Each change reloads the window once at most; one that leaves the fonts as
// they were, such as a pipe beside them, not at all.
int mostReloadsFor(const Kind& kind) {
    if (kind.side == Side::Printers) return 1;
    if (kind.side == Side::Fonts && kind.mayBring == Difference::None) return 0;
    return std::numeric_limits<int>::max();
}

// A far server's fresh start shows this until its first answer, then reloads.
bool stillAsking(const HeardWindow& window) {
    return window.label5Tooltip.find("The print server is being asked.") != std::string::npos;
}

std::set<std::string> fieldsDiffering(const HeardWindow& a, const HeardWindow& b) {
    std::set<std::string> fields;
    const auto differ = [&](const char* name, bool same) {
        if (!same) fields.insert(name);
    };
    differ("Text1", a.text1 == b.text1);
    differ("Text4", a.text4 == b.text4);
    differ("Label5", a.label5 == b.label5);
    differ("Label5's tooltip", a.label5Tooltip == b.label5Tooltip);
    differ("Label6", a.label6 == b.label6);
    differ("Label6's tooltip", a.label6Tooltip == b.label6Tooltip);
    differ("List1", a.list1.entries == b.list1.entries);
    differ("List2", a.list2.entries == b.list2.entries);
    differ("List1's selection", a.list1.selected == b.list1.selected);
    differ("List2's selection", a.list2.selected == b.list2.selected);
    return fields;
}

// The expected window the shown one differs from least, to tell the difference.
const HeardWindow& closestTo(const Expected& expected, const std::optional<HeardWindow>& shown) {
    return *std::min_element(expected.windows.begin(), expected.windows.end(),
                             [&](const HeardWindow& a, const HeardWindow& b) {
                                 return shown && fieldsDiffering(a, *shown).size() <
                                                     fieldsDiffering(b, *shown).size();
                             });
}

}  // namespace

ChangeRun::ChangeRun(const Conditions& conditions)
    : environment_(conditions), world_(prepare(environment_)) {
    reopen();
}

void ChangeRun::reopen() {
    reloads_.reset();
    if (window_) {
        window_->close();
        window_->exitStatus(5);
    }
    window_ = environment_.start();
    reloads_ = std::make_unique<ReloadCounter>(environment_.display(), window_->window());
    window_->copyWith("alt+c");  // the window owns the clipboard the probe asks for
    const auto heard = readUntilStable(*window_);
    if (!heard) throw DriverFailure("the window is not on the accessibility bus");
    shown_ = *heard;
    if (figures_.steps > longestOpen_.steps) longestOpen_ = figures_;
    figures_ = {};
}

WindowFigures ChangeRun::figures() const {
    return figures_.steps >= longestOpen_.steps ? figures_ : longestOpen_;
}

std::optional<Divergence> ChangeRun::take(const Step& step) {
    const Kind& kind = kindNamed(step.kind);
    if (!kind.applicable(world_))
        throw DriverFailure("a step that cannot come now: " + step.line());
    steps_.push_back(step);
    const World before = world_;
    int reloadsBefore = reloads_->reloads();
    std::optional<Divergence> divergence;
    {
        const ClipboardProbe probe(environment_.display());
        Changes changes{environment_, world_, *window_};
        kind.apply(changes, step.arguments);
        kind.check(changes, step.arguments, before);
        keepTime(before);
        if (kind.side == Side::Environment) {
            reopen();
            reloadsBefore = reloads_->reloads();
        }
        if (kind.side == Side::User) shown_ = readUntilStable(*window_).value_or(shown_);
        divergence = compare(kind, reloadsBefore);
        longestWait_ = std::max(longestWait_, probe.longestWait());
        if (!divergence && probe.longestWait() > kAnswerWithin) {
            divergence =
                Divergence{steps_,
                           "the window went " + std::to_string(probe.longestWait().count()) +
                               " ms without answering another program",
                           {"answers"}};
        }
    }
    measure();
    return divergence;
}

std::optional<Divergence> ChangeRun::compare(const Kind& kind, int reloadsBefore) {
    const auto fresh = readUntilStable(*environment_.start());
    if (!fresh) throw DriverFailure("a fresh start is not on the accessibility bus");
    const Facts facts{world_.server().paused, world_.noPrinters()};
    const Expected expected = expectedWindow(shown_, *fresh, facts);
    const auto shown = settle(expected, kind.side == Side::Fonts ? kFontHandover + kScan : 0s);
    const int reloads = reloads_->reloads() - reloadsBefore;
    if (shown) shown_ = *shown;
    if (!shown || !expected.accepts(*shown)) {
        const HeardWindow& closest = closestTo(expected, shown);
        return Divergence{
            steps_,
            "the open window is not what a fresh start shows",
            shown ? fieldsDiffering(closest, *shown) : std::set<std::string>{"the window"},
            closest,
            shown,
            expected.difference};
    }
    if (reloads > mostReloadsFor(kind)) {
        return Divergence{steps_,
                          "one change reloaded the window " + std::to_string(reloads) + " times",
                          {"reloads"}};
    }
    return std::nullopt;
}

// Two reads that agree, and no longer the far server's first answer awaited.
// A window that lost the focus before that answer came shows it at its next
// redraw, as a user gives it.
std::optional<HeardWindow> ChangeRun::readUntilStable(const RunningProgram& program) {
    std::optional<HeardWindow> last;
    for (const auto until = Clock::now() + kSilence + kRedrawsAndReads; Clock::now() < until;) {
        const auto heard = environment_.heard(program);
        if (heard && heard == last && !stillAsking(*heard)) break;
        if (heard && heard == last) program.uncover();
        last = heard;
        std::this_thread::sleep_for(200ms);
    }
    return last;
}

// A change of fonts is handed over a while later, whatever it shows: so that
// its reload comes within its own step, the window is redrawn that long at least.
std::optional<HeardWindow> ChangeRun::settle(const Expected& expected,
                                             std::chrono::seconds atLeast) {
    std::optional<HeardWindow> last;
    const auto from = Clock::now();
    for (const auto until = from + bound(); Clock::now() < until;) {
        window_->uncover();
        const auto heard = environment_.heard(*window_);
        if (heard && heard == last && expected.accepts(*heard) && Clock::now() - from >= atLeast) {
            break;
        }
        last = heard;
    }
    return last;
}

// A server restarted may be backed off once; one that stayed silent a while,
// about as long, after the read it was silent at has been given up.
std::chrono::seconds ChangeRun::bound() const {
    const auto backOff = std::min<std::chrono::seconds>(kFirstBackOff + silence_, kLongestBackOff);
    return kRedrawsAndReads + kFontHandover + kScan + backOff + (silence_ > 0s ? kSilence : 0s);
}

// A server paused for a while is backed off for as long, about, once it answers again.
void ChangeRun::keepTime(const World& before) {
    if (!before.anyPaused() && world_.anyPaused()) pausedAt_ = Clock::now();
    silence_ = before.anyPaused() && !world_.anyPaused()
                   ? std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - pausedAt_)
                   : 0s;
}

void ChangeRun::measure() {
    ++figures_.steps;
    figures_.lateMegabytes = residentMegabytes(window_->pid());
    figures_.lateDescriptors = openDescriptors(window_->pid());
    if (figures_.steps <= 100) {
        figures_.earlyMegabytes = figures_.lateMegabytes;
        figures_.earlyDescriptors = figures_.lateDescriptors;
    }
}

}  // namespace veltrane::testing
