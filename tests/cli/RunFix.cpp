#include "RunFix.h"

#include <sys/wait.h>

#include <cstdlib>

#include "PackageFixture.h"

namespace qff::test {

namespace fs = std::filesystem;

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

int RunShell(const std::string& command) {
    const int raw = std::system(command.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

FixRun RunFix(const std::vector<std::string>& args, const fs::path& tmp) {
    const TempDir streams;
    std::string command = "TMPDIR=" + ShellQuote(tmp.string()) + " " + ShellQuote(QFF_FIX_PROGRAM);
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " >" + ShellQuote((streams.path() / "out").string()) + " 2>" +
               ShellQuote((streams.path() / "err").string()) + " </dev/null";
    FixRun run;
    run.status = RunShell(command);
    run.out = ReadFile(streams.path() / "out");
    run.err = ReadFile(streams.path() / "err");
    return run;
}

}  // namespace qff::test
