#include "cli/ProgressLine.h"

#include <ctime>

namespace qff {

void ProgressLine::Begin(const std::string& title, int total) {
    title_ = title;
    total_ = total;
    started_ = false;
    lastDraw_ = {};
}

std::string ProgressLine::Text(int done, double current,
                               std::chrono::system_clock::time_point now) {
    if (total_ <= 0) {
        return {};
    }
    const double fraction = (done + current) / total_;
    if (fraction <= 0) {
        return {};
    }
    if (!started_) {
        started_ = true;
        start_ = now;
    }
    const auto elapsed = now - start_;
    const auto end = start_ + std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                  elapsed / fraction);
    const std::time_t endTime = std::chrono::system_clock::to_time_t(end);
    std::tm local{};
    localtime_r(&endTime, &local);
    char clock[32];
    std::strftime(clock, sizeof clock, "%X", &local);
    char line[256];
    std::snprintf(line, sizeof line, "%-9s %d/%d files  %.2f%% complete. Estimated completion: %s",
                  title_.c_str(), done, total_, fraction * 100.0, clock);
    return line;
}

void ProgressLine::Update(int done, double current) {
    const auto now = std::chrono::steady_clock::now();
    const bool last = done >= total_;
    if (!last && now - lastDraw_ < std::chrono::milliseconds(100)) {
        return;
    }
    const std::string text = Text(done, current, std::chrono::system_clock::now());
    if (text.empty()) {
        return;
    }
    lastDraw_ = now;
    std::fprintf(out_, "\r%s\033[K", text.c_str());
    std::fflush(out_);
    shown_ = true;
}

void ProgressLine::Clear() {
    if (shown_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
        shown_ = false;
        lastDraw_ = {};
    }
}

}  // namespace qff
