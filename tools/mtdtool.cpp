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
#include "storage/FileIO.h"
#include "storage/SetFile.h"
#include "storage/SetJson.h"
#include "storage/SetSource.h"

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

std::string Describe(const SetFileResult& r) {
    switch (r.status) {
        case SetFileStatus::Ok: return "ok";
        case SetFileStatus::Missing: return "no such file";
        case SetFileStatus::InvalidFormat: return "not a gesture set file" + (r.detail.empty() ? "" : " (" + r.detail + ")");
        case SetFileStatus::FileError: return "file error" + (r.detail.empty() ? "" : ": " + r.detail);
        case SetFileStatus::TooLarge: return "the compressed set would be larger than a set file may be";
    }
    return "error";
}

bool LoadOrReport(TGestureSet& set, const char* path) {
    const SetFileResult r = LoadSet(set, std::filesystem::path(path));
    if (!r) Fail(std::string(path) + ": " + Describe(r));
    return static_cast<bool>(r);
}

int Normalise() {
    auto motion = std::make_unique<TGesture>();
    if (!ReadMotion(*motion)) return 1;
    ResizeGesture(*motion, *motion);
    std::fputs(MotionToText(motion->Points, motion->Count).c_str(), stdout);
    return 0;
}

int RecogniseCommand(const char* setPath) {
    auto set = std::make_unique<TGestureSet>();
    auto motion = std::make_unique<TGesture>();
    if (!LoadOrReport(*set, setPath) || !ReadMotion(*motion)) return 1;
    ResizeGesture(*motion, *motion);
    RecogniserLog log;
    Recogniser recogniser;
    const int result = recogniser.Recognise(*set, *motion, &log);
    std::printf("%d\n", result);
    for (size_t i = 0; i < log.size(); ++i) {
        const std::u16string_view line = log.line(i);
        std::string ascii(line.begin(), line.end());  // the log is plain ASCII
        std::printf("%s\n", ascii.c_str());
    }
    return 0;
}

int Dump(const char* setPath, bool asSource) {
    auto set = std::make_unique<TGestureSet>();
    if (!LoadOrReport(*set, setPath)) return 1;
    const std::string text = asSource ? WriteSetSource(*set) : SetToJson(*set) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int Build(const char* sourcePath, const char* outPath) {
    std::string text;
    try {
        const std::vector<uint8_t> bytes = ReadWholeFile(std::filesystem::path(sourcePath));
        text.assign(bytes.begin(), bytes.end());
    } catch (const std::exception& e) {
        return Fail(std::string(sourcePath) + ": " + e.what());
    }
    auto set = std::make_unique<TGestureSet>();
    std::vector<SourceError> errors;
    if (!ParseSetSource(text, *set, errors)) {
        for (const auto& e : errors) std::fprintf(stderr, "%s:%s\n", sourcePath, FormatSourceError(e).c_str());
        return 1;
    }
    const SetFileResult r = SaveSet(*set, std::filesystem::path(outPath));
    if (!r) return Fail(std::string(outPath) + ": " + Describe(r));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string cmd = argv[1];
    if (cmd == "normalise" && argc == 2) return Normalise();
    if (cmd == "recognise" && argc == 3) return RecogniseCommand(argv[2]);
    if (cmd == "dump" && argc == 3) return Dump(argv[2], false);
    if (cmd == "source" && argc == 3) return Dump(argv[2], true);
    if (cmd == "build" && argc == 4) return Build(argv[2], argv[3]);
    return Usage();
}
