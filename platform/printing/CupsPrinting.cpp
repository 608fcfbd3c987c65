#include "CupsPrinting.h"

namespace veltrane {

namespace {

template <typename Result>
const Result& resultOf(const JobResult<Result>& part) {
    if (const auto* error = std::get_if<PlatformError>(&part)) throw *error;
    return std::get<Result>(part);
}

}  // namespace

CupsPrinting::CupsPrinting(ScalableFamilies families,
                           std::function<ServerFailurePolicy::Clock::time_point()> now)
    : families_(std::move(families)), reader_(std::move(now)), answer_(reader_.latest()) {}

bool CupsPrinting::takeAnswer() {
    std::shared_ptr<const ServerAnswer> latest = reader_.latest();
    if (latest == answer_) return false;
    answer_ = std::move(latest);
    return true;
}

void CupsPrinting::showAnswer(const std::function<void()>& show) {
    if (!takeAnswer()) return;
    showingAnswer_ = true;
    try {
        show();
    } catch (...) {
        showingAnswer_ = false;
        throw;
    }
    showingAnswer_ = false;
}

// The server could not be read at all: every question fails alike.
const ServerAnswer& CupsPrinting::answered() const {
    if (answer_->failure) throw *answer_->failure;
    return *answer_;
}

std::int64_t CupsPrinting::Count() {
    return resultOf(answered().queueCount);
}

// A paint's check: the answer at hand, and a new read for the next paint.
bool CupsPrinting::Any() {
    if (!showingAnswer_) reader_.ask();
    return answered().anyQueue;
}

DefaultChoice CupsPrinting::Default() {
    return answered().defaultDevice;
}

// A load: the redraws its own Show causes ask the server nothing.
std::int64_t CupsPrinting::FontCount() {
    reader_.hold();
    return static_cast<std::int64_t>(defaultFonts().size());
}

std::string CupsPrinting::Fonts(Int16& index) {
    const auto& fonts = defaultFonts();
    return fonts[entryIndex(index, fonts.size(), "the default device's font list")];
}

// A raw queue has no fonts; a described device its own and the system's.
const std::vector<std::string>& CupsPrinting::defaultFonts() {
    const std::optional<std::vector<std::string>>& resident = resultOf(answered().residentFonts);
    std::shared_ptr<const std::vector<std::string>> families = families_();
    if (fontsAnswer_ != answer_ || fontsFamilies_ != families) {
        fonts_ = resident ? deviceFonts(*resident, *families) : std::vector<std::string>{};
        fontsAnswer_ = answer_;
        fontsFamilies_ = std::move(families);
    }
    return fonts_;
}

}  // namespace veltrane
