// The application object: prepares the dialog services, runs the main window modally.
#pragma once

#include "platform/DialogServices.h"

class CZemloDlg;

class CZemloApp {
public:
    // Runs the main window modally. False: the application ends instead of starting a message
    // loop of its own. In ordinary use the window ends the process itself and this never
    // returns.
    bool InitInstance();

    // The application's help command: shows the About box.
    void OnHelp();

    CZemloDlg* mainWindow() const { return m_pMainWnd; }

private:
    QtDialogServices m_services;
    CZemloDlg* m_pMainWnd = nullptr;
};
