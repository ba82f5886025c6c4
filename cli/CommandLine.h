#pragma once

#include <string>
#include <vector>

namespace qff {

// The arguments of quillmark-fix, parsed:
//   quillmark-fix [--no-media] --out DIR FILE.odf...
struct CommandLine {
    enum class Outcome { Run, Help, UsageError };

    Outcome outcome = Outcome::UsageError;
    // Why the arguments were refused (UsageError only).
    std::string error;
    bool media = true;
    std::string outDir;
    // In the order given; "--" ends the options, so a file may start with "-".
    std::vector<std::string> files;

    static CommandLine Parse(const std::vector<std::string>& args);
    static const char* Usage();
};

}  // namespace qff
