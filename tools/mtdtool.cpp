// mtdtool: the gesture set tool.
//
//   mtdtool normalise                  motion "x y" lines on stdin -> normalised points
//   mtdtool recognise SET.mtd          motion on stdin (raw points) -> index or -1, then the log
//   mtdtool dump SET.mtd               the set as JSON
//   mtdtool source SET.mtd             the set as editable text (the form build reads)
//   mtdtool build SOURCE.txt OUT.mtd   writes a set from its text form
#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gesture/MotionText.h"
#include "gesture/Normalise.h"
#include "gesture/Recogniser.h"

using namespace zoram;

namespace {

int Usage() {
    std::fputs(
        "usage: mtdtool normalise < motion.txt\n"
        "       mtdtool recognise SET.mtd < motion.txt\n"
        "       mtdtool dump SET.mtd\n"
        "       mtdtool source SET.mtd\n"
        "       mtdtool build SOURCE.txt OUT.mtd\n"
        "A motion is one point \"x y\" per line.\n",
        stderr);
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "mtdtool: %s\n", message.c_str());
    return 1;
}

std::string ReadAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads the motion from standard input into g; false after reporting.
bool ReadMotion(TGesture& g) {
    std::vector<TPoint> pts;
    std::string error;
    if (!ParseMotionText(ReadAll(std::cin), pts, error)) {
        Fail("motion " + error);
        return false;
    }
    g.Count = static_cast<int32_t>(pts.size());
    std::copy(pts.begin(), pts.end(), g.Points);
    return true;
}

int Normalise() {
    auto motion = std::make_unique<TGesture>();
    if (!ReadMotion(*motion)) return 1;
    ResizeGesture(*motion, *motion);
    std::fputs(MotionToText(motion->Points, motion->Count).c_str(), stdout);
    return 0;
}

int NotAvailable() { return Fail("set files cannot be read or written by this build yet"); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string cmd = argv[1];
    if (cmd == "normalise" && argc == 2) return Normalise();
    if ((cmd == "recognise" || cmd == "dump" || cmd == "source") && argc == 3) return NotAvailable();
    if (cmd == "build" && argc == 4) return NotAvailable();
    return Usage();
}
