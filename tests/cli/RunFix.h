#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qff::test {

struct FixRun {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the quillmark-fix program that this build made with the given arguments, with
// TMPDIR set to `tmp` (so its workspace is observable and private), and collects its
// exit status and both output streams.
FixRun RunFix(const std::vector<std::string>& args, const std::filesystem::path& tmp);

// Runs a shell command line; returns its exit status (-1 when it did not exit).
int RunShell(const std::string& command);

// Quotes a word for the shell.
std::string ShellQuote(const std::string& word);

}  // namespace qff::test
