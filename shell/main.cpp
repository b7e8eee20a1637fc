#include "shell/MainWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QSplashScreen>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Veltram"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("veltram.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly-III"));
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);

    QSplashScreen splash(QPixmap(QStringLiteral(":/src/images/TSY_Loading.png")));
    splash.show();
    app.processEvents();

    // The program takes no options and no file names: arguments are left to QApplication.
    const QStringList ignored = app.arguments();
    Q_UNUSED(ignored);

    auto *window = new MainWindow;
    window->setWindowIcon(QIcon(QStringLiteral(":/src/images/icon_tsy.png")));
    window->show();
    splash.finish(window);
    return app.exec();
}
