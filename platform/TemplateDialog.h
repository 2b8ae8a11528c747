// A modal dialog built from a template: every control a direct child of the window in the
// template's order (a group box is a sibling of what it frames, never its parent, so that
// disabling a frame never disables what lies inside it), addressed by its id through the
// operations of the control interface and nothing more. Texts cross this layer as bytes in
// the locale's 8-bit encoding.
#pragma once

#include "platform/DialogUnits.h"
#include "res/DialogTemplate.h"
#include "res/Menu.h"

#include <QDialog>
#include <map>
#include <string>
#include <vector>

class QMenuBar;
class QAction;

class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    explicit TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    // Runs the initialisation once (OnInitDialog, then the focus), centres the window and
    // runs it modally.
    int DoModal();
    // The initialisation alone, for a window shown without a modal loop.
    void InitDialog();

    // The control interface.
    QWidget* control(int id) const;
    void EnableControl(int id, bool enable);
    bool IsControlEnabled(int id) const;
    void SetCheck(int id, bool checked);
    int GetCheck(int id) const; // 1 when checked, 0 when not
    void SetControlText(int id, const std::string& text);
    std::string ControlText(int id) const;
    void FocusControl(int id);
    void AddComboString(int id, const std::string& text);
    // Selects the first item that begins with prefix, case ignored. The search starts after
    // the item startAfter and wraps around to it last; -1 searches from the first item.
    // Without a match the selection stays and the result is false.
    bool SelectString(int id, int startAfter, const std::string& prefix);

    // The menu bar. Setting it puts it above the client area, which keeps its size.
    void SetMenu(const MenuTemplate& menu);
    QMenuBar* menuBar() const { return menuBar_; }
    QAction* menuItem(int popupPosition, int itemPosition) const;
    void EnableMenuItemByPosition(int popupPosition, int itemPosition, bool enable);

    // Every control, in the template's order.
    const std::vector<QWidget*>& controls() const { return controls_; }
    DialogBaseUnits baseUnits() const { return units_; }
    // Where the client area's top-left corner lies in the window: below the menu bar and
    // inside the client edge.
    QPoint clientOrigin() const;

protected:
    // The window's initialisation; true lets the first control that takes the focus have it.
    virtual bool OnInitDialog() { return true; }
    // A click on a control or a menu command, by id.
    virtual void OnCommand(int /*id*/) {}

    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* CreateControl(const ControlTemplate& row);
    void ApplyFocusPolicy(QWidget* widget, const ControlTemplate& row);
    void ChainTabOrder();
    void CentreOnScreen();
    void PlaceClientArea(int menuHeight);

    const DialogTemplate& template_;
    DialogBaseUnits units_;
    std::vector<QWidget*> controls_;
    std::map<int, QWidget*> byId_;
    // The bytes last put into a control, so that text read back unchanged returns the very
    // bytes written, whatever the encoding makes of them.
    std::map<const QWidget*, std::string> writtenBytes_;
    QMenuBar* menuBar_ = nullptr;
    int clientEdge_ = 0; // pixels
    bool initialised_ = false;
};
