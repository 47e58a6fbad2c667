#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

// The program's icon and its name on the desktop, against the files that are installed.
class TestAppIcon : public QObject {
    Q_OBJECT

    static QDir dist() { return QDir(QStringLiteral(QUILVARDEN_DIST_DIR)); }

    // The one desktop entry the package installs.
    static QString desktopEntry()
    {
        const QStringList entries = dist().entryList({QStringLiteral("*.desktop")}, QDir::Files);
        return entries.size() == 1 ? entries.constFirst() : QString();
    }

private Q_SLOTS:
    void iconAtEachSize_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }
    void iconAtEachSize()
    {
        QFETCH(int, size);
        const QIcon icon = quilvarden::app::programIcon();
        // Drawn at that size, not scaled from another.
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // The middle of the icon is painted, not a transparent square.
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }

    void desktopFileNameIsTheEntrys()
    {
        quilvarden::app::setDesktopIdentity();
        QVERIFY2(!desktopEntry().isEmpty(), "dist/ must hold exactly one desktop entry");
        QCOMPARE(QGuiApplication::desktopFileName() + QStringLiteral(".desktop"), desktopEntry());
        QVERIFY(!QGuiApplication::windowIcon().isNull());
    }

    // The entry, its icons and its AppStream description name the same program.
    void installedFilesAgree_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("line");
        const QString id = quilvarden::app::desktopFileName();
        const QString metainfo = id + QStringLiteral(".metainfo.xml");
        QTest::newRow("entry's icon") << desktopEntry() << QStringLiteral("Icon=") + id;
        QTest::newRow("entry's program") << desktopEntry() << QStringLiteral("Exec=quilvarden");
        QTest::newRow("description's id") << metainfo << QStringLiteral("<id>%1</id>").arg(id);
        QTest::newRow("description's entry")
            << metainfo
            << QStringLiteral("<launchable type=\"desktop-id\">%1</launchable>").arg(desktopEntry());
        QTest::newRow("scalable icon") << QStringLiteral("icons/%1.svg").arg(id) << QStringLiteral("<svg ");
    }
    void installedFilesAgree()
    {
        QFETCH(QString, file);
        QFETCH(QString, line);
        QFile read(dist().filePath(file));
        QVERIFY2(read.open(QIODevice::ReadOnly), qPrintable(read.fileName()));
        bool found = false;
        while (!read.atEnd() && !found)
            found = QString::fromUtf8(read.readLine()).trimmed().startsWith(line);
        QVERIFY2(found, qPrintable(line));
    }
};

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
