// The About box: the program's name and version, a picture and the icon.
#pragma once

#include "platform/TemplateDialog.h"

class CAboutDlg : public TemplateDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    void OnCommand(int id) override;
};
