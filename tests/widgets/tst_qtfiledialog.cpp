// The toolkit's open-file dialog behind platform::FileDialog: its title and filter, a chosen file's full
// path, and a cancel.
#include "fakes/TempFolder.h"
#include "platform/qt/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include <functional>

class QtFileDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void choosesAFile();
    void cancelGivesNothing();

private:
    // Runs answer on the file dialog once it is up; the static dialog shows itself inside its own loop.
    static void whenShown(std::function<void(QFileDialog&)> answer)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                answer(*dialog);
            }
        });
        poll->start(10);
    }
};

void QtFileDialogTest::choosesAFile()
{
    fakes::TempFolder folder;
    folder.write("ring tone", "not really a sound"); // no extension: "*" must still offer it
    QString title;
    QStringList filters;
    whenShown([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        dialog.selectFile(QString::fromStdString(folder.file("ring tone")));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    platform::QtFileDialog files;
    const auto chosen = files.openFile("Select File", "All Sound Files", "*", "");
    QCOMPARE(title, QStringLiteral("Select File"));
    QCOMPARE(filters, QStringList{"All Sound Files (*)"});
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, folder.file("ring tone"));
}

void QtFileDialogTest::cancelGivesNothing()
{
    whenShown([](QFileDialog& dialog) { QMetaObject::invokeMethod(&dialog, "reject"); });
    platform::QtFileDialog files;
    QVERIFY(!files.openFile("Select File", "All Sound Files", "*", "/tmp").has_value());
}

QTEST_MAIN(QtFileDialogTest)
#include "tst_qtfiledialog.moc"
