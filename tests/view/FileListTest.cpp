// The file list commands, the destination edit and the preview pane, driven through
// the real window.

#include <QCheckBox>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "PackageFixture.h"
#include "WindowFixture.h"
#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "engine/EngineHost.h"
#include "feedback/HintBox.h"
#include "view/COrvantaView.h"
#include "view/CPictureBox.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

class FileListWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        MakeWindow();
    }

    void Drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data.setUrls(urls);
        const QPointF at(View().width() / 2, 90);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&View(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&View(), &drop);
    }

    CTarnixListCtrl& List() { return *Find<CTarnixListCtrl>("FileList"); }
    CPictureBox& Preview() { return *Find<CPictureBox>("Preview"); }

    void SelectRows(std::initializer_list<int> rows) {
        List().clearSelection();
        for (int row : rows) {
            List().topLevelItem(row)->setSelected(true);
        }
    }

    TempDir packages;
};

struct DuplicateCase {
    const char* name;
    QStringList listed;
    QStringList chosen;
    QStringList rowsAfter;
    QStringList messages;
};

void PrintTo(const DuplicateCase& c, std::ostream* out) {
    *out << c.name;
}

class Duplicates : public FileListWindow, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(Duplicates, AreReportedOncePerPathAndNotAdded) {
    const DuplicateCase& c = GetParam();
    if (!c.listed.isEmpty()) {
        SelectFiles(c.listed);
    }
    notices.clear();
    SelectFiles(c.chosen);
    EXPECT_EQ(Rows(), c.rowsAfter);
    QStringList shown;
    for (const Notice& n : notices) {
        shown << n.text;
        EXPECT_EQ(n.style, kMbIconInformation);
    }
    EXPECT_EQ(shown, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Duplicates,
    ::testing::Values(
        DuplicateCase{"CaseOnly",
                      {"/a/x.odf"},
                      {"/A/X.ODF"},
                      {"/a/x.odf"},
                      {"/A/X.ODF already exist in the list."}},
        DuplicateCase{"OneOfThree",
                      {"/d/two.odf"},
                      {"/d/one.odf", "/d/TWO.odf", "/d/three.odf"},
                      {"/d/two.odf", "/d/one.odf", "/d/three.odf"},
                      {"/d/TWO.odf already exist in the list."}},
        // A path is markup in the notice: it must show as it is.
        DuplicateCase{"MarkupInPath",
                      {"/d/<b>&.odf"},
                      {"/d/<B>&.odf"},
                      {"/d/<b>&.odf"},
                      {"/d/&lt;B>&amp;.odf already exist in the list."}},
        DuplicateCase{"NoneListed", {}, {"/e/a.odf", "/e/b.odf"}, {"/e/a.odf", "/e/b.odf"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileListWindow, HundredsOfNamesAtOnceAreListedInOrder) {
    QStringList names;
    for (int i = 0; i < 600; ++i) {
        names << QStringLiteral("/many/file%1.odf").arg(i);
    }
    SelectFiles(names);
    EXPECT_EQ(Rows(), names);
    EXPECT_TRUE(notices.empty());
}

TEST_F(FileListWindow, DropAddsOnlyOdfNamesAndChangesNothingElse) {
    Drop({"/d/a.odf", "/d/b.txt", "/d/c.odf", "/d/A.ODF"});
    EXPECT_EQ(Rows(), (QStringList{"/d/a.odf", "/d/c.odf"}));
    // Nothing else moves: still the empty state's buttons and texts.
    EXPECT_FALSE(Control("RepairFiles")->isEnabled());
    EXPECT_FALSE(Control("RemoveFiles")->isEnabled());
    EXPECT_EQ(LogText(), "Click Select files to select .odf file(s) to repair....");
    EXPECT_TRUE(notices.empty());

    // No duplicate test on a drop.
    Drop({"/d/a.odf"});
    EXPECT_EQ(Rows(), (QStringList{"/d/a.odf", "/d/c.odf", "/d/a.odf"}));
}

TEST_F(FileListWindow, DroppedPathIsCutTo519CharactersBeforeTheTest) {
    const QString folder = "/" + QString(509, 'f');  // 510 characters
    // "/abcde.odf" ends at character 520: after the cut ".od" is left.
    Drop({folder + "/abcde.odf", folder + "/a.odf"});
    EXPECT_EQ(Rows(), QStringList{folder + "/a.odf"});
}

TEST_F(FileListWindow, RemoveWithNothingSelectedSaysSo) {
    SelectFiles({"/d/a.odf"});
    List().clearSelection();
    Click("RemoveFiles");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, "No file(s) selected to remove.");
    EXPECT_EQ(Rows(), QStringList{"/d/a.odf"});
}

TEST_F(FileListWindow, RemovingARowKeepsEveryOtherRowWithItsOwnSalvage) {
    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "alpha", false);
    const fs::path b = MakeDamagedPackage(packages.path(), "b.odf", "beta", false);
    const fs::path c = MakeDamagedPackage(packages.path(), "c.odf", "gamma", false);
    SelectFiles({Q(a), Q(b), Q(c)});
    RepairAndWait();
    const fs::path folderA = View().RowFolder(0);
    const fs::path folderC = View().RowFolder(2);
    ASSERT_TRUE(fs::is_directory(folderA));

    SelectRows({0});
    Click("RemoveFiles");
    EXPECT_EQ(Rows(), (QStringList{Q(b), Q(c)}));
    EXPECT_FALSE(fs::exists(folderA));
    // c moved up to position 1 but keeps the folder its repair made.
    EXPECT_EQ(View().RowFolder(1), folderC);
    EXPECT_NE(ReadFile(folderC / "content.xml").find("gamma"), std::string::npos);
    EXPECT_EQ(Preview().GetState(), PreviewState::SelectToPreview);

    // Saving after the removal writes each package from its own salvage.
    Find<CXEditPrompt>("Destination")->SetText(Q(packages.path()));
    Click("Save");
    WaitForPass();
    const auto saved = ReadPackage(packages.path() / "MENDED_c.odf");
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->at("content.xml").find("gamma"), std::string::npos);
}

TEST_F(FileListWindow, RemovingEveryRowReturnsToTheStartAndWipesTheWorkspace) {
    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "a", false);
    const fs::path b = MakeDamagedPackage(packages.path(), "b.odf", "b", false);
    SelectFiles({Q(a), Q(b)});
    RepairAndWait();
    Find<CXEditPrompt>("Destination")->SetText("/typed/path");
    ASSERT_TRUE(fs::is_directory(WorkspaceRoot()));

    SelectRows({0, 1});
    Click("RemoveFiles");
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_FALSE(fs::exists(WorkspaceRoot()));
    auto* destination = Find<CXEditPrompt>("Destination");
    EXPECT_TRUE(destination->text().isEmpty());
    EXPECT_FALSE(destination->PromptShowing());
    EXPECT_FALSE(destination->isEnabled());
    EXPECT_EQ(Preview().GetState(), PreviewState::NoFiles);
    EXPECT_EQ(LogText(), "Click Select files to select .odf file(s) to repair....");
    EXPECT_FALSE(Control("RepairFiles")->isEnabled());
}

TEST_F(FileListWindow, SelectAfterARepairStartsANewListWithoutTheOldSalvage) {
    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "a", false);
    SelectFiles({Q(a)});
    RepairAndWait();
    SelectFiles({"/new/one.odf"});
    EXPECT_EQ(Rows(), QStringList{"/new/one.odf"});
    EXPECT_FALSE(fs::exists(WorkspaceRoot()));
    EXPECT_FALSE(View().ListRepaired());
    // Without a pass in between, a selection appends.
    SelectFiles({"/new/two.odf"});
    EXPECT_EQ(Rows(), (QStringList{"/new/one.odf", "/new/two.odf"}));
}

// ---- Destination ---------------------------------------------------------------------

TEST_F(FileListWindow, BrowseTakesOnlyAnExistingFolder) {
    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "a", false);
    SelectFiles({Q(a)});
    RepairAndWait();
    auto* destination = Find<CXEditPrompt>("Destination");
    destination->SetText("typed by hand");

    dialogs.folders.push_back(Q(packages.path() / "missing"));
    Click("Browse");
    EXPECT_EQ(destination->text(), "typed by hand");

    Click("Browse");  // cancelled
    EXPECT_EQ(destination->text(), "typed by hand");

    dialogs.folders.push_back("  " + Q(packages.path()) + " ");
    Click("Browse");
    EXPECT_EQ(destination->text(), Q(packages.path()));
}

TEST_F(FileListWindow, SaveToAFolderThatIsNotThereChangesNothing) {
    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "a", false);
    SelectFiles({Q(a)});
    RepairAndWait();
    const QString logBefore = LogText();
    for (const QString& typed : {QString(), Q(packages.path() / "gone")}) {
        SCOPED_TRACE(typed.toStdString());
        if (!typed.isEmpty()) {
            Find<CXEditPrompt>("Destination")->SetText(typed);
        }
        notices.clear();
        Click("Save");
        WaitForPass();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].text, "Please select a valid folder path.");
        EXPECT_EQ(LogText(), logBefore);
        EXPECT_TRUE(Control("Save")->isEnabled());
        EXPECT_EQ(Frame().JobRunning().load(), 0);
    }
}

// ---- Preview ---------------------------------------------------------------------------

class PreviewPane : public FileListWindow {
  protected:
    // Puts a row into the list whose salvage holds the given files (real pictures).
    void RowWithSalvage(const std::string& folderName, const std::vector<std::string>& pictures,
                        const std::vector<std::string>& others = {}) {
        const fs::path folder = WorkspaceRoot() / folderName;
        for (const std::string& picture : pictures) {
            fs::create_directories((folder / picture).parent_path());
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            ASSERT_TRUE(image.save(Q(folder / picture), "PNG"));
        }
        for (const std::string& other : others) {
            fs::create_directories((folder / other).parent_path());
            WriteFile(folder / other, "not a picture");
        }
        Drop({Q(packages.path() / folderName) + ".odf"});
        View().SetRowFolder(List().GetItemCount() - 1, folder);
    }
};

TEST_F(PreviewPane, BeforeAnyRepairTheRowIsNotRepaired) {
    SelectFiles({"/d/a.odf"});
    View().OnPreviewItem(0);
    EXPECT_EQ(Preview().GetState(), PreviewState::NotRepaired);
}

TEST_F(PreviewPane, ThumbnailWinsThenTheFirstPictureInNameOrderThenNoImage) {
    RowWithSalvage("thumb", {"Pictures/a.png", "Thumbnails/thumbnail.png"});
    RowWithSalvage("picture", {"Pictures/b.PNG", "Pictures/Sub/a.gif"}, {"content.xml"});
    RowWithSalvage("plain", {}, {"content.xml", "Pictures/readme"});
    RowWithSalvage("bad", {}, {"Pictures/broken.png"});

    View().OnPreviewItem(0);
    EXPECT_EQ(Preview().GetState(), PreviewState::Picture);
    EXPECT_TRUE(Preview().HasPicture());

    View().OnPreviewItem(1);
    EXPECT_EQ(Preview().GetState(), PreviewState::Picture);
    EXPECT_TRUE(Preview().HasPicture());

    View().OnPreviewItem(2);
    EXPECT_EQ(Preview().GetState(), PreviewState::NoImage);

    // A picture that cannot be decoded leaves the box blank, and nothing breaks.
    View().OnPreviewItem(3);
    EXPECT_EQ(Preview().GetState(), PreviewState::Picture);
    EXPECT_FALSE(Preview().HasPicture());
}

TEST_F(PreviewPane, ClickOnARowAsksForItsPreview) {
    RowWithSalvage("thumb", {"Thumbnails/thumbnail.png"});
    RowWithSalvage("plain", {}, {"content.xml"});
    QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier,
                      List().visualItemRect(List().topLevelItem(1)).center());
    QTRY_COMPARE(Preview().GetState(), PreviewState::NoImage);
    QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier,
                      List().visualItemRect(List().topLevelItem(0)).center());
    QTRY_COMPARE(Preview().GetState(), PreviewState::Picture);
}

}  // namespace
}  // namespace qff::test
