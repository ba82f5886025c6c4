#include "JobScenario.h"

#include <memory>

#include "jobs/RepairJob.h"
#include "jobs/SaveJob.h"

namespace qff::test {

namespace fs = std::filesystem;

namespace {

const ColorRef kBlack = 0x000000;
const ColorRef kGreen = 0x009900;
const ColorRef kRed = 0x0000FF;
const std::string kStars =
    "*************************************************************************************\r\n";
const std::string kUnderscores =
    "________________________________________________________________\r\n\r\n";

}  // namespace

std::vector<LogLine> RepairedLines(const std::string& p) {
    return {{p + " file is open....\r\n", kBlack},
            {p + " file is extracted....\r\n", kBlack},
            {p + " file is closed....\r\n", kBlack},
            {p + " preview of file is available....\r\n", kBlack},
            {p + "  Repaired....\r\n", kGreen},
            {kStars, kBlack}};
}

std::vector<LogLine> ExtractionFailedLines(const std::string& p) {
    return {{p + " extraction of file failed....\r\n", kBlack}};
}

std::vector<LogLine> RepairStoppedLines(const std::string& p) {
    return {{p + " file is not extracting as process has been stop by the user.... \r\n", kBlack},
            {p + " not Repaired....\r\n", kRed},
            {kStars, kBlack}};
}

std::vector<LogLine> RepairEndLines() {
    return {{"Repairing process completed....\r\n", kBlack}, {kUnderscores, kBlack}};
}

std::vector<LogLine> SavedLines(const std::string& p, int media) {
    std::vector<LogLine> lines = {{p + " saving of file starts....\r\n", kBlack}};
    if (media == 1) {
        lines.push_back({p + " Media extration is done....\r\n", kBlack});
    } else if (media == 2) {
        lines.push_back({p + " no media content is present in the file....\r\n", kBlack});
    }
    lines.push_back({p + " saving of file done....\r\n", kGreen});
    lines.push_back({kStars, kBlack});
    return lines;
}

std::vector<LogLine> SaveFailedLines(const std::string& p) {
    return {{p + " saving of file starts....\r\n", kBlack},
            {p + " saving of file failed....\r\n", kRed},
            {kStars, kBlack}};
}

std::vector<LogLine> NotRepairedSaveLines(const std::string& p) {
    return {{p + " cannot be saved,as it is not Repaired.\r\n", kRed}, {kStars, kBlack}};
}

std::vector<LogLine> SaveStoppedLines(const std::string& p) {
    return {{p + " file is not saving as process has been stop by the user.... \r\n", kBlack},
            {p + " not saved....\r\n", kRed},
            {kStars, kBlack}};
}

std::vector<LogLine> SaveEndLines() {
    return {{"Saving processing completed....\r\n", kBlack}, {kUnderscores, kBlack}};
}

void Append(std::vector<LogLine>& to, const std::vector<LogLine>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

JobScenario::JobScenario() {
    params.view = &view;
    params.jobRunning = &running;
    // A private parent, so parallel test runs never share a workspace.
    params.workspaceRoot = tmp_.path() / "temp" / "VivUvud";
    fs::create_directories(tmp_.path() / "temp");
}

std::map<std::string, std::string> JobScenario::MembersOf(const std::string& path) const {
    std::map<std::string, std::string> members;
    for (const Member& m : made_.at(path)) {
        members[m.name] = m.data;
    }
    return members;
}

std::string JobScenario::List(FileKind kind, const std::string& name, const std::string& folder) {
    const fs::path dir = tmp_.path() / folder;
    fs::create_directories(dir);
    const fs::path path = dir / name;
    const std::string text = path.string();
    switch (kind) {
        case FileKind::Good:
        case FileKind::Locked:
        case FileKind::WithPictures:
            made_[text] = FormulaMembers(text, kind == FileKind::WithPictures);
            WriteFile(path, BuildPackage(made_[text]));
            break;
        case FileKind::Missing:
            break;
        case FileKind::Empty:
            WriteFile(path, "");
            break;
        case FileKind::Junk:
            WriteFile(path, std::string(3000, 'Q') + "PK\1\2 not a local header");
            break;
        case FileKind::Folder:
            fs::create_directory(path);
            break;
    }
    if (kind == FileKind::Locked) {
        locks_.push_back(std::make_unique<LockedFile>(path));
    }
    view.AddRow(text);
    return text;
}

void JobScenario::Repair() {
    RepairJob job(params);
    job.Start();
    job.Run();
}

int JobScenario::Save(const fs::path& destination) {
    view.destination = destination.string();
    SaveJob job(params);
    return job.Run();
}

}  // namespace qff::test
