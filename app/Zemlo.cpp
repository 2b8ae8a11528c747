#include "app/Zemlo.h"

#include "app/AboutDlg.h"
#include "dialog/ZemloDlg.h"
#include "res/ControlIds.h"

bool CZemloApp::InitInstance() {
    // Qt's widgets need no preparation for embedded component controls or a 3-D look.
    CZemloDlg dlg(m_services);
    m_pMainWnd = &dlg;
    // The application's own event table: the help command.
    dlg.SetCommandFallback([this](int id) {
        if (id == ids::ID_HELP) {
            OnHelp();
        }
    });
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

void CZemloApp::OnHelp() {
    CAboutDlg about(m_pMainWnd);
    m_services.RunModal(about);
}
