#include "calculator/diagrams/diagram_store.h"
#include "calculator/zediz.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Loamvane"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    // The drawings are part of the program: without one of them the window could not show
    // every detail it can select, so the installation is broken.
    const DiagramReading drawings = DiagramStore::readEmbedded();
    if (!drawings.complete()) {
        const QString message = drawings.failureMessage();
        std::fprintf(stderr, "loamvane: %s\n", qUtf8Printable(message));
        QMessageBox::critical(nullptr, QApplication::applicationName(), message);
        return EXIT_FAILURE;
    }
    Zediz window(drawings.store);
    window.show();
    return QApplication::exec();
}
