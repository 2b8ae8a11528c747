#include "app/AboutDlg.h"

#include "res/ControlIds.h"
#include "res/Templates.h"

CAboutDlg::CAboutDlg(QWidget* parent) : TemplateDialog(AboutDialogTemplate(), parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    InitDialog();
}

void CAboutDlg::OnCommand(int id) {
    if (id == ids::IDOK) {
        accept();
    }
}
