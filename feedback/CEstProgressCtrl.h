#pragma once

#include <QProgressBar>
#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>

namespace qff {

// A progress bar that paints itself: the filled part for the fraction done and,
// centred over the whole bar, "%.2f%% complete. Estimated completion: %s" with the
// expected time of day of completion. The text is combined with the bar by
// exclusive or, so it stays readable over the filled and the empty part.
//
// The estimate is a linear extrapolation from the first repaint that showed
// progress; it is recomputed at every repaint (there is no timer).
//
// A run of the bar: ResetEstimate, SetRange(0, n), SetPos(0) ... SetPos(n).
// ResetEstimate may be called from any thread; everything else belongs to the
// widget's thread.
class CEstProgressCtrl : public QProgressBar {
    Q_OBJECT

  public:
    // Seconds since 1970-01-01 UTC, whole seconds. Replaceable for tests.
    using Clock = std::function<std::int64_t()>;

    explicit CEstProgressCtrl(QWidget* parent = nullptr);

    // Forgets the estimate: fraction 0, no start, no completion time. Range and
    // position stay. Safe from any thread.
    void ResetEstimate();

    // Range and position. A position outside the range is clamped into it; every
    // change of the position repaints the bar (which recomputes the estimate).
    void SetRange(int lower, int upper);
    void SetPos(int position);
    int GetPos() const { return value(); }

    // The text drawn on the bar: empty until an estimate exists.
    virtual QString GetEstimateText() const;

    // Recomputes start, completion and remaining from the current fraction. Called
    // by painting; a fraction of 0 (or less) changes nothing.
    void UpdateEstimate();

    // The fraction used by the last repaint (position / upper bound, 0 for an empty
    // range).
    double Fraction() const;

    void SetClock(Clock clock);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double CurrentFraction() const;

    mutable std::mutex mutex_;  // guards the four estimate fields below
    double fraction_ = 0.0;
    bool startValid_ = false;
    std::int64_t start_ = 0;
    bool completionValid_ = false;
    double completion_ = 0.0;  // seconds since the epoch
    bool remainingValid_ = false;
    double remaining_ = 0.0;  // seconds
    Clock clock_;
};

}  // namespace qff
