// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtUserDialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Inspects the next modal dialog, then answers it.
void whenModal(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            whenModal(inspect);
            return;
        }
        inspect(modal);
    });
}

} // namespace

class TestQtUserDialogs : public QObject {
    Q_OBJECT
private slots:
    void messageBox_data();
    void messageBox();
    void fileDialogs_data();
    void fileDialogs();
    void allFilesListsEveryFile();
};

void TestQtUserDialogs::messageBox_data() {
    QTest::addColumn<int>("press"); // a button, or -1 for Esc and -2 for Enter
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("buttons");
    using Answer = UserDialogs::Answer;
    const int ync = int(UserDialogs::Buttons::YesNoCancel);
    QTest::newRow("yes") << int(QMessageBox::Yes) << int(Answer::Yes) << ync;
    QTest::newRow("no") << int(QMessageBox::No) << int(Answer::No) << ync;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(Answer::Cancel) << ync;
    QTest::newRow("escape") << -1 << int(Answer::Cancel) << ync;
    const int okCancel = int(UserDialogs::Buttons::OkCancel),
              yesNo = int(UserDialogs::Buttons::YesNo);
    QTest::newRow("ok of two") << int(QMessageBox::Ok) << int(Answer::Ok) << okCancel;
    QTest::newRow("escape cancels") << -1 << int(Answer::Cancel) << okCancel;
    QTest::newRow("escape says no") << -1 << int(Answer::No) << yesNo;
    QTest::newRow("enter says no where yes loses something")
        << -2 << int(Answer::No) << int(UserDialogs::Buttons::YesNoDefaultNo);
}

void TestQtUserDialogs::messageBox() {
    QFETCH(int, press);
    QFETCH(int, answer);
    QFETCH(int, buttons);
    QtUserDialogs dialogs;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        if (press < 0)
            QTest::keyClick(box, press == -1 ? Qt::Key_Escape : Qt::Key_Return);
        else
            box->button(QMessageBox::StandardButton(press))->click();
    });
    const auto a = dialogs.message(nullptr, "Do You Want To Save This File?", "Save File?",
                                   UserDialogs::Icon::Question, UserDialogs::Buttons(buttons));
    QCOMPARE(int(a), answer);
    QCOMPARE(title, QString("Save File?"));
    QCOMPARE(text, QString("Do You Want To Save This File?"));
    QCOMPARE(icon, QMessageBox::Question);
}

void TestQtUserDialogs::fileDialogs_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void TestQtUserDialogs::fileDialogs() {
    QFETCH(bool, save);
    QtUserDialogs dialogs;
    QString title, directory, suffix;
    QStringList filters;
    bool caseSensitive = true, confirmOverwrite = false;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        suffix = dialog->defaultSuffix();
        caseSensitive = dialog->filter() & QDir::CaseSensitive;
        confirmOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->reject();
    });
    const auto path = save ? dialogs.chooseSaveFile(nullptr) : dialogs.chooseOpenFile(nullptr);
    QVERIFY(!path);
    QCOMPARE(title, QString(save ? "Save Configuration File" : "Open Configuration File"));
    QCOMPARE(filters, (QStringList{"Configuration Files (*.TPD)", "All Files (*.*)"}));
    QCOMPARE(directory, QDir::currentPath());
    QCOMPARE(suffix, QString("TPD"));
    QVERIFY(!caseSensitive);
    QVERIFY(confirmOverwrite);
}

// "All Files (*.*)" keeps its caption but lists files without a dot too.
void TestQtUserDialogs::allFilesListsEveryFile() {
    QTemporaryDir dir;
    for (const char* name : {"README", "a.TPD", "b.txt"}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QtUserDialogs dialogs;
    QStringList listed;
    QString caption;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QTest::keyClick(types, Qt::Key_Down);
        caption = types->currentText();
        auto* view = dialog->findChild<QListView*>("listView");
        (void)QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) >= 3; },
                              5000);
        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
            listed << view->model()->index(r, 0, view->rootIndex()).data().toString();
        dialog->reject();
    });
    dialogs.chooseOpenFile(nullptr);
    QDir::setCurrent(previous);
    QCOMPARE(caption, QString("All Files (*.*)"));
    listed.sort();
    QCOMPARE(listed, (QStringList{"README", "a.TPD", "b.txt"}));
}

QTEST_MAIN(TestQtUserDialogs)
#include "tst_QtUserDialogs.moc"
