#include "dialog/ZemloDlg.h"

#include "app/AboutDlg.h"
#include "dialog/RunLists.h"
#include "job/BenchmarkCatalogue.h"
#include "job/JobValidation.h"
#include "platform/AnimationControl.h"
#include "platform/DialogServices.h"
#include "platform/FileCheck.h"
#include "platform/LocalText.h"
#include "platform/PictureButton.h"
#include "platform/ResourceImages.h"
#include "res/ControlIds.h"
#include "res/Menu.h"
#include "res/StringTable.h"
#include "res/Templates.h"
#include "run/CommandLine.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <array>
#include <cstdlib>

using namespace ids;

namespace {
// The event table: each command (a click on a control or a menu item) and its handler, in
// the table's order. The dialog's accept and cancel commands come last, as the dialog class
// provides them.
struct CommandEntry {
    int id;
    void (CZemloDlg::*handler)();
};

constexpr std::array<CommandEntry, 20> kCommandTable{{
    {IDC_BROWSE, &CZemloDlg::OnFileDialogButton},
    {IDC_LOCALITY_RADIO, &CZemloDlg::OnLocalityRadio},
    {IDC_PREDICTION_RADIO, &CZemloDlg::OnPredictionRadio},
    {IDC_LOCALITY_USE_HISTORY, &CZemloDlg::OnLocalityHistoryCheck},
    {IDC_ASSOCIATIVE, &CZemloDlg::OnAssociativeRadio},
    {IDC_DIRECT_MAPPED, &CZemloDlg::OnDirectMappedRadio},
    {IDC_PREDICTION_USE_HISTORY, &CZemloDlg::OnPredictionHistoryCheck},
    {IDC_LOCALITY_ON_INSTRUCTIONS, &CZemloDlg::OnContextualRadio},
    {IDC_HYBRID_PREDICTION, &CZemloDlg::OnHybridRadio},
    {IDC_LOCALITY_ON_REGISTERS, &CZemloDlg::OnIncrementalRadio},
    {IDC_INSTRUCTION_ADDRESS, &CZemloDlg::OnInstructionAddressRadio},
    {IDC_DATA_ADDRESS, &CZemloDlg::OnDataAddressRadio},
    {ID_SIMULATOR_START, &CZemloDlg::OnSimulatorStart},
    {ID_SIMULATOR_STOP, &CZemloDlg::OnSimulatorStop},
    {ID_WINDOW_EXIT, &CZemloDlg::OnWindowClose},
    {IDC_EXIT, &CZemloDlg::OnExit},
    {ID_HELP_ABOUT, &CZemloDlg::OnAbout},
    {IDC_OPEN_REGS_FILE, &CZemloDlg::OnOpenRegsFile},
    {IDOK, &CZemloDlg::OnOK},
    {IDCANCEL, &CZemloDlg::OnCancel},
}};

struct ComboList {
    int id;
    std::initializer_list<const char*> items;
};

const std::array<ComboList, 4> kComboLists{{
    {IDC_LOCALITY_HISTORY, {"4", "8", "16", "32", "64", "128", "256", "512", "1024"}},
    {IDC_LVPT_SIZE, {"8", "16", "32", "64", "128", "256", "512", "1024"}},
    {IDC_PREDICTION_HISTORY, {"8", "16", "32", "64", "128", "256", "512", "1024"}},
    {IDC_PATTERN_SIZE, {"1", "4", "8", "12"}},
}};

constexpr int kMaxInstructionsLength = 12;

std::string FileNameWithoutDirectory(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

CZemloDlg::CZemloDlg(DialogServices& services, QWidget* parent)
    : TemplateDialog(MainDialogTemplate(), parent), m_services(services),
      m_hIcon(ApplicationIcon()), m_exitProcess([](int status) { std::_Exit(status); }) {
    // Fixed size, minimizable, never maximized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The lists are filled before anything else, so that the default selections find items.
    for (const ComboList& list : kComboLists) {
        for (const char* item : list.items) {
            AddComboString(list.id, item);
        }
    }
}

AnimationControl* CZemloDlg::animation() const {
    return static_cast<AnimationControl*>(control(IDC_ANIMATE));
}

bool CZemloDlg::OnInitDialog() {
    // The controls are loaded from the members, all empty or unchecked here.
    DoDataExchange(false);

    BuildSystemMenu();

    setWindowIcon(m_hIcon);

    SetMenu(MainMenuTemplate());
    EnableMenuItemByPosition(0, 1, false);

    for (int id : {IDOK, IDCANCEL, IDC_EXIT}) {
        auto* button = static_cast<PictureButton*>(control(id));
        const std::string caption = ToLocal8Bit(button->text());
        button->SetFaces(LoadFace(caption + "U"), LoadFace(caption + "D"), LoadFace(caption + "F"),
                         LoadFace(caption + "X"));
    }

    // A clip that cannot be opened leaves the control empty and is not reported.
    animation()->Open("zemlo.avi");

    SelectString(IDC_LOCALITY_HISTORY, -1, "16");
    SelectString(IDC_LVPT_SIZE, -1, "512");
    SelectString(IDC_PATTERN_SIZE, -1, "4");
    SelectString(IDC_PREDICTION_HISTORY, -1, "256");

    // No rule runs here: the template's flags are already the idle prediction state.
    for (int id : {IDC_PREDICTION_RADIO, IDC_ASSOCIATIVE, IDC_INSTRUCTION_ADDRESS,
                   IDC_LOCALITY_ON_REGISTERS}) {
        SetCheck(id, true);
    }
    // The benchmark argument tails are the catalogue's constants; nothing to fill in.
    return true;
}

void CZemloDlg::BuildSystemMenu() {
    // The window manager owns the frame's system menu and no client can add to it; this popup
    // on the window's background stands in for it.
    m_systemMenu = new QMenu(this);
    const auto addCommand = [this](const QString& caption, unsigned id) {
        QAction* action = m_systemMenu->addAction(caption);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnSysCommand(id); });
    };
    addCommand(QStringLiteral("Mi&nimize"), SC_MINIMIZE);
    addCommand(QStringLiteral("&Close"), SC_CLOSE);
    const std::string about(LoadResourceString(IDS_ABOUTBOX));
    if (!about.empty()) {
        m_systemMenu->addSeparator();
        addCommand(FromLocal8Bit(about), IDM_ABOUTBOX);
    }
}

void CZemloDlg::ExchangeComboText(int id, std::string& member, bool saveAndValidate) {
    if (saveAndValidate) {
        member = ControlText(id);
        return;
    }
    // The first item that begins with the text, case ignored; without one, the text as it
    // is. An empty text stays empty rather than picking the first item.
    if (member.empty() || !SelectString(id, -1, member)) {
        SetControlText(id, member);
    }
}

void CZemloDlg::DoDataExchange(bool saveAndValidate) {
    if (saveAndValidate) {
        m_strBenchmark = ControlText(IDC_BENCHMARK);
        m_strMaxInstructions = ControlText(IDC_MAX_INSTRUCTIONS);
        m_bUseLocalityHistory = GetCheck(IDC_LOCALITY_USE_HISTORY) == 1;
    } else {
        SetControlText(IDC_BENCHMARK, m_strBenchmark);
        SetControlText(IDC_MAX_INSTRUCTIONS, m_strMaxInstructions);
        static_cast<QLineEdit*>(control(IDC_MAX_INSTRUCTIONS))
            ->setMaxLength(kMaxInstructionsLength);
        SetCheck(IDC_LOCALITY_USE_HISTORY, m_bUseLocalityHistory);
    }
    ExchangeComboText(IDC_LOCALITY_HISTORY, m_strLocalityHistory, saveAndValidate);
    ExchangeComboText(IDC_LVPT_SIZE, m_strLvptSize, saveAndValidate);
    ExchangeComboText(IDC_PREDICTION_HISTORY, m_strPredictionHistory, saveAndValidate);
    ExchangeComboText(IDC_PATTERN_SIZE, m_strPatternSize, saveAndValidate);
}

JobSettings CZemloDlg::ReadJobSettings() {
    DoDataExchange(true);
    JobSettings settings;
    settings.benchmark = m_strBenchmark;
    settings.maxInstructions = m_strMaxInstructions;
    settings.localityHistory = m_strLocalityHistory;
    settings.lvptSize = m_strLvptSize;
    settings.predictionHistory = m_strPredictionHistory;
    settings.patternSize = m_strPatternSize;
    settings.mode = GetCheck(IDC_PREDICTION_RADIO) == 1 ? SimulationMode::ValuePrediction
                                                        : SimulationMode::ValueLocality;
    settings.useLocalityHistory = GetCheck(IDC_LOCALITY_USE_HISTORY) == 1;
    settings.usePredictionHistory = GetCheck(IDC_PREDICTION_USE_HISTORY) == 1;
    settings.localityOnRegisters = GetCheck(IDC_LOCALITY_ON_REGISTERS) == 1;
    settings.localityOnInstructions = GetCheck(IDC_LOCALITY_ON_INSTRUCTIONS) == 1;
    settings.hybridPrediction = GetCheck(IDC_HYBRID_PREDICTION) == 1;
    settings.useDataAddress = GetCheck(IDC_DATA_ADDRESS) == 1;
    settings.directMapped = GetCheck(IDC_DIRECT_MAPPED) == 1;
    return settings;
}

void CZemloDlg::OnCommand(int id) {
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.id == id) {
            (this->*entry.handler)();
            return;
        }
    }
    if (m_commandFallback) {
        m_commandFallback(id);
    }
}

void CZemloDlg::OnOK() {
    // Start does nothing while a run is watched, however it is reached.
    if (!IsControlEnabled(IDOK)) {
        return;
    }
    const JobSettings settings = ReadJobSettings();
    if (const auto failure = ValidateJobSettings(settings)) {
        m_services.ShowMessage(this, failure->message);
        FocusControl(failure->focusId);
        return;
    }
    for (int id : runlists::ResultFieldsInClearingOrder) {
        SetControlText(id, "");
    }
    EnablePredictionResults(GetCheck(IDC_PREDICTION_RADIO) == 1);
    MatchBenchmark(settings.benchmark, m_benchmarkTail);
    m_lastCommandLine = ComposeCommandLine(settings, m_benchmarkTail);
    LaunchSimulator(m_lastCommandLine);
}

void CZemloDlg::OnCancel() {
    StopRun();
    RestoreIdleWindow();
}

void CZemloDlg::OnSimulatorStart() {
    OnOK();
}
void CZemloDlg::OnSimulatorStop() {
    OnCancel();
}

void CZemloDlg::OnFileDialogButton() {
    const auto path = m_services.ChooseFileToOpen(this, "Benchmarks (*.ss)|*.ss||");
    if (!path) {
        return;
    }
    DoDataExchange(true);
    m_strBenchmark = FileNameWithoutDirectory(*path);
    DoDataExchange(false);
}

void CZemloDlg::OnOpenRegsFile() {
    const auto path = m_services.ChooseFileToOpen(this, "Benchmarks (*.res)|*.res||");
    if (!path) {
        return;
    }
    const FileError error = CheckOpenForReading(*path);
    if (error != FileError::None) {
        m_services.ShowMessage(this, FileErrorMessage(error, *path));
    }
    // The editor is started whether or not the check succeeded.
    m_services.OpenInTextEditor(*path);
}

void CZemloDlg::OnAbout() {
    CAboutDlg about(this);
    m_services.RunModal(about);
}

void CZemloDlg::OnSysCommand(unsigned nID) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
        return;
    }
    switch (nID & 0xFFF0) {
    case SC_MINIMIZE:
        showMinimized();
        break;
    case SC_CLOSE:
        close(); // becomes the close event
        break;
    default:
        break;
    }
}

void CZemloDlg::ExitProcess() {
    OnCancel();
    m_exitProcess(0);
}

void CZemloDlg::OnClose() {
    ExitProcess();
}
void CZemloDlg::OnWindowClose() {
    ExitProcess();
}
void CZemloDlg::OnExit() {
    ExitProcess();
}

void CZemloDlg::closeEvent(QCloseEvent* event) {
    // The window never closes the way a dialog does: the process ends instead.
    event->ignore();
    OnClose();
}

void CZemloDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (!childAt(event->pos())) {
        m_systemMenu->popup(event->globalPos());
        event->accept();
    }
}

void CZemloDlg::paintEvent(QPaintEvent* event) {
    if (isMinimized()) {
        OnPaint();
        return;
    }
    TemplateDialog::paintEvent(event);
}

void CZemloDlg::OnPaint() {
    QPainter painter(this);
    painter.eraseRect(rect());
    const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    const int x = (width() - iconSize + 1) / 2;
    const int y = (height() - iconSize + 1) / 2;
    m_hIcon.paint(&painter, x, y, iconSize, iconSize);
}
