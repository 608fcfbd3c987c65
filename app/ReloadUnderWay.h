#pragma once

namespace veltrane {

// Marks a reload as under way for as long as it runs, however it ends.
class ReloadUnderWay {
public:
    explicit ReloadUnderWay(bool& flag) : flag_(flag) { flag_ = true; }
    ~ReloadUnderWay() { flag_ = false; }
    ReloadUnderWay(const ReloadUnderWay&) = delete;
    ReloadUnderWay& operator=(const ReloadUnderWay&) = delete;

private:
    bool& flag_;
};

}  // namespace veltrane
