#include "cli/CommandLine.h"

namespace qff {

const char* CommandLine::Usage() {
    return "Usage: quillmark-fix [--no-media] --out DIR FILE.odf...\n"
           "\n"
           "Repairs damaged OpenDocument Formula packages, in the order given, and saves\n"
           "each repaired one as DIR/MENDED_<name>, with its pictures copied into\n"
           "DIR/<name>_MediaContent.\n"
           "\n"
           "Options:\n"
           "  --out DIR, -o DIR  folder to save the rebuilt packages in (must exist)\n"
           "  --no-media         do not copy pictures out of the packages\n"
           "  --help, -h         show this text\n"
           "\n"
           "Exit status: 0 when every file was repaired and saved, 1 when some file was\n"
           "not, 2 when the arguments are wrong.\n";
}

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnded = false;
    bool outSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            line.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.outcome = Outcome::Help;
            return line;
        } else if (arg == "--no-media") {
            line.media = false;
        } else if (arg == "--out" || arg == "-o") {
            if (i + 1 == args.size()) {
                line.error = arg + " needs a folder";
                return line;
            }
            line.outDir = args[++i];
            outSeen = true;
        } else if (arg.rfind("--out=", 0) == 0) {
            line.outDir = arg.substr(6);
            outSeen = true;
        } else {
            line.error = "unknown option " + arg;
            return line;
        }
    }
    if (!outSeen || line.outDir.empty()) {
        line.error = "no destination folder given (--out DIR)";
    } else if (line.files.empty()) {
        line.error = "no files given";
    } else {
        line.outcome = Outcome::Run;
    }
    return line;
}

}  // namespace qff
