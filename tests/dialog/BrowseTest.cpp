// Browse: the chosen file's name goes into 1003 and every exchanged control is written back
// with what was just read from it.
#include "NamedCase.h"
#include "WindowFixture.h"

#include "TempDir.h"
#include "platform/DialogServices.h"

#include <QFileDialog>
#include <QTimer>

namespace {
using testcases::PrintTo;
using namespace ids;

using Browse = WindowFixture;

TEST_F(Browse, ShowsTheBenchmarkFilterAndPutsOnlyTheFileName) {
    ChooseBenchmark("/home/u/bench marks/go.ss");
    EXPECT_EQ(services.filters, std::vector<std::string>{"Benchmarks (*.ss)|*.ss||"});
    EXPECT_EQ(window.ControlText(IDC_BENCHMARK), "go.ss");
    EXPECT_EQ(window.ReadJobSettings().benchmark, "go.ss");
}

TEST_F(Browse, CancelChangesNothing) {
    ChooseBenchmark("/w/swim.ss");
    TypeIntoCombo(IDC_LVPT_SIZE, "2");
    services.fileAnswers.push_back(std::nullopt);
    Click(IDC_BROWSE);
    EXPECT_EQ(window.ControlText(IDC_BENCHMARK), "swim.ss");
    EXPECT_EQ(window.ControlText(IDC_LVPT_SIZE), "2");
}

struct WriteBackCase {
    const char* name;
    int comboId;
    const char* typed;
    const char* shown;
};

class BrowseWriteBackTest : public WindowFixture,
                            public ::testing::WithParamInterface<WriteBackCase> {};

TEST_P(BrowseWriteBackTest, ComboShowsTheFirstItemBeginningWithItsTextOrTheTextAsTyped) {
    const WriteBackCase& c = GetParam();
    if (c.comboId == IDC_LOCALITY_HISTORY) {
        Click(IDC_LOCALITY_RADIO);
        Click(IDC_LOCALITY_USE_HISTORY);
    }
    TypeIntoCombo(c.comboId, c.typed);
    ChooseBenchmark("/w/swim.ss");
    EXPECT_EQ(window.ControlText(c.comboId), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Combos, BrowseWriteBackTest,
    ::testing::Values(WriteBackCase{"TwoBecomes256", IDC_LVPT_SIZE, "2", "256"},
                      WriteBackCase{"HundredStaysAsTyped", IDC_LVPT_SIZE, "100", "100"},
                      WriteBackCase{"WholeItemStays", IDC_LVPT_SIZE, "16", "16"},
                      WriteBackCase{"OneBecomes16InTheLocalityList", IDC_LOCALITY_HISTORY, "1",
                                    "16"},
                      WriteBackCase{"LettersStay", IDC_LOCALITY_HISTORY, "abc", "abc"},
                      WriteBackCase{"EmptyStaysEmpty", IDC_LVPT_SIZE, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Browse, OtherExchangedControlsKeepWhatWasJustReadFromThem) {
    Click(IDC_LOCALITY_RADIO);
    Click(IDC_LOCALITY_USE_HISTORY);
    QTest::keyClicks(window.control(IDC_MAX_INSTRUCTIONS), "5000");
    ChooseBenchmark("/w/swim.ss");
    EXPECT_EQ(window.ControlText(IDC_MAX_INSTRUCTIONS), "5000");
    EXPECT_EQ(window.GetCheck(IDC_LOCALITY_USE_HISTORY), 1);
    EXPECT_EQ(window.ControlText(IDC_PATTERN_SIZE), "4");
    EXPECT_EQ(window.ControlText(IDC_PREDICTION_HISTORY), "256");
}

TEST_F(Browse, FileNamesOutsideAsciiReachTheLineAsTheFileSystemSpellsThem) {
    const std::string utf8 = "/data/m\xC3\xBCller/pr\xC3\xB6g.ss";
    ChooseBenchmark(utf8);
    EXPECT_EQ(window.ControlText(IDC_BENCHMARK), "pr\xC3\xB6g.ss");
    // Bytes that are no text in the locale's encoding survive as well.
    const std::string raw = "/data/x\xFF\xFE.ss";
    ChooseBenchmark(raw);
    EXPECT_EQ(window.ReadJobSettings().benchmark, "x\xFF\xFE.ss");
    // A catalogue name in a folder outside ASCII is matched and composed.
    ChooseBenchmark("/data/m\xC3\xBCller/cc1.ss");
    Click(IDOK);
    EXPECT_EQ(window.lastCommandLine().find(" cc1.ss -funroll-loops"),
              window.lastCommandLine().size() - window.benchmarkTail().size());
}

// The real open-file dialog, with a typed name of a file that does not exist.
TEST(BrowseWithTheRealDialog, AcceptsATypedNameOfAMissingFile) {
    QtDialogServices services;
    CZemloDlg window(services);
    window.SetProcessExit([](int) {});
    window.InitDialog();
    window.show();
    TempDir dir;
    const QString typed = QString::fromStdString(dir.file("not-there.ss"));
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, typed] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    poll->start(10);
    window.OnFileDialogButton();
    EXPECT_EQ(window.ControlText(IDC_BENCHMARK), "not-there.ss");
}

} // namespace
