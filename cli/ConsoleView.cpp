#include "cli/ConsoleView.h"

#include <unistd.h>

#include <cstdlib>

namespace qff {

namespace {

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

// The window shows "\r\n" as one line break; a terminal wants "\n".
std::string TerminalLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

ConsoleView::ConsoleView(std::vector<std::string> files, std::string destination, bool media,
                         std::FILE* log, std::FILE* notices)
    : destination_(std::move(destination)),
      media_(media),
      log_(log),
      notices_(notices),
      colour_(IsTerminal(log) && std::getenv("NO_COLOR") == nullptr),
      progress_(IsTerminal(notices)),
      line_(notices) {
    for (std::string& file : files) {
        rows_.push_back(Row{std::move(file), 0, RowIcon::Listed, {}});
    }
}

std::string ConsoleView::PlainText(const std::string& markup) {
    std::string out;
    for (std::size_t i = 0; i < markup.size();) {
        if (markup.compare(i, 4, "<br>") == 0) {
            out += '\n';
            i += 4;
        } else if (markup[i] == '<') {
            const std::size_t close = markup.find('>', i);
            i = close == std::string::npos ? markup.size() : close + 1;
        } else if (markup[i] == '&') {
            static const struct {
                const char* name;
                char c;
            } kEntities[] = {{"&lt;", '<'},   {"&gt;", '>'},   {"&amp;", '&'},
                             {"&quot;", '"'}, {"&#39;", '\''}, {"&apos;", '\''}};
            bool found = false;
            for (const auto& entity : kEntities) {
                const std::string name = entity.name;
                if (markup.compare(i, name.size(), name) == 0) {
                    out += entity.c;
                    i += name.size();
                    found = true;
                    break;
                }
            }
            if (!found) {
                out += markup[i++];
            }
        } else {
            out += markup[i++];
        }
    }
    return out;
}

void ConsoleView::Write(std::FILE* stream, const std::string& text) {
    if (progress_) {
        line_.Clear();
    }
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
}

void ConsoleView::AppendLogLine(const std::string& text, ColorRef colour) {
    std::string line = TerminalLineEnds(text);
    if (colour_ && colour != kLogBlack && !line.empty()) {
        const bool eol = line.back() == '\n';
        if (eol) {
            line.pop_back();
        }
        line =
            (colour == kLogGreen ? "\033[32m" : "\033[31m") + line + "\033[0m" + (eol ? "\n" : "");
    }
    Write(log_, line);
    DrawProgress();
}

int ConsoleView::ShowAppMessage(const std::string& text, unsigned style) {
    Write(notices_, "quillmark-fix: " + PlainText(text) + "\n");
    DrawProgress();
    // Nobody can answer a question here; no pass asks one from a batch run.
    return (style & kMbYesNo) ? kIdNo : kIdOk;
}

int ConsoleView::ShowViewMessage(const std::string& text, unsigned style) {
    return ShowAppMessage(text, style);
}

void ConsoleView::SetLogText(const std::string& text) {
    // The batch log is the output stream: nothing to empty. Any text is shown.
    if (!text.empty()) {
        Write(log_, TerminalLineEnds(text) + "\n");
    }
}

void ConsoleView::ShowHint(Hint hint) {
    if (hint == Hint::Repairing) {
        passTitle_ = "Repairing";
    } else if (hint == Hint::Saving) {
        passTitle_ = "Saving";
    }
}

void ConsoleView::ShowProgressRow(Bar bar, bool show) {
    if (bar == Bar::Total) {
        passRunning_ = show;
        if (!show && progress_) {
            line_.Clear();
        }
    }
}

void ConsoleView::SetTotalRange(int upper) {
    done_ = 0;
    fileRange_ = 0;
    filePosition_ = 0;
    line_.Begin(passTitle_, upper);
}

void ConsoleView::SetTotalPosition(int position) {
    done_ = position;
    fileRange_ = 0;
    filePosition_ = 0;
    DrawProgress();
}

void ConsoleView::SetFileRange(int upper) {
    fileRange_ = upper;
    filePosition_ = 0;
}

void ConsoleView::SetFilePosition(int position) {
    filePosition_ = position;
    DrawProgress();
}

void ConsoleView::DrawProgress() {
    if (!progress_ || !passRunning_) {
        return;
    }
    const double current = fileRange_ > 0 ? static_cast<double>(filePosition_) / fileRange_ : 0.0;
    line_.Update(done_, current);
}

}  // namespace qff
