// The real modal services, end to end: a timer plays the user's part.
#include "platform/DialogServices.h"
#include "NamedCase.h"

#include "TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
using testcases::PrintTo;

// Calls act with the modal dialog of type T once it is open.
template <typename T> void WhenModalOpens(std::function<void(T*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start(10);
}

TEST(QtDialogServices, MessageBoxIsTitledZemloWithAWarningAndOk) {
    QtDialogServices services;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    services.ShowMessage(nullptr, "Please select a benchmark.");
    EXPECT_EQ(title, "Zemlo");
    EXPECT_EQ(text, "Please select a benchmark.");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

struct TypedNameCase {
    const char* name;
    const char* filter;
    const char* pattern;
    const char* fileName;
};

class OpenFileDialogTest : public ::testing::TestWithParam<TypedNameCase> {};

TEST_P(OpenFileDialogTest, AcceptsATypedNameOfAFileThatDoesNotExist) {
    TempDir dir;
    const std::string wanted = dir.file(GetParam().fileName);
    QStringList filters;
    WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(wanted));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtDialogServices services;
    const auto chosen = services.ChooseFileToOpen(nullptr, GetParam().filter);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, wanted);
    EXPECT_EQ(filters, QStringList{GetParam().pattern});
}

INSTANTIATE_TEST_SUITE_P(BothFilters, OpenFileDialogTest,
                         ::testing::Values(TypedNameCase{"Benchmark", "Benchmarks (*.ss)|*.ss||",
                                                         "Benchmarks (*.ss)", "new.ss"},
                                           TypedNameCase{"Results", "Benchmarks (*.res)|*.res||",
                                                         "Benchmarks (*.res)", "not yet.res"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtDialogServices, CancelledFileDialogChoosesNothing) {
    WhenModalOpens<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QtDialogServices services;
    EXPECT_FALSE(services.ChooseFileToOpen(nullptr, "Benchmarks (*.ss)|*.ss||").has_value());
}

} // namespace
