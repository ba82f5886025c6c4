#include "jobs/JobParams.h"

#include "jobs/JobTexts.h"
#include "jobs/JobView.h"

namespace qff {

bool ConfirmStop(const JobParams& params) {
    const int answer =
        params.view->ShowAppMessage(jobtext::kStopQuestion, kMbYesNo | kMbIconQuestion);
    if (answer != kIdYes) {
        return false;
    }
    params.view->EnableButton(JobView::Button::Stop, false);
    params.jobRunning->store(0, std::memory_order_relaxed);
    return true;
}

}  // namespace qff
