#include <gtest/gtest.h>

#include <cstdio>

#include "PackageFixture.h"
#include "cli/ConsoleView.h"
#include "cli/ProgressLine.h"

namespace qff::test {
namespace {

// Captures what the view writes to a stream.
class Capture {
  public:
    Capture() : file_(std::tmpfile()) {}
    ~Capture() { std::fclose(file_); }
    std::FILE* file() { return file_; }
    std::string Text() {
        std::fflush(file_);
        std::string text;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) {
            text += static_cast<char>(c);
        }
        return text;
    }

  private:
    std::FILE* file_;
};

TEST(ConsoleView, LogLinesColouredOnlyWhenAsked) {
    struct Case {
        bool colour;
        std::string expected;
    };
    const std::string colouredGreen = "\033[32m/a.odf  Repaired....\033[0m\n";
    const std::string colouredRed = "\033[31m/b.odf not Repaired....\033[0m\n";
    for (const Case& c :
         {Case{false, "/a.odf file is open....\n/a.odf  Repaired....\n/b.odf not Repaired....\n"},
          Case{true, "/a.odf file is open....\n" + colouredGreen + colouredRed}}) {
        Capture out;
        Capture err;
        ConsoleView view({"/a.odf"}, "/out", true, out.file(), err.file());
        view.SetColour(c.colour);
        view.SetProgress(false);
        view.AppendLogLine("/a.odf file is open....\r\n", kLogBlack);
        view.AppendLogLine("/a.odf  Repaired....\r\n", kLogGreen);
        view.AppendLogLine("/b.odf not Repaired....\r\n", kLogRed);
        EXPECT_EQ(out.Text(), c.expected);
        EXPECT_EQ(err.Text(), "");
    }
}

TEST(ConsoleView, NoticesArePlainTextOnStandardError) {
    const struct {
        std::string markup;
        std::string plain;
    } cases[] = {
        {"Please select a valid folder path.", "Please select a valid folder path."},
        {"File(s) saving process has been completed.Saved file(s) location is:<br><a "
         "href='/o&amp;p/&lt;x'>/o&amp;p/&lt;x</a>",
         "File(s) saving process has been completed.Saved file(s) location is:\n/o&p/<x"},
        {"a &unknown; b", "a &unknown; b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConsoleView::PlainText(c.markup), c.plain);
    }
    Capture out;
    Capture err;
    ConsoleView view({}, "/out", true, out.file(), err.file());
    view.SetProgress(false);
    EXPECT_EQ(view.ShowAppMessage("File is in use<br>by another program", kMbIconInformation),
              kIdOk);
    // Nobody can answer a question in a batch run: it is never confirmed.
    EXPECT_EQ(view.ShowAppMessage("Are you sure?", kMbYesNo | kMbIconQuestion), kIdNo);
    EXPECT_EQ(err.Text(),
              "quillmark-fix: File is in use\nby another program\nquillmark-fix: Are you sure?\n");
    EXPECT_EQ(out.Text(), "");
}

TEST(ProgressLine, CountsFilesAndExtrapolatesTheEnd) {
    Capture err;
    ProgressLine line(err.file());
    line.Begin("Repairing", 4);
    const auto t0 = std::chrono::system_clock::from_time_t(1'800'000'000);
    EXPECT_EQ(line.Text(0, 0.0, t0), "");  // no progress yet, no estimate
    // Started at the first progress: 1 of 4 files after 0 s ends now; after 10 more
    // seconds at 2 of 4, the end is 20 s after the start.
    const std::string first = line.Text(1, 0.0, t0);
    EXPECT_EQ(first.rfind("Repairing 1/4 files  25.00% complete. Estimated completion: ", 0), 0u)
        << first;
    const std::string later = line.Text(2, 0.5, t0 + std::chrono::seconds(10));
    EXPECT_NE(later.find("2/4 files  62.50% complete."), std::string::npos) << later;
    std::time_t end = 1'800'000'000 + 16;  // 10 s / 0.625
    std::tm local{};
    localtime_r(&end, &local);
    char clock[32];
    std::strftime(clock, sizeof clock, "%X", &local);
    EXPECT_NE(later.find(std::string("Estimated completion: ") + clock), std::string::npos)
        << later;
}

}  // namespace
}  // namespace qff::test
