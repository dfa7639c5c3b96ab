// Compares a normalised motion with every gesture of a set and decides which
// one, if any, it is. Two forms give identical results: the reference loop
// and the fast form, which computes each gesture's slopes and turns once and
// reuses them while the gesture's points stay the same.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gesture/GestureModel.h"

namespace zoram {

// The recogniser's diagnostic log: a list of lines the window shows.
// Lines live in one buffer so that a reused log allocates nothing.
class RecogniserLog {
public:
    void clear();
    void add(std::u16string_view line);
    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::u16string_view line(size_t i) const;
    std::vector<std::u16string> lines() const;
    // Lines joined with CR LF, as a multi-line text box takes them.
    std::u16string text() const;

    // Building a line piece by piece (used by the recogniser).
    void begin() { building_ = true; }
    void append(std::u16string_view s) { buf_.append(s); }
    void append(std::string_view ascii);
    void end();

private:
    std::u16string buf_;
    std::vector<size_t> ends_;
    bool building_ = false;
};

// Scores and totals of one run, for tests and tools.
struct RecognitionTrace {
    double score[kGestureSlots];   // L of each gesture that was compared
    bool scored[kGestureSlots];    // false for gestures skipped (< 3 points)
    double best, held, conf;
    int bestIndex;
};

// The comparison written as the plain loop; kept as the reference the fast
// form is checked against. Returns the recognised index or -1. The log (when
// given) is cleared and filled unless the call returns early; the trace (when
// given) is filled unless the call returns early.
int RecogniseReference(const TGestureSet& set, const TGesture& motion,
                       RecogniserLog* log = nullptr, RecognitionTrace* trace = nullptr);

// Fast form with the same results, scores and log, bit for bit. Keeps the
// per-gesture values between calls; a gesture whose points changed is
// recomputed on the next call, so no invalidation is needed.
class Recogniser {
public:
    Recogniser();
    ~Recogniser();
    Recogniser(const Recogniser&) = delete;
    Recogniser& operator=(const Recogniser&) = delete;

    int Recognise(const TGestureSet& set, const TGesture& motion,
                  RecogniserLog* log = nullptr, RecognitionTrace* trace = nullptr);

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// Opaque window handle the action executor acts on (null for none).
using TargetWindow = void*;
// Performs the action of gesture `index` for the program in front; it also
// sets LastAction (the executor's job).
using ActionExecutor = std::function<void(int index, TargetWindow window)>;

struct Execution {
    bool execute = false;       // the capture loop asks for it, the drawing area does not
    bool active = true;         // the "active" setting
    TargetWindow window = nullptr;
    ActionExecutor perform;
};

struct EngineState;
// Recognises state.CurrentMotion against the loaded set: empties LastAction,
// fills state.Log, and hands a recognised gesture to the executor when
// execution is asked for and the program is active.
int Recognise(EngineState& state, const Execution& exec = {});

// Number formats of the log lines: '0' then up to `decimals` optional digits,
// rounded half away from zero on the value's decimal digits.
std::string FormatOptionalDecimals(double value, int decimals);

}  // namespace zoram
