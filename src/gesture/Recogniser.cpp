#include "gesture/Recogniser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gesture/EngineState.h"
#include "gesture/Normalise.h"

namespace zoram {

// ---------------------------------------------------------------------------
// Log

void RecogniserLog::clear() {
    buf_.clear();
    ends_.clear();
    building_ = false;
}

void RecogniserLog::add(std::u16string_view line) {
    buf_.append(line);
    ends_.push_back(buf_.size());
}

void RecogniserLog::append(std::string_view ascii) {
    for (char c : ascii) buf_.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

void RecogniserLog::end() {
    if (building_) ends_.push_back(buf_.size());
    building_ = false;
}

std::u16string_view RecogniserLog::line(size_t i) const {
    const size_t from = i == 0 ? 0 : ends_[i - 1];
    return std::u16string_view(buf_).substr(from, ends_[i] - from);
}

std::vector<std::u16string> RecogniserLog::lines() const {
    std::vector<std::u16string> out;
    out.reserve(size());
    for (size_t i = 0; i < size(); ++i) out.emplace_back(line(i));
    return out;
}

std::u16string RecogniserLog::text() const {
    std::u16string out;
    for (size_t i = 0; i < size(); ++i) {
        if (i) out += u"\r\n";
        out += line(i);
    }
    return out;
}

// ---------------------------------------------------------------------------
// Number format

namespace {

std::string FormatGeneral(double value) {
    // 15 significant digits in scientific form, trailing zeros dropped.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string s(buf, r.ptr);
    const size_t e = s.find('e');
    std::string mant = s.substr(0, e);
    int exp = std::atoi(s.c_str() + e + 1);
    if (mant.find('.') != std::string::npos) {
        while (mant.back() == '0') mant.pop_back();
        if (mant.back() == '.') mant.pop_back();
    }
    return mant + "E" + std::to_string(exp);
}

}  // namespace

namespace {

// kept x 10^last, printed with its decimals and without trailing zeros.
std::string FormatRounded(bool negative, uint64_t kept, int last) {
    std::string out;
    if (negative && kept != 0) out.push_back('-');
    if (last >= 0) {
        out += std::to_string(kept);
        if (kept != 0) out.append(static_cast<size_t>(last), '0');
        return out;
    }
    uint64_t scale = 1;
    for (int i = 0; i < -last; ++i) scale *= 10;
    out += std::to_string(kept / scale);
    uint64_t frac = kept % scale;
    int digits = -last;
    while (digits > 0 && frac % 10 == 0) {
        frac /= 10;
        --digits;
    }
    if (digits > 0) {
        char buf[24];
        for (int i = digits - 1; i >= 0; --i, frac /= 10) buf[i] = static_cast<char>('0' + frac % 10);
        out.push_back('.');
        out.append(buf, static_cast<size_t>(digits));
    }
    return out;
}

// The common case without the digit string: below 1e9 with up to five
// decimals the scaled value in extended precision lies within 1e-4 of the
// scaled 18-digit form, so away from a half it rounds the same way.
bool QuickRound(double magnitude, int decimals, uint64_t& kept) {
    static const long double kPow10[] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L, 100000.0L};
    if (!(magnitude < 1e9) || decimals < 0 || decimals > 5) return false;
    const long double scaled = magnitude * kPow10[decimals];
    const uint64_t whole = static_cast<uint64_t>(scaled);
    const long double frac = scaled - whole;
    if (std::fabs(frac - 0.5L) <= 1e-4L) return false;
    kept = whole + (frac > 0.5L);
    return true;
}

}  // namespace

std::string FormatOptionalDecimals(double value, int decimals) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const bool negative = value < 0;
    uint64_t kept = 0;
    if (QuickRound(std::fabs(value), decimals, kept)) return FormatRounded(negative, kept, -decimals);

    // The value's first 18 significant digits, correctly rounded; then
    // rounded half away from zero to at most 15 significant digits and at
    // most `decimals` decimals, as the toolkit's float formatting does.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    char digits[18];
    digits[0] = buf[0];
    std::memcpy(digits + 1, buf + 2, 17);
    int exp = 0;  // power of ten of digits[0]; buf reads "d.<17 digits>e<sign><digits>"
    std::from_chars(buf + 21, r.ptr, exp);
    if (buf[20] == '-') exp = -exp;
    if (digits[0] == '0') exp = 0;

    if (exp + 1 > 18) return (negative ? "-" : "") + FormatGeneral(std::fabs(value));

    // Keep the digits down to the power `last`.
    const int last = std::max(-decimals, exp + 1 - 15);
    const int keep = exp - last + 1;  // may be zero or negative
    for (int i = 0; i < keep; ++i) kept = kept * 10 + static_cast<uint64_t>(digits[i] - '0');
    if (keep >= 0 && keep < 18 && digits[keep] >= '5') ++kept;
    return FormatRounded(negative, kept, last);
}

// ---------------------------------------------------------------------------
// The comparison. Slopes, turns and the rounding of the score are written
// once and used by both forms; the factor rules are written out plainly in
// the reference and as codes in the fast form, and the differential test
// holds the two together.

namespace {

constexpr double kStartScore = 0.001;
constexpr double kNoTurn = -10.0;
constexpr double kVerticalGestureSlope = 10000.0;

int UsableGestureCount(const TGestureSet& set) {
    return std::clamp<int32_t>(set.GestureCount, 0, kGestureSlots);
}

// One factor: the product is taken in extended precision and the score is
// held as a double.
inline double Scale(double l, long double f) { return static_cast<double>(l * f); }

inline double GestureSlope(const TPoint& a, const TPoint& b) {
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    if (dx == 0) return kVerticalGestureSlope;
    return static_cast<double>(static_cast<long double>(dy) / dx);
}

// A vertical segment of the motion gets a huge slope signed like dy; a
// repeated point gets 0.
inline double MotionSlope(const TPoint& a, const TPoint& b) {
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    const long double div = dx == 0 ? 1e-11L : static_cast<long double>(dx);
    return static_cast<double>(static_cast<long double>(dy) / div);
}

inline long double Direction(const TPoint& a, const TPoint& b) {
    return std::atan2(static_cast<long double>(static_cast<int64_t>(b.y) - a.y),
                      static_cast<long double>(static_cast<int64_t>(b.x) - a.x));
}

// Change of direction at point k + 1, not wrapped.
inline double Turn(const TPoint* p, int k) {
    return static_cast<double>(Direction(p[k + 1], p[k + 2]) - Direction(p[k], p[k + 1]));
}

inline long double Bend(double turn, double previous) {
    return static_cast<long double>(turn) - previous;
}

inline double SlopeFactor(double l, double slopeG, double slopeC) {
    const long double diff = std::fabs(static_cast<long double>(slopeG) - slopeC);
    if (diff < 0.2L) l = Scale(l, 1.1L);
    if (diff > 1.0L) l = Scale(l, 0.99L);
    return l;
}

inline double BendFactor(double l, long double bendG, long double bendC) {
    const long double diff = std::fabs(bendC - bendG);
    if (diff < 0.01L) return Scale(l, 1.1L);
    if (diff > 20.0L) return Scale(l, 0.9L);
    return l;
}

inline int Sign(long double v) { return (v > 0) - (v < 0); }

// Product of the signs of the two slope changes: same direction rewards,
// opposite directions penalise, a change of exactly 0 does neither.
inline double ChangeFactor(double l, int signProduct) {
    if (signProduct > 0) return Scale(l, 1.1L);
    if (signProduct < 0) return Scale(l, 0.9L);
    return l;
}

inline double DistanceFactor(double l, double d) {
    if (d > 90) return Scale(l, 0.45L);
    if (d > 50) return Scale(l, 0.75L);
    if (d > 30) return Scale(l, 0.85L);
    if (d > 15) return Scale(l, 0.95L);
    if (d < 10) return Scale(l, 1.1L);
    return l;
}

void StartLog(RecogniserLog* log) {
    if (!log) return;
    log->clear();
    log->add(u"Comparitive liklihood of match;");
}

void LogScore(RecogniserLog* log, int g, double l) {
    if (!log) return;
    char num[16];
    auto r = std::to_chars(num, num + sizeof num, g + 1);
    log->begin();
    log->append(std::string_view(" Motion "));
    log->append(std::string_view(num, r.ptr - num));
    log->append(std::string_view(" : "));
    log->append(FormatOptionalDecimals(l, 5));
    log->end();
}

// The best score so far and the one it displaced ("held"), with the log and
// the trace of every score; then the separation and the decision.
struct Ranking {
    double best = kStartScore, held = kStartScore;
    int bestIndex = -1;

    void Add(int g, double l, RecogniserLog* log, RecognitionTrace* trace) {
        if (l > best) {  // strictly: the first of equal scores stays
            held = best;
            best = l;
            bestIndex = g;
        }
        if (trace) {
            trace->score[g] = l;
            trace->scored[g] = true;
        }
        LogScore(log, g, l);
    }
    int Decide(RecogniserLog* log, RecognitionTrace* trace) const;
};

int Ranking::Decide(RecogniserLog* log, RecognitionTrace* trace) const {
    const double conf = static_cast<double>((static_cast<long double>(best) - held) / best * 100);
    if (log) {
        char num[16];
        auto r = std::to_chars(num, num + sizeof num, bestIndex + 1);
        log->begin();
        log->append(std::string_view("Most likely : "));
        log->append(std::string_view(num, r.ptr - num));
        log->append(std::string_view(" ~"));
        log->append(FormatOptionalDecimals(conf, 2));
        log->append(std::string_view("%"));
        log->end();
    }
    if (trace) {
        trace->best = best;
        trace->held = held;
        trace->conf = conf;
        trace->bestIndex = bestIndex;
    }
    const bool recognised = best > 1.0 || (best > 0.4 && conf > 60) || (best > 0.1 && conf > 98);
    if (!recognised || bestIndex < 0) {
        if (log) log->add(u"Unable to distinguish motion");
        return -1;
    }
    return bestIndex;
}

void StartTrace(RecognitionTrace* trace) {
    if (!trace) return;
    std::fill(std::begin(trace->score), std::end(trace->score), 0.0);
    std::fill(std::begin(trace->scored), std::end(trace->scored), false);
}

}  // namespace

int RecogniseReference(const TGestureSet& set, const TGesture& motion, RecogniserLog* log,
                       RecognitionTrace* trace) {
    const int gestures = UsableGestureCount(set);
    const int nC = UsablePoints(motion);
    if (gestures == 0 || nC < 3) return -1;

    StartLog(log);
    StartTrace(trace);
    Ranking ranking;
    const TPoint* C = motion.Points;
    for (int g = 0; g < gestures; ++g) {
        const TGesture& gesture = set.Gestures[g];
        const int nG = UsablePoints(gesture);
        if (nG < 3) continue;
        const TPoint* G = gesture.Points;
        double l = 1.0;
        double prevSlopeG = 0.0, prevSlopeC = 0.0;
        double prevTurnG = kNoTurn, prevTurnC = kNoTurn;
        for (int k = 1; k < nG && k < nC; ++k) {
            const double slopeG = GestureSlope(G[k - 1], G[k]);
            const double slopeC = MotionSlope(C[k - 1], C[k]);
            l = SlopeFactor(l, slopeG, slopeC);
            const long double changeG = static_cast<long double>(slopeG) - prevSlopeG;
            const long double changeC = static_cast<long double>(slopeC) - prevSlopeC;
            if (k < nG - 2 && k < nC - 2) {
                const double turnG = Turn(G, k);
                const double turnC = Turn(C, k);
                if (prevTurnG > kNoTurn && prevTurnC > kNoTurn)
                    l = BendFactor(l, Bend(turnG, prevTurnG), Bend(turnC, prevTurnC));
                prevTurnG = turnG;
                prevTurnC = turnC;
            }
            l = ChangeFactor(l, Sign(changeG) * Sign(changeC));
            l = DistanceFactor(l, distancebetween(G[k], C[k]));
            prevSlopeG = slopeG;
            prevSlopeC = slopeC;
        }
        ranking.Add(g, l, log, trace);
    }
    return ranking.Decide(log, trace);
}

// ---------------------------------------------------------------------------
// Fast form

namespace {

// What the comparison needs of one point sequence, indexed by k as in the
// loop above. Slopes and turns are computed with the same functions.
struct Features {
    int n = 0;
    std::vector<TPoint> points;     // copy, to notice a changed gesture
    std::vector<double> slope;      // [k], k >= 1
    std::vector<int8_t> change;     // [k]: sign of slope[k] - previous slope
    std::vector<long double> bend;  // [k], k >= 2: turn(k) - turn(k - 1)
    std::vector<double> bendEstimate;  // bend rounded to double, for the quick test

    template <class SlopeFn>
    void Build(const TPoint* p, int count, SlopeFn slopeOf) {
        n = count;
        slope.assign(static_cast<size_t>(std::max(n, 1)), 0.0);
        change.assign(slope.size(), 0);
        bend.assign(slope.size(), 0.0L);
        bendEstimate.assign(slope.size(), 0.0);
        double prev = 0.0;
        for (int k = 1; k < n; ++k) {
            slope[k] = slopeOf(p[k - 1], p[k]);
            change[k] = static_cast<int8_t>(Sign(static_cast<long double>(slope[k]) - prev));
            prev = slope[k];
        }
        double prevTurn = kNoTurn;
        for (int k = 1; k < n - 2; ++k) {
            const double turn = Turn(p, k);
            if (k >= 2) {
                bend[k] = Bend(turn, prevTurn);
                bendEstimate[k] = static_cast<double>(bend[k]);
            }
            prevTurn = turn;
        }
    }
};

bool SamePoints(const Features& f, const TGesture& g, int n) {
    return f.n == n && f.points.size() == static_cast<size_t>(n) &&
           std::memcmp(f.points.data(), g.Points, sizeof(TPoint) * static_cast<size_t>(n)) == 0;
}

// The factors of one comparison, in the order the loop applies them. A
// factor of 1 changes nothing and is left out; the others are coded 1..7.
constexpr uint8_t kReward = 1, kSlightPenalty = 2, kPenalty = 3, kFar90 = 4, kFar50 = 5, kFar30 = 6, kFar15 = 7;
const long double kFactorValue[8] = {1.0L, 1.1L, 0.99L, 0.9L, 0.45L, 0.75L, 0.85L, 0.95L};

// A difference estimated in double precision is within a few 1e-16 * (d + 1)
// of the extended one; away from both limits it decides the same, so the
// extended comparison is only needed near a limit.
inline bool NearLimit(double estimate, double limit) {
    return std::fabs(estimate - limit) <= 1e-12 * (estimate + 1);
}

inline uint8_t SlopeCode(double slopeG, double slopeC) {
    const double estimate = std::fabs(slopeG - slopeC);
    if (!NearLimit(estimate, 0.2) && !NearLimit(estimate, 1.0))
        return estimate < 0.2 ? kReward : (estimate > 1.0 ? kSlightPenalty : 0);
    const long double diff = std::fabs(static_cast<long double>(slopeG) - slopeC);
    return diff < 0.2L ? kReward : (diff > 1.0L ? kSlightPenalty : 0);
}

inline uint8_t BendCode(const Features& g, const Features& c, int k) {
    const double estimate = std::fabs(c.bendEstimate[k] - g.bendEstimate[k]);
    if (!NearLimit(estimate, 0.01) && !NearLimit(estimate, 20.0))
        return estimate < 0.01 ? kReward : (estimate > 20.0 ? kPenalty : 0);
    const long double diff = std::fabs(c.bend[k] - g.bend[k]);
    return diff < 0.01L ? kReward : (diff > 20.0L ? kPenalty : 0);
}

inline uint8_t ChangeCode(int signProduct) {
    return signProduct > 0 ? kReward : (signProduct < 0 ? kPenalty : 0);
}

// The distance decision on the squared distance: no square root needed.
inline uint8_t DistanceCode(const TPoint& a, const TPoint& b) {
    const double dx = static_cast<double>(static_cast<int64_t>(a.x) - b.x);
    const double dy = static_cast<double>(static_cast<int64_t>(a.y) - b.y);
    const double s = dx * dx + dy * dy;  // exact wherever it decides
    uint8_t code = s < 100 ? kReward : 0;
    code = s > 225 ? kFar15 : code;
    code = s > 900 ? kFar30 : code;
    code = s > 2500 ? kFar50 : code;
    code = s > 8100 ? kFar90 : code;
    return code;
}

// Writes the codes of gesture fg against the motion mc; returns how many.
int FactorCodes(const Features& fg, const Features& mc, const TPoint* G, const TPoint* C, uint8_t* out) {
    const int m = std::min(fg.n, mc.n);
    const int turnEnd = m - 2;  // bends only while k is below both counts - 2
    int n = 0;
    auto put = [&](uint8_t code) {
        out[n] = code;
        n += code != 0;
    };
    for (int k = 1; k < m; ++k) {
        put(SlopeCode(fg.slope[k], mc.slope[k]));
        if (k >= 2 && k < turnEnd) put(BendCode(fg, mc, k));
        put(ChangeCode(fg.change[k] * mc.change[k]));
        put(DistanceCode(G[k], C[k]));
    }
    return n;
}

}  // namespace

struct Recogniser::Cache {
    Features gestures[kGestureSlots];
    Features motion;
    std::vector<uint8_t> codes[kGestureSlots];
    int codeCount[kGestureSlots] = {};
    double score[kGestureSlots] = {};
};

Recogniser::Recogniser() : cache_(std::make_unique<Cache>()) {}
Recogniser::~Recogniser() = default;

int Recogniser::Recognise(const TGestureSet& set, const TGesture& motion, RecogniserLog* log,
                          RecognitionTrace* trace) {
    const int gestures = UsableGestureCount(set);
    const int nC = UsablePoints(motion);
    if (gestures == 0 || nC < 3) return -1;

    StartLog(log);
    StartTrace(trace);
    Cache& c = *cache_;
    c.motion.Build(motion.Points, nC, MotionSlope);

    // Which factors apply does not depend on the running score.
    int compared[kGestureSlots];
    int used = 0;
    for (int g = 0; g < gestures; ++g) {
        const TGesture& gesture = set.Gestures[g];
        const int nG = UsablePoints(gesture);
        if (nG < 3) continue;
        Features& fg = c.gestures[g];
        if (!SamePoints(fg, gesture, nG)) {
            fg.points.assign(gesture.Points, gesture.Points + nG);
            fg.Build(gesture.Points, nG, GestureSlope);
        }
        auto& codes = c.codes[g];
        const size_t most = 4 * static_cast<size_t>(std::min(nG, nC));
        if (codes.size() < most) codes.resize(most);
        c.codeCount[g] = FactorCodes(fg, c.motion, fg.points.data(), motion.Points, codes.data());
        compared[used++] = g;
    }

    // The products, each rounded to a double after every factor exactly as
    // the loop does. Four gestures at a time so their chains overlap; a
    // shorter chain is padded with factors of 1, which change no bit.
    for (int i = 0; i < used; i += 4) {
        int lane[4];
        int longest = 0;
        for (int j = 0; j < 4; ++j) {
            lane[j] = compared[std::min(i + j, used - 1)];
            longest = std::max(longest, c.codeCount[lane[j]]);
        }
        for (int j = 0; j < 4; ++j) {
            auto& codes = c.codes[lane[j]];
            if (codes.size() < static_cast<size_t>(longest)) codes.resize(longest);
            std::fill(codes.begin() + c.codeCount[lane[j]], codes.begin() + longest, 0);
        }
        const uint8_t* f0 = c.codes[lane[0]].data();
        const uint8_t* f1 = c.codes[lane[1]].data();
        const uint8_t* f2 = c.codes[lane[2]].data();
        const uint8_t* f3 = c.codes[lane[3]].data();
        double l0 = 1.0, l1 = 1.0, l2 = 1.0, l3 = 1.0;
        for (int k = 0; k < longest; ++k) {
            l0 = Scale(l0, kFactorValue[f0[k]]);
            l1 = Scale(l1, kFactorValue[f1[k]]);
            l2 = Scale(l2, kFactorValue[f2[k]]);
            l3 = Scale(l3, kFactorValue[f3[k]]);
        }
        c.score[lane[0]] = l0;
        c.score[lane[1]] = l1;
        c.score[lane[2]] = l2;
        c.score[lane[3]] = l3;
    }

    Ranking ranking;
    for (int i = 0; i < used; ++i) {
        const int g = compared[i];
        const double l = c.score[g];
        ranking.Add(g, l, log, trace);
    }
    return ranking.Decide(log, trace);
}

// ---------------------------------------------------------------------------
// Engine entry point

int Recognise(EngineState& state, const Execution& exec) {
    state.LastAction.clear();
    const int result = state.Matcher.Recognise(*state.Set, *state.CurrentMotion, &state.Log);
    if (result >= 0 && exec.execute && exec.active && exec.perform) exec.perform(result, exec.window);
    return result;
}

}  // namespace zoram
