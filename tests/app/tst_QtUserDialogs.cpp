#include "QtUserDialogs.h"

#include <QFileDialog>
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
};

void TestQtUserDialogs::messageBox_data() {
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes) << int(UserDialogs::Answer::Yes);
    QTest::newRow("no") << int(QMessageBox::No) << int(UserDialogs::Answer::No);
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(UserDialogs::Answer::Cancel);
    QTest::newRow("escape") << -1 << int(UserDialogs::Answer::Cancel);
}

void TestQtUserDialogs::messageBox() {
    QFETCH(int, press);
    QFETCH(int, answer);
    QtUserDialogs dialogs;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        if (press < 0)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(QMessageBox::StandardButton(press))->click();
    });
    const auto a = dialogs.message(nullptr, "Do You Want To Save This File?", "Save File?",
                                   UserDialogs::Icon::Question, UserDialogs::Buttons::YesNoCancel);
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

QTEST_MAIN(TestQtUserDialogs)
#include "tst_QtUserDialogs.moc"
