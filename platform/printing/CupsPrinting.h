#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DeviceFonts.h"
#include "Printer.h"
#include "Printers.h"
#include "ServerAnswer.h"
#include "ServerReader.h"

namespace veltrane {

// The default device and the device collection, as the print server told them
// at its last read (ServerReader): a paint's check asks for a new read and is
// answered at once from the last one, and a load takes everything from that
// same answer, so the check and the load never disagree and no event waits on
// the server. The window takes a new answer between events (takeAnswer), so
// every question of one event is answered from one read.
class CupsPrinting : public Printer, public Printers {
public:
    explicit CupsPrinting(ScalableFamilies families,
                          std::function<ServerFailurePolicy::Clock::time_point()> now =
                              ServerFailurePolicy::Clock::now);

    // Starts the first read, which the window's start shows if it is back by then.
    void start() { reader_.ask(); }
    // Called on the reader's thread when a read has brought a new answer.
    void onAnswer(std::function<void()> answered) { reader_.onAnswer(std::move(answered)); }
    // Takes the latest answer for the events to come; whether it is new.
    bool takeAnswer();
    // Takes the first answer for the window's start, if it is back within
    // ServerFailurePolicy::kFirstAnswer.
    void takeFirstAnswer() {
        answer_ = reader_.awaitOtherThan(answer_, ServerFailurePolicy::kFirstAnswer);
    }
    // Takes the latest answer and, where it is new, runs `show`, a redraw whose
    // questions ask the server nothing: it shows what was just read.
    void showAnswer(const std::function<void()>& show);

    std::int64_t Count() override;
    bool Any() override;
    DefaultChoice Default() override;
    std::int64_t FontCount() override;
    std::string Fonts(Int16& index) override;

private:
    const ServerAnswer& answered() const;
    const std::vector<std::string>& defaultFonts();

    ScalableFamilies families_;
    ServerReader reader_;
    std::shared_ptr<const ServerAnswer> answer_;
    bool showingAnswer_ = false;
    // The default's fonts, for the answer and the families they were made of.
    std::shared_ptr<const ServerAnswer> fontsAnswer_;
    std::shared_ptr<const std::vector<std::string>> fontsFamilies_;
    std::vector<std::string> fonts_;
};

}  // namespace veltrane
