#include "platform/TemplateDialog.h"

#include "platform/AnimationControl.h"
#include "platform/GroupFrame.h"
#include "platform/LocalText.h"
#include "platform/PictureButton.h"
#include "platform/ResourceImages.h"
#include "platform/SingleRadioButton.h"
#include "res/ControlIds.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <qdrawutil.h>

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), template_(dialogTemplate) {
    setFont(
        QFont(FromLocal8Bit(std::string(dialogTemplate.fontFace)), dialogTemplate.fontPointSize));
    units_ = BaseUnitsOf(font());
    setWindowTitle(FromLocal8Bit(std::string(dialogTemplate.caption)));
    for (const ControlTemplate& row : dialogTemplate.controls) {
        QWidget* widget = CreateControl(row);
        QRect geometry = MapDialogRect(units_, row.x, row.y, row.width, row.height);
        if (row.kind == ControlKind::ComboBox) {
            // The template's height is the height with the list dropped down.
            geometry.setHeight(widget->sizeHint().height());
        }
        widget->setGeometry(geometry);
        ApplyFocusPolicy(widget, row);
        widget->setEnabled(!(row.style & flags::Disabled));
        // Explicitly hidden, so that showing the window never shows it.
        widget->setVisible(!(row.style & flags::Hidden));
        widget->setProperty("controlId", row.id);
        widget->setProperty("controlStyle", row.style);
        controls_.push_back(widget);
        if (row.id != -1) {
            byId_[row.id] = widget;
        }
    }
    ChainTabOrder();
    clientEdge_ = dialogTemplate.clientEdge ? 2 : 0;
    for (QWidget* widget : controls_) {
        widget->move(widget->pos() + QPoint(clientEdge_, clientEdge_));
    }
    PlaceClientArea(0);
}

void TemplateDialog::PlaceClientArea(int menuHeight) {
    const QRect client = MapDialogRect(units_, 0, 0, template_.width, template_.height);
    setFixedSize(client.width() + 2 * clientEdge_, menuHeight + client.height() + 2 * clientEdge_);
}

QPoint TemplateDialog::clientOrigin() const {
    const int menuHeight = menuBar_ ? menuBar_->height() : 0;
    return QPoint(clientEdge_, menuHeight + clientEdge_);
}

QWidget* TemplateDialog::CreateControl(const ControlTemplate& row) {
    const QString caption = FromLocal8Bit(std::string(row.caption));
    switch (row.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption, this);
        // Enter is the dialog's own key: no push button becomes the default by taking focus.
        button->setAutoDefault(false);
        button->setDefault(row.style & flags::Default);
        connect(button, &QPushButton::clicked, this, [this, id = row.id] { OnCommand(id); });
        return button;
    }
    case ControlKind::PictureButton: {
        auto* button = new PictureButton(this);
        button->setText(caption); // names the faces; never drawn
        connect(button, &PictureButton::clicked, this, [this, id = row.id] { OnCommand(id); });
        return button;
    }
    case ControlKind::RadioButton: {
        auto* radio = new SingleRadioButton(caption, this);
        connect(radio, &QRadioButton::clicked, this, [this, id = row.id] { OnCommand(id); });
        return radio;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, this);
        connect(box, &QCheckBox::clicked, this, [this, id = row.id] { OnCommand(id); });
        return box;
    }
    case ControlKind::GroupBox: {
        return new GroupFrame(caption, this);
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Labels let clicks through to the window, as static controls do.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(caption, this);
        edit->setReadOnly(row.style & flags::ReadOnly);
        if (row.style & flags::Number) {
            // [0-9], not \d: other scripts' digits are not digits here.
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        }
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        combo->setEditable(true);
        // Enter must not add the typed text to the list.
        combo->setInsertPolicy(QComboBox::NoInsert);
        // No completion while typing: the field holds exactly what was typed.
        combo->setCompleter(nullptr);
        combo->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        return combo;
    }
    case ControlKind::Animation: {
        auto* animation = new AnimationControl(this);
        animation->setAccessibleName(caption);
        return animation;
    }
    case ControlKind::Picture: {
        auto* picture = new QLabel(this);
        picture->setAlignment(Qt::AlignCenter);
        picture->setPixmap(QPixmap::fromImage(LoadResourceBitmap(std::string(row.caption))));
        if (row.style & flags::Border) {
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        return picture;
    }
    case ControlKind::Icon: {
        auto* icon = new QLabel(this);
        icon->setPixmap(ApplicationIcon().pixmap(32, 32));
        icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return icon;
    }
    }
    return new QWidget(this);
}

void TemplateDialog::ApplyFocusPolicy(QWidget* widget, const ControlTemplate& row) {
    switch (row.kind) {
    case ControlKind::GroupBox:
    case ControlKind::Label:
    case ControlKind::Animation:
    case ControlKind::Picture:
    case ControlKind::Icon:
        widget->setFocusPolicy(Qt::NoFocus);
        return;
    default:
        // A control without a tab stop still takes the focus when clicked.
        widget->setFocusPolicy((row.style & flags::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void TemplateDialog::ChainTabOrder() {
    QWidget* previous = nullptr;
    for (QWidget* widget : controls_) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

int TemplateDialog::DoModal() {
    InitDialog();
    CentreOnScreen();
    return exec();
}

void TemplateDialog::InitDialog() {
    if (initialised_) {
        return;
    }
    initialised_ = true;
    if (OnInitDialog()) {
        for (QWidget* widget : controls_) {
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
                !widget->isHidden()) {
                widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
}

void TemplateDialog::CentreOnScreen() {
    const QWidget* owner = parentWidget();
    const QRect area = owner ? owner->frameGeometry() : screen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

QWidget* TemplateDialog::control(int id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

void TemplateDialog::EnableControl(int id, bool enable) {
    if (QWidget* widget = control(id)) {
        widget->setEnabled(enable);
    }
}

bool TemplateDialog::IsControlEnabled(int id) const {
    const QWidget* widget = control(id);
    return widget && widget->isEnabled();
}

void TemplateDialog::SetCheck(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
        button->setChecked(checked);
    }
}

int TemplateDialog::GetCheck(int id) const {
    const auto* button = qobject_cast<const QAbstractButton*>(control(id));
    return button && button->isChecked() ? 1 : 0;
}

namespace {
QString WidgetText(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* group = qobject_cast<const GroupFrame*>(widget)) {
        return group->title();
    }
    return {};
}

void SetWidgetText(QWidget* widget, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<GroupFrame*>(widget)) {
        group->setTitle(text);
    }
}
} // namespace

void TemplateDialog::SetControlText(int id, const std::string& text) {
    if (QWidget* widget = control(id)) {
        SetWidgetText(widget, FromLocal8Bit(text));
        writtenBytes_[widget] = text;
    }
}

std::string TemplateDialog::ControlText(int id) const {
    const QWidget* widget = control(id);
    if (!widget) {
        return {};
    }
    const QString shown = WidgetText(widget);
    const auto written = writtenBytes_.find(widget);
    if (written != writtenBytes_.end() && FromLocal8Bit(written->second) == shown) {
        return written->second;
    }
    return ToLocal8Bit(shown);
}

void TemplateDialog::FocusControl(int id) {
    if (QWidget* widget = control(id)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void TemplateDialog::AddComboString(int id, const std::string& text) {
    if (auto* combo = qobject_cast<QComboBox*>(control(id))) {
        combo->addItem(FromLocal8Bit(text));
    }
}

bool TemplateDialog::SelectString(int id, int startAfter, const std::string& prefix) {
    auto* combo = qobject_cast<QComboBox*>(control(id));
    if (!combo || combo->count() == 0) {
        return false;
    }
    const QString wanted = FromLocal8Bit(prefix);
    const int count = combo->count();
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (combo->itemText(index).startsWith(wanted, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(index);
            writtenBytes_.erase(combo);
            return true;
        }
    }
    return false;
}

void TemplateDialog::SetMenu(const MenuTemplate& menu) {
    delete menuBar_;
    menuBar_ = new QMenuBar(this);
    for (const MenuPopupTemplate& popupRow : menu.popups) {
        QMenu* popup = menuBar_->addMenu(FromLocal8Bit(std::string(popupRow.caption)));
        for (const MenuItemTemplate& item : popupRow.items) {
            QAction* action = popup->addAction(FromLocal8Bit(std::string(item.caption)));
            action->setData(item.id);
            connect(action, &QAction::triggered, this, [this, id = item.id] { OnCommand(id); });
        }
    }
    // The menu bar sits above the client area and the window grows by its height, as a
    // window's menu does: the controls keep their places relative to the client area.
    const int menuHeight = menuBar_->sizeHint().height();
    PlaceClientArea(menuHeight);
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    for (QWidget* widget : controls_) {
        widget->move(widget->pos() + QPoint(0, menuHeight));
    }
    menuBar_->show();
}

QAction* TemplateDialog::menuItem(int popupPosition, int itemPosition) const {
    if (!menuBar_) {
        return nullptr;
    }
    const QList<QAction*> popups = menuBar_->actions();
    if (popupPosition < 0 || popupPosition >= popups.size() || !popups[popupPosition]->menu()) {
        return nullptr;
    }
    const QList<QAction*> items = popups[popupPosition]->menu()->actions();
    if (itemPosition < 0 || itemPosition >= items.size()) {
        return nullptr;
    }
    return items[itemPosition];
}

void TemplateDialog::EnableMenuItemByPosition(int popupPosition, int itemPosition, bool enable) {
    if (QAction* action = menuItem(popupPosition, itemPosition)) {
        action->setEnabled(enable);
    }
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // A push button with the focus is the default button and takes Enter itself; anywhere
        // else Enter is the dialog's accept command.
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
            button && !qobject_cast<QRadioButton*>(button) && !qobject_cast<QCheckBox*>(button)) {
            if (button->isEnabled()) {
                button->click();
            }
        } else {
            accept();
        }
        return;
    }
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OnCommand(ids::ID_HELP);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TemplateDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    if (clientEdge_ > 0) {
        const int top = menuBar_ ? menuBar_->height() : 0;
        qDrawWinPanel(&painter, QRect(0, top, width(), height() - top), palette(), true);
    }
    // The border of controls that cannot draw one of their own.
    painter.setPen(palette().color(QPalette::Dark));
    for (QWidget* widget : controls_) {
        const unsigned style = widget->property("controlStyle").toUInt();
        if ((style & flags::Border) && qobject_cast<AnimationControl*>(widget) &&
            widget->isVisible()) {
            painter.drawRect(widget->geometry().adjusted(-1, -1, 0, 0));
        }
    }
}
