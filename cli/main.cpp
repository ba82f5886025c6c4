// quillmark-fix: the batch front end. Runs the repair pass and then the save pass over
// the files of the command line, exactly as the window would, and prints the activity
// log. See CommandLine::Usage().

#include <stdlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ConsoleView.h"
#include "cli/PrivateWorkspace.h"
#include "jobs/JobParams.h"
#include "jobs/RepairJob.h"
#include "jobs/SaveJob.h"

namespace {

namespace fs = std::filesystem;

qff::JobFlag gJobRunning{0};
volatile std::sig_atomic_t gInterrupted = 0;

// Ctrl+C asks the running pass to stop, as the window's Stop does: the pass finishes
// the file in hand, reports the rest as stopped, and the workspace is still wiped.
// A second Ctrl+C ends the program at once.
extern "C" void OnInterrupt(int) {
    gJobRunning.store(0, std::memory_order_relaxed);
    gInterrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "quillmark-fix: %s\n\n%s", message.c_str(), qff::CommandLine::Usage());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const qff::CommandLine line =
        qff::CommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (line.outcome == qff::CommandLine::Outcome::Help) {
        std::fputs(qff::CommandLine::Usage(), stdout);
        return 0;
    }
    if (line.outcome == qff::CommandLine::Outcome::UsageError) {
        return Fail(line.error);
    }
    std::error_code ec;
    if (!fs::is_directory(line.outDir, ec)) {
        return Fail("Please select a valid folder path. (" + line.outDir + ")");
    }

    // Rows hold full paths, as the window's list does.
    std::vector<std::string> files;
    for (const std::string& file : line.files) {
        files.push_back(fs::absolute(file, ec).lexically_normal().string());
    }
    std::uintmax_t inputBytes = 0;
    for (const std::string& file : files) {
        const std::uintmax_t size = fs::file_size(file, ec);
        inputBytes += ec ? 0 : size;
    }
    const qff::PrivateWorkspace workspace(inputBytes);
    if (!workspace.ok()) {
        std::perror("quillmark-fix: cannot create a workspace");
        return 1;
    }
    // The engine's temporary files go into the private folder too, and go with it.
    ::setenv("TMPDIR", workspace.folder().c_str(), 1);

    qff::ConsoleView view(std::move(files), fs::absolute(line.outDir, ec).string(), line.media,
                          stdout, stderr);
    qff::JobParams params{&view, &gJobRunning, workspace.root()};
    std::signal(SIGINT, OnInterrupt);

    qff::RepairJob repair(params);
    repair.Start();
    repair.Run();
    bool allRepaired = true;
    for (const auto& row : view.rows()) {
        allRepaired = allRepaired && row.mark == 1;
    }
    // A run stopped while repairing saves nothing: the user asked it to end.
    bool allSaved = false;
    if (!gInterrupted) {
        qff::SaveJob save(params);
        save.Run();
        allSaved = save.saved() == view.RowCount();
    }
    return allRepaired && allSaved ? 0 : 1;
}
